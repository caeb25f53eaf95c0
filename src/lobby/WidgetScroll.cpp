// WidgetScroll.cpp -- thumb geometry, position clamps and dragging.
#include "lobby/WidgetScroll.h"

#include <algorithm>
#include <cmath>

#include "content_tables.h"
#include "lobby/WidgetRoot.h"
#include "lobby/ggSpriteManager.h"

namespace g2lobby {

WidgetScroll::WidgetScroll(ggSpriteManager* sprites, int32_t visibleRows, float h, float rowPitch,
                           const std::string& thumbName)
    : WidgetSprite(sprites), thumb_(thumbName), visible_(std::max(1, visibleRows)), rowPitch_(rowPitch) {
    width = 12.0f;
    height = h;
    if (sprites_) sprites_->AddTableSprite(thumb_, content::SPR_LB_SCROLL_THUMB);
    Measure();
}

WidgetScroll::~WidgetScroll() {
    if (sprites_) sprites_->Remove(thumb_);
}

void WidgetScroll::SetPosition(int32_t p) {
    const int32_t last = total_ - visible_;
    if (p > last) p = last < 1 ? 0 : last;
    if (p < 0) p = 0;
    position_ = p;
}

void WidgetScroll::ScrollToEnd() {
    const int32_t last = total_ - visible_;
    position_ = last >= 1 ? last : 0;
}

void WidgetScroll::SetTotal(int32_t total) { total_ = std::max(0, total); }

void WidgetScroll::Measure() {
    const float scale = height / static_cast<float>(std::max(total_, visible_));
    thumbTop_ = static_cast<float>(position_) * scale;
    thumbBottom_ = thumbTop_ + static_cast<float>(visible_) * scale;
}

void WidgetScroll::Draw(float x, float y, int32_t depth) {
    Measure();
    if (sprites_)
        sprites_->DrawPart(thumb_, x + 3.0f, y + thumbTop_, static_cast<float>(depth), 2.0f, 2.0f, 0.0f, 0, nullptr,
                           6.0f, thumbBottom_ - thumbTop_);
}

bool WidgetScroll::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kButtonDown) {
        const auto& m = static_cast<const g2ui::WDButtonDown&>(msg);
        if (m.button == 0 && m.y >= thumbTop_ && m.y < thumbBottom_) {
            dragging_ = true;
            dragPosition_ = position_;
            dragPointerY_ = static_cast<int32_t>(LocalToGlobal({m.x, m.y}).y);
        }
    } else if (msg.type == g2ui::WidgetMsg::kNCButtonUp) {
        dragging_ = false;
    }
    return false;
}

void WidgetScroll::Update() {
    if (!dragging_) return;
    const float perRow = (thumbBottom_ - thumbTop_) / static_cast<float>(visible_);
    if (!(perRow > 0.0f)) return;  // a bar of no height cannot be dragged
    const float moved = g2ui::WidgetRoot::GetMousePosition().y - static_cast<float>(dragPointerY_);
    const float rows = std::trunc(moved / perRow);
    const float target = rows + static_cast<float>(dragPosition_);
    SetPosition(static_cast<int32_t>(std::clamp(target, -1.0e9f, 1.0e9f)));
}

}  // namespace g2lobby
