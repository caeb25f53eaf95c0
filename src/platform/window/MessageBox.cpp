// MessageBox.cpp -- error boxes (SDL, or recorded in tests) and Shift-JIS to UTF-8.
#include <SDL.h>
#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/window/Window.h"

namespace platform {
namespace {

class SdlMessageBoxes : public MessageBoxSink {
public:
    void Show(const std::string& caption, const std::string& text) override {
        const std::string c = ShiftJisToUtf8(caption);
        const std::string t = ShiftJisToUtf8(text);
        std::fprintf(stderr, "%s: %s\n", c.c_str(), t.c_str());
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, c.c_str(), t.c_str(), nullptr);
    }
};

SdlMessageBoxes g_sdlBoxes;
std::atomic<MessageBoxSink*> g_sink{&g_sdlBoxes};

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text) { g_sink.load()->Show(caption, text); }

void SetMessageBoxSink(MessageBoxSink* sink) { g_sink.store(sink ? sink : &g_sdlBoxes); }

std::string ShiftJisToUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out;
    char buf[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buf, static_cast<size_t>(o - buf));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back('?');  // an invalid or cut-off byte: skip it
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace platform
