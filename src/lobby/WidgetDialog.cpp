// WidgetDialog.cpp -- dialog rows, buttons and message swallowing; the mirrored background.
#include "lobby/WidgetDialog.h"

#include <cmath>
#include <cstdio>

#include "content_tables.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetWindowLayout.h"

namespace g2lobby {

namespace {
const int32_t kDialogFrame[WidgetWindowLayout::kPieces] = {
    content::SPR_LB_DIALOG_LT, content::SPR_LB_DIALOG_MT, content::SPR_LB_DIALOG_RT,
    content::SPR_LB_DIALOG_LM, content::SPR_LB_DIALOG_MM, content::SPR_LB_DIALOG_RM,
    content::SPR_LB_DIALOG_LB, content::SPR_LB_DIALOG_MB, content::SPR_LB_DIALOG_RB,
};
}  // namespace

WidgetDialog::WidgetDialog(ggSpriteManager* sprites, g2ui::TextTextureFont* font, const std::string& name, float w,
                           float h)
    : WidgetSprite(sprites), font_(font), name_(name) {
    width = w;
    height = h;
    depth = 16;
    frame_ = std::make_unique<WidgetWindowLayout>(sprites, w, h, name, kDialogFrame);
    frame_->SetBorders(150.0f, 151.0f, 56.0f, 77.0f);
    AddChild(frame_.get());
}

WidgetDialog::~WidgetDialog() {
    rows_.clear();
    buttons_.clear();
    frame_.reset();
}

g2ui::WidgetText* WidgetDialog::GetRow(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].get() : nullptr;
}

g2ui::WidgetButton* WidgetDialog::GetButton(int index) const {
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[static_cast<size_t>(index)].get()
                                                                   : nullptr;
}

void WidgetDialog::SetText(int row, g2ui::Point position, const std::string& text) {
    SetRow(row, position, text, nullptr, 0);
}

void WidgetDialog::SetTextEx(int row, g2ui::Point position, const std::string& text, g2ui::LineEdit* lineEdit,
                             uint32_t maxLength) {
    SetRow(row, position, text, lineEdit, maxLength);
}

void WidgetDialog::SetRow(int row, g2ui::Point position, const std::string& text, g2ui::LineEdit* lineEdit,
                          uint32_t maxLength) {
    if (row < 0) return;
    if (rows_.size() < static_cast<size_t>(row) + 1) rows_.resize(static_cast<size_t>(row) + 1);
    const int fontHeight = font_ ? font_->GetHeight() : 14;
    const size_t bytes = lineEdit ? maxLength : text.size();
    const float needed = static_cast<float>(bytes * static_cast<size_t>(fontHeight) / 2);
    std::unique_ptr<g2ui::WidgetText>& slot = rows_[static_cast<size_t>(row)];
    if (!slot || slot->width < needed) {
        char name[256];
        std::snprintf(name, sizeof name, "%sText%d", name_.c_str(), row);
        slot.reset();  // the old row goes first: the new one takes its sprite names
        if (lineEdit)
            slot = std::make_unique<g2ui::WidgetText>(sprites_, name, font_, needed, 16.0f, lineEdit, maxLength);
        else
            slot = std::make_unique<g2ui::WidgetText>(sprites_, name, font_, needed, 16.0f);
    }
    slot->SetText(text);
    slot->x = std::floor(position.x - slot->width * 0.5f);
    slot->y = position.y;
    AddChild(slot.get());
}

void WidgetDialog::AddButton(int index, g2ui::Point position, int32_t pressedId, int32_t normalId, float marginX,
                             float marginY) {
    AddButtonEx(index, position, pressedId, normalId, -1, marginX, marginY);
}

void WidgetDialog::AddButtonEx(int index, g2ui::Point position, int32_t pressedId, int32_t normalId, int32_t disabledId,
                               float marginX, float marginY) {
    if (index < 0) return;
    if (buttons_.size() < static_cast<size_t>(index) + 1) buttons_.resize(static_cast<size_t>(index) + 1);
    char name[256];
    std::snprintf(name, sizeof name, "%sBt%d", name_.c_str(), index);
    std::unique_ptr<g2ui::WidgetButton>& slot = buttons_[static_cast<size_t>(index)];
    slot.reset();  // a button added again at the same index replaces the old one
    slot = std::make_unique<g2ui::WidgetButton>(sprites_, name, pressedId, normalId, disabledId);
    slot->x = std::floor(position.x - slot->width * 0.5f);
    slot->y = position.y;
    slot->SetMargins(marginX, marginY);
    AddChild(slot.get());
}

bool WidgetDialog::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kAction) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        if (a.action == "BUTTON_UP")
            for (size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i] && buttons_[i].get() == a.sender) clicked_ = static_cast<int32_t>(i);
    }
    return true;  // nothing inside a dialog reaches the panes below
}

// ---------------------------------------------------------------- background

WidgetBackground::WidgetBackground(ggSpriteManager* sprites, float w, float h) : WidgetSprite(sprites) {
    depth = 16;
    left_ = std::make_unique<g2ui::WidgetLabel>(sprites, "BGL", content::SPR_LB_BG);
    left_->x = 0.0f;
    left_->y = 0.0f;
    left_->width = w / 2.0f;
    left_->height = h;
    right_ = std::make_unique<g2ui::WidgetLabel>(sprites, "BGR", content::SPR_LB_BG);
    right_->x = w / 2.0f;
    right_->y = 0.0f;
    right_->width = -w / 2.0f;
    right_->height = h;
    AddChild(left_.get());
    AddChild(right_.get());
}

WidgetBackground::~WidgetBackground() {
    left_.reset();
    right_.reset();
}

}  // namespace g2lobby
