// LineEdit.h -- mirrors the edit being typed (text, caret, selection, composition) into a text texture.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace g2ui {

class TextTexture;
class TextTextureFont;
class WidgetText;

// A rectangle in pixels from the text's top-left corner.
struct EditRect {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
};

// The view of the one edit in progress: while open it holds the edit host,
// renders the shown text (the typed line with the open composition inserted
// at the caret) into its own text texture, and keeps the caret, selection,
// composition and target-clause spans in pixels, one half-width cell (font
// height / 2) per byte. The lobby screen owns one; the text fields share it.
// Owns its text texture; the font is borrowed.
class LineEdit {
public:
    LineEdit();
    virtual ~LineEdit();
    LineEdit(const LineEdit&) = delete;
    LineEdit& operator=(const LineEdit&) = delete;

    // False when already open or the edit host is taken.
    bool Open(const std::string& textureName, TextTextureFont* font, uint32_t maxLength);
    void Close();
    void BeginEdit(const std::string& initial);
    void EndEdit();
    // Once per logic update while a field edits; false when not editing or
    // when the edit was committed in this update.
    virtual bool Update();
    // Redraws the texture unless the text is unchanged (or forced).
    void SetText(const std::string& text, bool force);
    // Moves the caret to the character boundary nearest to x (pixels from the
    // text's left edge); ignored while a composition is open or y is outside the line.
    void SetCaretFromPoint(int x, int y);
    // Whether the edit that ended in the last Update was cancelled (an Escape
    // on the empty line before its Enter); cleared on reading.
    bool TakeCancel();
    // The caret, in pixels from the text's left edge (also while it blinks off).
    float GetCaretX() const { return caretX_; }

    EditRect GetTextRect() const;
    // Shown for 40 updates, hidden for 20 (all zero while hidden).
    EditRect GetCaretRect() const;
    EditRect GetSelectionRect() const;
    EditRect GetCompositionRect() const;
    EditRect GetClauseRect() const;

    // The field whose edit this is (set by the field while it edits, else null).
    void SetHolder(WidgetText* field) { holder_ = field; }
    WidgetText* GetHolder() const { return holder_; }
    bool IsOpen() const { return open_; }
    bool IsEditing() const { return editing_; }
    const std::string& GetText() const { return text_; }
    TextTexture* GetTexture() const { return texture_.get(); }
    int32_t GetFrameCounter() const { return frame_; }
    int32_t GetInsertPosition() const { return insert_; }

private:
    float Cell() const;

    bool open_ = false;
    bool editing_ = false;
    uint32_t maxLength_ = 0;
    TextTextureFont* font_ = nullptr;
    std::unique_ptr<TextTexture> texture_;
    std::string text_;
    float textureWidth_ = 0.0f, textureHeight_ = 0.0f;
    int32_t selStart_ = 0, selEnd_ = 0, insert_ = 0, frame_ = 0;
    float caretX_ = 0.0f;
    float selX0_ = 0.0f, selX1_ = 0.0f;
    float compX0_ = 0.0f, compX1_ = 0.0f;
    float clauseX0_ = 0.0f, clauseX1_ = 0.0f;
    bool composing_ = false;
    bool cancelled_ = false;
    WidgetText* holder_ = nullptr;
};

}  // namespace g2ui
