// WidgetLabel.cpp -- drawing of the cursor and of labels, mirrored ones included.
#include "lobby/WidgetLabel.h"

#include "lobby/ggSpriteManager.h"

namespace g2ui {

WidgetCursor::WidgetCursor(g2lobby::ggSpriteManager* sprites, const std::string& name, uint32_t spriteId)
    : sprites_(sprites), name_(name) {
    if (sprites_) sprites_->AddTableSprite(name_, spriteId);
}

WidgetCursor::~WidgetCursor() {
    if (sprites_) sprites_->Remove(name_);
}

void WidgetCursor::Draw(float x, float y, int32_t) {
    if (sprites_) sprites_->Draw(name_, x, y, 10000.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0, nullptr);
}

WidgetLabel::WidgetLabel(g2lobby::ggSpriteManager* sprites, const std::string& name, uint32_t spriteId)
    : WidgetSprite(sprites), name_(name) {
    if (sprites_ && sprites_->AddTableSprite(name_, spriteId)) {
        width = sprites_->GetWidth(name_);
        height = sprites_->GetHeight(name_);
    }
}

WidgetLabel::~WidgetLabel() {
    if (sprites_) sprites_->Remove(name_);
}

void WidgetLabel::Draw(float x, float y, int32_t depth) {
    if (!sprites_) return;
    const float sw = sprites_->GetWidth(name_), sh = sprites_->GetHeight(name_);
    float sx = width / sw, sy = height / sh;
    float left = u0, right = u1 - 1.0f / sw;
    const float top = v0, bottom = v1 - 1.0f / sh;
    if (sx < 0.0f) {
        // Mirrored: the range runs right to left and the sprite extends to the right of x.
        left = 1.0f - 1.0f / sw;
        right = 0.0f;
        sx = -sx;
    }
    sprites_->Draw(name_, x, y, static_cast<float>(depth), 0.0f, sx, sy, 0.0f, 0, nullptr, left, top, right, bottom);
}

}  // namespace g2ui
