// Window.cpp -- the SDL2 game window and the headless backend for tests.
#include "platform/window/Window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {

// ---------------------------------------------------------------- SDL window

// The desktop mode's size of a display; false (sizes untouched) when SDL cannot tell.
bool DisplaySize(int display, int& width, int& height) {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(display, &mode) != 0 || mode.w <= 0 || mode.h <= 0) {
        std::fprintf(stderr, "window: the size of display %d is unknown: %s\n", display, SDL_GetError());
        return false;
    }
    width = mode.w;
    height = mode.h;
    return true;
}

// Written by the present (the render thread), read by the cursor and the text caret.
std::mutex g_presentedMutex;
PresentedPicture g_presented;

// Quotients rounded toward minus and plus infinity (points left of or above the picture are negative).
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// The presented picture and where it stands in the drawable, false when a point maps onto itself (nothing
// presented, or a drawable of the window's size showing the picture 1:1 at its corner).
bool PresentedFit(PresentedPicture& p, PictureRect& r) {
    {
        std::lock_guard<std::mutex> lock(g_presentedMutex);
        p = g_presented;
    }
    r = FitPicture(p.width, p.height, p.drawableWidth, p.drawableHeight);
    if (r.w <= 0 || r.h <= 0 || p.windowWidth <= 0 || p.windowHeight <= 0) return false;
    return !(r.x == 0 && r.y == 0 && r.w == p.width && r.h == p.height && p.windowWidth == p.drawableWidth &&
             p.windowHeight == p.drawableHeight);
}

class SdlWindow : public Window {
public:
    ~SdlWindow() override {
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }

    bool Open(const Desc& desc) {
        // The program's own quit signal handlers (QuitSignal.h) stand, not SDL's.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "window: SDL video start failed: %s\n", SDL_GetError());
            return false;
        }
        // Full screen is a borderless window over the whole display at the desktop's own mode, shown at once; the
        // device fits the picture of the chosen size into it. The window is made at the display's size: without a
        // window manager nothing grows it, while SDL reports the display's size for it all the same. A windowed
        // window has a caption and no resizing and stays hidden until drawn.
        int width = desc.width, height = desc.height;
        int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
        Uint32 flags = SDL_WINDOW_OPENGL;
        if (desc.windowed) {
            flags |= SDL_WINDOW_HIDDEN;
        } else {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_SHOWN;
            x = y = SDL_WINDOWPOS_CENTERED_DISPLAY(0);
            DisplaySize(0, width, height);
        }
        const std::string title = ShiftJisToUtf8(desc.title);
        window_ = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
        if (!window_) {
            std::fprintf(stderr, "window: cannot create a %dx%d window: %s\n", width, height, SDL_GetError());
            return false;
        }
        SDL_GetWindowSize(window_, &width_, &height_);
        if (!desc.windowed && (width_ != desc.width || height_ != desc.height))
            std::fprintf(stderr, "window: full screen on a %dx%d display; the %dx%d picture is fitted into it\n",
                         width_, height_, desc.width, desc.height);
        return true;
    }

    void* NativeHandle() const override { return window_; }
    void Show() override { SDL_ShowWindow(window_); }

    void Resize(int width, int height, bool windowed) override {
        if (windowed) {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_SetWindowSize(window_, width, height);
        } else {
            // Grown to the display while still windowed, so the window itself covers it (see Open).
            const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
            if (DisplaySize(display, width, height)) {
                SDL_SetWindowSize(window_, width, height);
                SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                      SDL_WINDOWPOS_CENTERED_DISPLAY(display));
            }
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        }
        SDL_GetWindowSize(window_, &width_, &height_);
    }

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    bool DesktopSize(int& width, int& height) const override {
        return DisplaySize(std::max(SDL_GetWindowDisplayIndex(window_), 0), width, height);
    }

    bool Pump() override {
        // Keyboard, mouse and joystick states are read by the input backend
        // from SDL's own state; here only the window's life is handled.
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (e.type == SDL_QUIT) {
                quit_ = true;
            } else if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) {
                close_ = true;
            } else if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                width_ = e.window.data1;  // what the system made of the window (the present reads the drawable)
                height_ = e.window.data2;
            } else if (e.type == SDL_TEXTEDITING_EXT) {
                SDL_free(e.editExt.text);  // long compositions: the text input caught a copy
            }
        }
        return !quit_;
    }

    bool CloseRequested() const override { return close_ || quit_; }
    bool HasFocus() const override { return SDL_GetKeyboardFocus() == window_; }
    void RequestClose() override { close_ = true; }

private:
    SDL_Window* window_ = nullptr;
    int width_ = 0, height_ = 0;
    bool close_ = false, quit_ = false;
};

// ---------------------------------------------------------------- headless

class HeadlessWindow : public Window {
public:
    explicit HeadlessWindow(const Desc& desc) : width_(desc.width), height_(desc.height) {}
    void* NativeHandle() const override { return nullptr; }
    void Show() override {}
    void Resize(int width, int height, bool) override {
        width_ = width;
        height_ = height;
    }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool DesktopSize(int& width, int& height) const override {
        width = 1920;
        height = 1080;
        return true;
    }
    bool Pump() override { return true; }
    bool CloseRequested() const override { return close_; }
    bool HasFocus() const override { return true; }
    void RequestClose() override { close_ = true; }

private:
    int width_, height_;
    bool close_ = false;
};

}  // namespace

PictureRect FitPicture(int pw, int ph, int dw, int dh) {
    if (pw <= 0 || ph <= 0 || dw <= 0 || dh <= 0) return {0, 0, 0, 0};
    PictureRect r{0, 0, dw, dh};
    const int64_t across = int64_t(dw) * ph, down = int64_t(dh) * pw;
    if (across > down)
        r.w = int((int64_t(dh) * pw * 2 + ph) / (int64_t(ph) * 2));  // bars at the sides
    else if (across < down)
        r.h = int((int64_t(dw) * ph * 2 + pw) / (int64_t(pw) * 2));  // bars above and below
    r.x = (dw - r.w) / 2;
    r.y = (dh - r.h) / 2;
    return r;
}

void SetPresentedPicture(const PresentedPicture& picture) {
    std::lock_guard<std::mutex> lock(g_presentedMutex);
    g_presented = picture;
}

// A window unit u is the drawable's pixel u * d / wu, the picture's (pixel - offset) * size / fitted; both ways
// are worked in whole numbers so that exact points stay exact.
void WindowToPicture(int& x, int& y) {
    PresentedPicture p;
    PictureRect r;
    if (!PresentedFit(p, r)) return;
    x = int(FloorDiv((int64_t(x) * p.drawableWidth - int64_t(r.x) * p.windowWidth) * p.width,
                     int64_t(r.w) * p.windowWidth));
    y = int(FloorDiv((int64_t(y) * p.drawableHeight - int64_t(r.y) * p.windowHeight) * p.height,
                     int64_t(r.h) * p.windowHeight));
}

void PictureToWindow(int& x, int& y) {
    PresentedPicture p;
    PictureRect r;
    if (!PresentedFit(p, r)) return;
    x = int(CeilDiv((int64_t(x) * r.w + int64_t(r.x) * p.width) * p.windowWidth, int64_t(p.width) * p.drawableWidth));
    y = int(
        CeilDiv((int64_t(y) * r.h + int64_t(r.y) * p.height) * p.windowHeight, int64_t(p.height) * p.drawableHeight));
}

std::unique_ptr<Window> Window::Create(Backend backend, const Desc& desc) {
    if (backend == Backend::Headless) return std::make_unique<HeadlessWindow>(desc);
    auto w = std::make_unique<SdlWindow>();
    if (!w->Open(desc)) return nullptr;
    return w;
}

}  // namespace platform
