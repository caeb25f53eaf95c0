// EditHost.h -- the one text being edited: a Shift-JIS line with caret, selection, composition and commit rules.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct tmTextEvent;

namespace g2ui {

// The process-wide edit model behind the lobby's text fields: what the
// platform's edit control would hold. It keeps a Shift-JIS byte string of at
// most the maximum length (never ending inside a character), an anchor and a
// caret (byte offsets on character boundaries), the input method's open
// composition with its caret and target clause, the commit buffer with the
// empty-commit flag and the cancel flag. It applies the text-entry service's
// events: typed text, compositions, editing keys (characters, Home and End,
// Shift selection, Ctrl+A/C/X/V and Shift/Ctrl+Insert, Shift+Delete), Enter
// (commit) and Escape (collapse, clear, or mark a cancel). Exists from Create
// to Destroy: only one edit runs at a time. Main thread only.
class EditHost {
public:
    // Bytes of a composition kept (a longer one is cut at a character boundary).
    static constexpr size_t kCompositionBytes = 128;

    static EditHost& Instance();

    // False when already created (the first edit stays in place).
    bool Create(uint32_t maxLength);
    void Destroy();
    // Starts an edit with the initial text (null: empty), caret at its end.
    void Begin(const char* initial);
    void End();
    // While editing: keeps the input method on and applies its pending events.
    void SetFocus();
    // The committed line, emptied on reading; false when nothing was committed.
    bool TakeCommitted(std::string* line);
    std::string GetText() const { return text_; }
    // Collapses the selection at the character boundary nearest below pos.
    void SetCaret(int pos);
    int GetSelStart() const;
    int GetSelEnd() const;
    int GetCaret() const { return caret_; }
    // The open composition (at most kCompositionBytes bytes); false when none.
    bool GetComposition(std::string* composition) const;
    int GetCompositionCursor() const { return compositionCursor_; }
    // One flag per composition byte: 1 inside the target clause, else 0.
    std::vector<uint8_t> GetCompositionTargets() const;
    // The cancel mark (an Escape on an empty line), cleared on reading; typing
    // withdraws it and the end of the edit clears it.
    bool TakeCancel();

    // The control's handling of one event (what its window procedure did).
    void HandleEvent(const tmTextEvent& event);

    bool IsCreated() const { return created_; }
    bool IsEditing() const { return editing_; }
    uint32_t GetMaxLength() const { return maxLength_; }

private:
    EditHost() = default;
    void HandleKey(const tmTextEvent& event);
    void Enter();
    void Escape();
    // Replaces the selection with as much of the text as the limit allows.
    void Insert(const std::string& text);
    void DeleteSelection();
    bool HasSelection() const { return anchor_ != caret_; }
    std::string Selected() const;
    void MoveCaret(int pos, bool extend);

    bool created_ = false;
    bool editing_ = false;
    bool cancel_ = false;
    bool commitBufferMade_ = false;
    bool emptyCommit_ = false;
    uint32_t maxLength_ = 0;
    std::string commit_;
    std::string text_;
    int anchor_ = 0;
    int caret_ = 0;
    std::string composition_;
    int compositionCursor_ = 0;
    int clauseStart_ = 0;
    int clauseEnd_ = 0;
};

}  // namespace g2ui
