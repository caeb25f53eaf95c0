// tmTestScreen.cpp -- leave and display-mode keys, debug font and text lines of the test screens.
#include "test/tmTestScreen.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "sys/text/tmDxFont.h"

namespace {

constexpr int kTitleColumn = 12;  // console cells in from the right edge
constexpr int kMargin = 8;        // pixels between the debug font's text and the screen's edge

bool Pressed(const tmPeripheral* in, int key) { return in && in->IsKeyTriggered(key); }

// Pixels one character of the debug font takes.
int CharWidth(const tmDxFont& font) { return font.GetHeight() / 2 + 1; }

}  // namespace

bool tmTestScreen::LeaveTriggered() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return Pressed(in, tmKey::kReturn) || Pressed(in, tmKey::kNumpadEnter) || Pressed(in, tmKey::kEscape);
}

void tmTestScreen::DisplayModeKeys() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    tmDraw* draw = tmDraw::GetInstance();
    if (Pressed(in, tmKey::k1)) draw->ResetDisplay(1024, 768);
    if (Pressed(in, tmKey::k2)) draw->ResetDisplay(640, 480);
    if (Pressed(in, tmKey::k9)) draw->ResetDisplay(0, 0);
}

void tmTestScreen::KeepDebugFont(int height, bool resize) {
    if (!tmDxFont::GetInstance() || resize) font_.Acquire(height, false);
}

void tmTestScreen::DropDebugFont() { font_.Release(); }  // a font another screen keeps stays

void tmTestScreen::PrintTitle(const char* format) const {
    char text[128];
    std::snprintf(text, sizeof text, format, frameCount_);
    tmConsole::SetCursor(kTitleColumn, 0, 2);
    tmConsole::Printf("%s", text);
    tmDxFont* font = tmDxFont::GetInstance();
    if (!font) return;
    const int width = CharWidth(*font) * static_cast<int>(std::strlen(text));
    font->SetPositionRaw(tmDraw::GetInstance()->GetBackBufferWidth() - kMargin - width, kMargin / 2);
    font->DrawText(text);
}

void tmTestScreen::PrintLine(int row, const char* format, ...) {
    tmDxFont* font = tmDxFont::GetInstance();
    if (!font || !format) return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    font->SetPositionRaw(kMargin, kMargin / 2 + row * (font->GetHeight() + 2));
    font->DrawText(text);
}
