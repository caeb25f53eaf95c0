// tmTextInput.h -- the text-entry service: typed text, compositions and editing keys in Shift-JIS.
#pragma once
#include <string>

namespace platform {
class TextInput;
}

// Keys a text field edits with.
enum class tmEditKey { None, Backspace, Delete, Left, Right, Home, End, Enter, Escape, Insert, A, C, V, X };

// One text-entry event with its text already in CP932.
struct tmTextEvent {
    enum class Kind { Text, Composition, Key };
    Kind kind = Kind::Text;
    // Text: the committed characters. Composition: the composition string
    // (empty when it closed). Characters CP932 cannot hold are dropped.
    std::string text;
    // Composition: the caret and the selected clause [clauseStart, clauseEnd)
    // as byte offsets into `text` (an empty clause when there is none).
    int cursor = 0;
    int clauseStart = 0;
    int clauseEnd = 0;
    // Key: the key and the modifiers held.
    tmEditKey key = tmEditKey::None;
    bool shift = false;
    bool ctrl = false;
};

// The one text-entry service of the process, over the window's text input
// (installed by the program; a test installs a scripted one). Without one
// installed it reports no events and an empty clipboard. Main thread only.
class tmTextInput {
public:
    // Installs the platform text input (not owned); null removes it.
    static void SetDevice(platform::TextInput* device);
    static platform::TextInput* GetDevice();

    // Turns the input method on for a field that starts editing, and off again.
    // Started while listening, the field gets the text typed since the last
    // Listen (the key that opened it is its first character) but not the
    // editing keys pressed before it opened.
    static void Start();
    static void Stop();
    // A field lets go of the text input: text typed after its end (a fast
    // typist's next line) waits for whatever opens next, the editing keys go;
    // with no text waiting the input method goes off.
    static void Release();
    static bool IsActive();
    // Turns the input method on while no field edits, so that typing can open
    // one; drops what arrived since the last call.
    static void Listen();
    // Whether typed text or a composition waits (what a key typed, not a key).
    static bool HasText();
    // The caret of the field being edited, in the picture's pixels (the input method's candidates go there;
    // the platform maps it into the window).
    static void SetCaretRect(int x, int y, int width, int height);
    // The oldest pending event; false when none is left.
    static bool Poll(tmTextEvent* event);
    static std::string GetClipboard();
    static void SetClipboard(const std::string& sjis);
};
