// WidgetDialog.h -- the modal message dialog with text rows and buttons, and the screen background.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lobby/Widget.h"

namespace g2ui {
class LineEdit;
class TextTextureFont;
class WidgetButton;
class WidgetLabel;
class WidgetText;
}  // namespace g2ui

namespace g2lobby {

class WidgetWindowLayout;

// A dialog: a frame over its whole size, centred text rows (plain or
// editable) and buttons; it remembers the index of the last button released
// (-1 until one is) and swallows every message, so nothing inside it reaches
// the panes below. The lobby screen's modes open one under the overlay root
// with modality on and delete it when they leave. Owns its frame, rows and
// buttons; the sprite manager and font are the lobby screen's.
class WidgetDialog : public g2ui::WidgetSprite {
public:
    WidgetDialog(ggSpriteManager* sprites, g2ui::TextTextureFont* font, const std::string& name, float width,
                 float height);
    ~WidgetDialog() override;

    // A plain text row centred on position.x.
    void SetText(int row, g2ui::Point position, const std::string& text);
    // A row typed through lineEdit (null: plain) of at most maxLength bytes.
    void SetTextEx(int row, g2ui::Point position, const std::string& text, g2ui::LineEdit* lineEdit,
                   uint32_t maxLength);
    void AddButton(int index, g2ui::Point position, int32_t pressedId, int32_t normalId, float marginX, float marginY);
    void AddButtonEx(int index, g2ui::Point position, int32_t pressedId, int32_t normalId, int32_t disabledId,
                     float marginX, float marginY);

    void Update() override {}
    void Draw(float, float, int32_t) override {}
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

    int32_t GetClicked() const { return clicked_; }
    g2ui::WidgetText* GetRow(int row) const;
    g2ui::WidgetButton* GetButton(int index) const;
    WidgetWindowLayout* GetFrame() const { return frame_.get(); }
    const std::string& GetName() const { return name_; }

private:
    void SetRow(int row, g2ui::Point position, const std::string& text, g2ui::LineEdit* lineEdit, uint32_t maxLength);

    g2ui::TextTextureFont* font_;
    std::string name_;
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::vector<std::unique_ptr<g2ui::WidgetText>> rows_;
    std::vector<std::unique_ptr<g2ui::WidgetButton>> buttons_;
    int32_t clicked_ = -1;
};

// The lobby screen's background: one sprite over the left half and the same
// sprite mirrored over the right half. Never hit. Owns its two labels.
class WidgetBackground : public g2ui::WidgetSprite {
public:
    WidgetBackground(ggSpriteManager* sprites, float width, float height);
    ~WidgetBackground() override;
    bool HitTest(const g2ui::Point&) const override { return false; }
    void Update() override {}
    void Draw(float, float, int32_t) override {}

    g2ui::WidgetLabel* GetLeft() const { return left_.get(); }
    g2ui::WidgetLabel* GetRight() const { return right_.get(); }

private:
    std::unique_ptr<g2ui::WidgetLabel> left_, right_;
};

}  // namespace g2lobby
