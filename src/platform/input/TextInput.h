// TextInput.h -- typed text, input-method compositions, editing keys and the clipboard, for text fields.
#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace platform {

// Keys a text field edits with (what an edit control handles itself).
enum class EditKey {
    None,
    Backspace,
    Delete,
    Left,
    Right,
    Home,
    End,
    Enter,  // also the keypad's
    Escape,
    Insert,
    A,  // the letters of the Ctrl shortcuts
    C,
    V,
    X,
};

// One event of a text-entry session, in the shape SDL2 reports them.
struct TextInputEvent {
    enum class Kind { Text, Composition, Key };
    Kind kind = Kind::Text;
    // Text: characters the user committed. Composition: the input method's
    // composition string (empty when it closed). UTF-8 in both.
    std::string utf8;
    // Composition: the caret (`start`) and the length of the selected clause,
    // both counted in characters of `utf8`; length 0 means no clause.
    int start = 0;
    int length = 0;
    // Key: the key pressed (repeats included) and the modifiers held.
    EditKey key = EditKey::None;
    bool shift = false;
    bool ctrl = false;
};

// Empties a queue of pending events, or with keysOnly drops only its editing keys (text stays).
inline void DiscardPending(std::deque<TextInputEvent>& pending, bool keysOnly) {
    if (!keysOnly) {
        pending.clear();
        return;
    }
    std::deque<TextInputEvent> kept;
    for (TextInputEvent& e : pending)
        if (e.kind != TextInputEvent::Kind::Key) kept.push_back(std::move(e));
    pending.swap(kept);
}

// Text input of the game window. Events are collected only between Start and
// Stop (the input method is off otherwise), so typing outside a text field
// costs nothing. The SDL backend reads SDL's text and key events; the test
// backend is scripted.
class TextInput {
public:
    // Events kept at most between two polls; older ones are dropped.
    static constexpr size_t kMaxPending = 256;

    virtual ~TextInput() = default;
    // Turns the input method on and starts collecting events.
    virtual void Start() = 0;
    // Turns it off and drops what was not polled.
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
    // Drops what was not polled and goes on collecting; with keysOnly only
    // the key events go, typed text and compositions stay.
    virtual void Discard(bool keysOnly) = 0;
    // Whether typed text or a composition waits to be polled.
    virtual bool HasText() const = 0;
    // The oldest pending event; false when none is left.
    virtual bool Poll(TextInputEvent* event) = 0;
    // The caret of the field being edited, in the picture's pixels (the back buffer's): the input method
    // shows its composition and candidates there. The SDL backend maps it into the window through the fit
    // the present shows the picture with.
    virtual void SetCaretRect(int x, int y, int width, int height) = 0;
    // The system clipboard as UTF-8 ("" when empty or unavailable).
    virtual std::string GetClipboard() = 0;
    virtual void SetClipboard(const std::string& utf8) = 0;
};

// Receives the caret rectangle in the window's units, as SDL_SetTextInputRect takes it.
using CaretSink = std::function<void(int x, int y, int width, int height)>;

// SDL2 text input (SDL_StartTextInput, SDL_TEXTINPUT, SDL_TEXTEDITING, key
// downs, the SDL clipboard). Needs the SDL video subsystem (the game window);
// null when SDL has none. The mapped caret goes to SDL_SetTextInputRect, or
// to `caretSink` when one is given (tests).
std::unique_ptr<TextInput> CreateSdlTextInput(CaretSink caretSink = {});

// Test backend: the test pushes the events a user would cause.
class ScriptedTextInput : public TextInput {
public:
    void Start() override { active_ = true; }
    void Stop() override {
        active_ = false;
        pending_.clear();
    }
    bool Active() const override { return active_; }
    void Discard(bool keysOnly) override;
    bool HasText() const override;
    bool Poll(TextInputEvent* event) override;
    void SetCaretRect(int x, int y, int width, int height) override { caretRect = {x, y, width, height}; }
    std::string GetClipboard() override { return clipboard; }
    void SetClipboard(const std::string& utf8) override { clipboard = utf8; }

    // Queued only while active, as the real backend does.
    void Push(const TextInputEvent& event);
    void Type(const std::string& utf8);
    void Compose(const std::string& utf8, int start, int length);
    void Press(EditKey key, bool shift = false, bool ctrl = false);

    std::string clipboard;
    struct Rect {
        int x = 0, y = 0, width = 0, height = 0;
    };
    Rect caretRect;  // the last one set

private:
    bool active_ = false;
    std::deque<TextInputEvent> pending_;
};

}  // namespace platform
