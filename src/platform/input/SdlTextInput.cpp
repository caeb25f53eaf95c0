// SdlTextInput.cpp -- SDL2 text input: text, composition and key events caught by an event watch.
#include <SDL.h>

#include <cstring>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/input/TextInput.h"
#include "platform/window/Window.h"

namespace platform {

namespace {

EditKey KeyOf(SDL_Scancode code, bool ctrl) {
    switch (code) {
        case SDL_SCANCODE_BACKSPACE: return EditKey::Backspace;
        case SDL_SCANCODE_DELETE: return EditKey::Delete;
        case SDL_SCANCODE_LEFT: return EditKey::Left;
        case SDL_SCANCODE_RIGHT: return EditKey::Right;
        case SDL_SCANCODE_HOME: return EditKey::Home;
        case SDL_SCANCODE_END: return EditKey::End;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_RETURN2:
        case SDL_SCANCODE_KP_ENTER: return EditKey::Enter;
        case SDL_SCANCODE_ESCAPE: return EditKey::Escape;
        case SDL_SCANCODE_INSERT: return EditKey::Insert;
        // Letters are text unless Ctrl makes them a shortcut.
        case SDL_SCANCODE_A: return ctrl ? EditKey::A : EditKey::None;
        case SDL_SCANCODE_C: return ctrl ? EditKey::C : EditKey::None;
        case SDL_SCANCODE_V: return ctrl ? EditKey::V : EditKey::None;
        case SDL_SCANCODE_X: return ctrl ? EditKey::X : EditKey::None;
        default: return EditKey::None;
    }
}

// The window's event pump drains SDL's queue, so events are caught as they
// enter it: an event watch sees every event whoever polls it later.
class SdlTextInput : public TextInput {
public:
    explicit SdlTextInput(CaretSink caretSink) : caretSink_(std::move(caretSink)) {
        // Compositions longer than SDL's 32-byte event text arrive whole.
        SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
        // SDL starts with text input on; the input method stays off until a field edits.
        SDL_StopTextInput();
        SDL_AddEventWatch(&SdlTextInput::Watch, this);
    }
    ~SdlTextInput() override {
        SDL_DelEventWatch(&SdlTextInput::Watch, this);
        if (active_) SDL_StopTextInput();
    }

    void Start() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (active_) return;
        active_ = true;
        caretSet_ = false;  // a new session tells the input method where the caret is again
        SDL_StartTextInput();
    }

    void Stop() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!active_) return;
        active_ = false;
        pending_.clear();
        SDL_StopTextInput();
    }

    bool Active() const override { return active_; }

    void Discard(bool keysOnly) override {
        std::lock_guard<std::mutex> lock(mutex_);
        DiscardPending(pending_, keysOnly);
    }

    bool HasText() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const TextInputEvent& e : pending_)
            if (e.kind != TextInputEvent::Kind::Key) return true;
        return false;
    }

    bool Poll(TextInputEvent* event) override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (pending_.empty()) return false;
        *event = std::move(pending_.front());
        pending_.pop_front();
        return true;
    }

    void SetCaretRect(int x, int y, int width, int height) override {
        // From the picture's pixels into the window's units, corner by corner: a full screen of another size
        // shows the picture scaled between bars.
        int right = x + width, bottom = y + height;
        PictureToWindow(x, y);
        PictureToWindow(right, bottom);
        const SDL_Rect caret{x, y, right - x, bottom - y};
        // The input method is told only when the caret moved on the window (each call may reach it over IPC).
        if (caretSet_ && caret.x == caret_.x && caret.y == caret_.y && caret.w == caret_.w && caret.h == caret_.h)
            return;
        caret_ = caret;
        caretSet_ = true;
        if (caretSink_)
            caretSink_(caret_.x, caret_.y, caret_.w, caret_.h);
        else
            SDL_SetTextInputRect(&caret_);
    }

    std::string GetClipboard() override {
        if (!SDL_HasClipboardText()) return {};
        char* text = SDL_GetClipboardText();
        if (!text) return {};
        std::string out(text);
        SDL_free(text);
        return out;
    }

    void SetClipboard(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

private:
    static int SDLCALL Watch(void* self, SDL_Event* e) {
        static_cast<SdlTextInput*>(self)->Catch(*e);
        return 0;
    }

    void Catch(const SDL_Event& e) {
        TextInputEvent ev;
        switch (e.type) {
            case SDL_TEXTINPUT:
                ev.kind = TextInputEvent::Kind::Text;
                ev.utf8.assign(e.text.text, strnlen(e.text.text, sizeof e.text.text));
                break;
            case SDL_TEXTEDITING:
                ev.kind = TextInputEvent::Kind::Composition;
                ev.utf8.assign(e.edit.text, strnlen(e.edit.text, sizeof e.edit.text));
                ev.start = e.edit.start;
                ev.length = e.edit.length;
                break;
            case SDL_TEXTEDITING_EXT:
                ev.kind = TextInputEvent::Kind::Composition;
                if (e.editExt.text) ev.utf8 = e.editExt.text;
                ev.start = e.editExt.start;
                ev.length = e.editExt.length;
                break;
            case SDL_KEYDOWN: {
                const bool ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
                ev.kind = TextInputEvent::Kind::Key;
                ev.key = KeyOf(e.key.keysym.scancode, ctrl);
                ev.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
                ev.ctrl = ctrl;
                if (ev.key == EditKey::None) return;
                break;
            }
            default: return;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (!active_) return;
        if (pending_.size() >= kMaxPending) pending_.pop_front();
        pending_.push_back(std::move(ev));
    }

    CaretSink caretSink_;
    mutable std::mutex mutex_;
    bool active_ = false;
    SDL_Rect caret_{};
    bool caretSet_ = false;
    std::deque<TextInputEvent> pending_;
};

}  // namespace

std::unique_ptr<TextInput> CreateSdlTextInput(CaretSink caretSink) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    return std::make_unique<SdlTextInput>(std::move(caretSink));
}

}  // namespace platform
