// Window.cpp -- the SDL2 game window and the headless backend for tests.
#include "platform/window/Window.h"

#include <SDL.h>

#include <cstdio>

namespace platform {
namespace {

// ---------------------------------------------------------------- SDL window

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
        // Full screen is a borderless window of the display mode, shown at once;
        // a windowed window has a caption and no resizing and stays hidden until drawn.
        Uint32 flags = SDL_WINDOW_OPENGL;
        flags |= desc.windowed ? SDL_WINDOW_HIDDEN : (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_SHOWN);
        const std::string title = ShiftJisToUtf8(desc.title);
        window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, desc.width,
                                   desc.height, flags);
        if (!window_) {
            std::fprintf(stderr, "window: cannot create a %dx%d window: %s\n", desc.width, desc.height, SDL_GetError());
            return false;
        }
        width_ = desc.width;
        height_ = desc.height;
        return true;
    }

    void* NativeHandle() const override { return window_; }
    void Show() override { SDL_ShowWindow(window_); }

    void Resize(int width, int height, bool windowed) override {
        width_ = width;
        height_ = height;
        if (windowed) {
            SDL_SetWindowFullscreen(window_, 0);
            SDL_SetWindowSize(window_, width, height);
        } else {
            SDL_DisplayMode mode{};
            mode.w = width;
            mode.h = height;
            SDL_SetWindowDisplayMode(window_, &mode);
            SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN);
        }
    }

    int Width() const override { return width_; }
    int Height() const override { return height_; }

    bool DesktopSize(int& width, int& height) const override {
        SDL_DisplayMode mode{};
        const int display = SDL_GetWindowDisplayIndex(window_);
        if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return false;
        width = mode.w;
        height = mode.h;
        return true;
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

std::unique_ptr<Window> Window::Create(Backend backend, const Desc& desc) {
    if (backend == Backend::Headless) return std::make_unique<HeadlessWindow>(desc);
    auto w = std::make_unique<SdlWindow>();
    if (!w->Open(desc)) return nullptr;
    return w;
}

}  // namespace platform
