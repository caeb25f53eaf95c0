// WidgetText.h -- a widget showing one line of text; with a line edit it becomes an input field on click.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "lobby/Widget.h"

namespace g2ui {

class LineEdit;
class TextTexture;
class TextTextureFont;

// A text line drawn from its own text texture (name + "Text", of the
// widget's size). An editable one shares the lobby's line edit: a click
// starts an edit (only one runs at a time), Enter or a click elsewhere
// commits it ("EDIT_FIXED" to the parent, bubbling), Escape rules and a
// dialog opening cancel it. While editing it draws the field background,
// selection, composition span, the line edit's text, the target-clause
// underline and the flashing caret. Owns its text texture and the sprite
// names it registers; the font and line edit are borrowed.
class WidgetText : public WidgetSprite {
public:
    // A plain text.
    WidgetText(g2lobby::ggSpriteManager* sprites, const std::string& name, TextTextureFont* font, float width,
               float height);
    // An editable text of at most maxLength bytes, typed through lineEdit.
    WidgetText(g2lobby::ggSpriteManager* sprites, const std::string& name, TextTextureFont* font, float width,
               float height, LineEdit* lineEdit, uint32_t maxLength);
    ~WidgetText() override;

    // Keeps and draws the text; with a line edit a longer text is cut to the
    // maximum length at a character boundary.
    void SetText(const std::string& text);
    // Ends an edit without keeping what was typed, sets the text and, when
    // editable, reports "EDIT_FIXED" as a commit would.
    void SetTextFixed(const std::string& text);
    void SetColor(float r, float g, float b);
    // Returns whether it is editing afterwards; startEdit false ends an edit.
    bool SetEditable(bool editable, bool startEdit);
    // Ends the edit: a commit keeps the line and reports "EDIT_FIXED".
    void EndEdit(bool cancel);

    void Update() override;
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const WidgetMsg& msg) override;

    const std::string& GetText() const { return text_; }
    const std::string& GetName() const { return name_; }
    bool IsEditable() const { return editable_; }
    bool IsEditing() const { return editing_; }
    uint32_t GetMaxLength() const { return maxLength_; }
    TextTexture* GetTexture() const { return texture_.get(); }
    LineEdit* GetLineEdit() const { return lineEdit_; }

    bool leftAligned = true;
    // Sound ids played when an edit begins, is committed or is cancelled (-1 none).
    int32_t beginSound = -1;
    int32_t commitSound = -1;
    int32_t cancelSound = -1;

private:
    void Redraw();

    std::string name_;
    std::string textName_, editName_, bgName_, caretName_, selName_, compName_, clauseName_;
    TextTextureFont* font_;
    std::unique_ptr<TextTexture> texture_;
    LineEdit* lineEdit_ = nullptr;
    std::string text_;
    uint32_t maxLength_ = 0;
    bool editable_ = false;
    bool editing_ = false;
};

}  // namespace g2ui
