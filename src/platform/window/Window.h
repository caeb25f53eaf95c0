// Window.h -- the game window, its event pump, message boxes and the single-instance lock.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The one game window. The real backend is an SDL2 window made with OpenGL
// support (the renderer creates its context on NativeHandle()); the headless
// backend has no window at all. Chosen at construction by Window::Create.
// Windowed, the window has the chosen size; full screen, it covers its display,
// whose mode is never switched, and the renderer's picture of the chosen size
// is fitted into it.
class Window {
public:
    enum class Backend { Sdl, Headless };
    struct Desc {
        std::string title;  // Shift-JIS text, shown as UTF-8
        int width = 1366;
        int height = 768;
        bool windowed = true;
    };

    virtual ~Window() = default;
    // Null when the window cannot be made (the reason is logged).
    static std::unique_ptr<Window> Create(Backend backend, const Desc& desc);

    // The SDL_Window* of the real backend, null when headless.
    virtual void* NativeHandle() const = 0;
    // Windowed windows start hidden; the renderer shows them once it draws.
    virtual void Show() = 0;
    // Changes the client size (windowed), or covers the window's display at its desktop mode (full screen: the
    // picture of the chosen size is fitted into it, so width and height are not the window's).
    virtual void Resize(int width, int height, bool windowed) = 0;
    // The client size the system gave the window, following its size changes.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Desktop size of the window's display; false when unknown.
    virtual bool DesktopSize(int& width, int& height) const = 0;
    // Handles pending events; false once the system asked the program to quit.
    virtual bool Pump() = 0;
    // The user asked to close the window (stays set once seen).
    virtual bool CloseRequested() const = 0;
    virtual bool HasFocus() const = 0;
    // Tests: behave as if the user closed the window.
    virtual void RequestClose() = 0;
};

// Where a picture of pw x ph stands in a window (or drawable) of dw x dh: as large as fits whole, its shape
// kept, centred, with bars beside or above and below it (x, y from the window's top left). A window of the
// picture's own size takes it 1:1; an empty size gives an empty rectangle.
struct PictureRect {
    int x, y, w, h;
};
PictureRect FitPicture(int pw, int ph, int dw, int dh);
// How the present last showed the picture: the back buffer's size, and the window's in pixels (its drawable,
// which the present fills) and in the window system's own units (what cursor positions and the input method's
// rectangle are given in; fewer than its pixels on a HiDPI display). Set by the device on each present; all
// zero until a picture is presented. The cursor and the text caret go through this one record, so they agree
// with what is seen.
struct PresentedPicture {
    int width = 0, height = 0;
    int drawableWidth = 0, drawableHeight = 0;
    int windowWidth = 0, windowHeight = 0;
};
void SetPresentedPicture(const PresentedPicture& picture);
// A point of the window (its own units) in the pixels of the picture presented in it, outside the picture in
// the bars; the point itself when no picture was presented.
void WindowToPicture(int& x, int& y);
// A point of the picture in the window's units: the first window unit whose left (top) edge lies in that
// picture pixel, so that WindowToPicture brings it back wherever the window shows the picture at least 1:1.
void PictureToWindow(int& x, int& y);

// Message boxes. The real sink shows an SDL box (and logs the text); tests
// install a recording sink so nothing ever blocks.
class MessageBoxSink {
public:
    virtual ~MessageBoxSink() = default;
    virtual void Show(const std::string& caption, const std::string& text) = 0;
};

class RecordingMessageBoxes : public MessageBoxSink {
public:
    struct Entry {
        std::string caption, text;
    };
    void Show(const std::string& caption, const std::string& text) override { shown.push_back({caption, text}); }
    std::vector<Entry> shown;
};

// Shows an error box; caption and text are Shift-JIS. Never blocks when a recording sink is installed.
void ShowMessageBox(const std::string& caption, const std::string& text);
// Installs a sink (nullptr restores the real one). The caller keeps ownership.
void SetMessageBoxSink(MessageBoxSink* sink);

// Shift-JIS (code page 932) text converted to UTF-8; bytes that do not convert become '?'.
std::string ShiftJisToUtf8(const std::string& text);

// A machine-wide lock held for the life of the process: the first holder of a
// name wins, later ones (this or another process) fail until it is released.
class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance() { Release(); }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    // True when this object now holds the name.
    bool Acquire(const std::string& name);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace platform
