// TestScreenText.h -- reading the lines a test screen puts on the debug font, over a recording device.
#pragma once
#include <string>
#include <vector>

#include "app/tmSequence.h"
#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/text/tmDxFont.h"

namespace testscreens {

// While it lives the process's device is a recording one, so the debug font a
// screen makes keeps its lines. Declare it before the rig that runs the screen.
class TextDevice {
public:
    TextDevice() {
        gfx::PresentParams p;
        p.width = 1366;
        p.height = 768;
        device_.logCalls = false;
        device_.create(p);
        tmSetDevice(&device_);
    }
    ~TextDevice() {
        tmDxFont::Destroy();
        tmSetDevice(nullptr);
    }
    TextDevice(const TextDevice&) = delete;
    TextDevice& operator=(const TextDevice&) = delete;

private:
    gfx::NullDevice device_;
};

// The lines one Draw of the screen put on the debug font, in order.
inline std::vector<std::string> DrawnLines(tmSequence& screen) {
    tmDxFont* font = tmDxFont::GetInstance();
    if (font) font->Flush(nullptr);
    screen.Draw();
    std::vector<std::string> out;
    for (int i = 0; font && i < font->GetEntryCount(); ++i) out.push_back(font->GetEntry(i)->text);
    if (font) font->Flush(nullptr);
    return out;
}

inline bool HasLine(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& l : lines)
        if (l == text) return true;
    return false;
}

}  // namespace testscreens
