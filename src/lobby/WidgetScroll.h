// WidgetScroll.h -- the vertical scroll bar of the lobby's list and chat panes.
#pragma once
#include <cstdint>
#include <string>

#include "lobby/Widget.h"

namespace g2lobby {

// A 12-pixel-wide bar whose thumb shows which of `total` rows are visible
// and can be dragged. Rows are whole: the position is the first visible row.
// Owns its thumb sprite name. At least one row is visible, so a pane too
// short for a row still scales and drags without dividing by zero.
class WidgetScroll : public g2ui::WidgetSprite {
public:
    WidgetScroll(ggSpriteManager* sprites, int32_t visibleRows, float height, float rowPitch,
                 const std::string& thumbName);
    ~WidgetScroll() override;

    // Clamped to 0 .. total - visible (0 when that is below 1).
    void SetPosition(int32_t position);
    void ScrollToEnd();
    // Negative counts become 0; the position is not clamped again.
    void SetTotal(int32_t total);
    bool IsAtEnd() const { return position_ >= total_ - visible_; }

    int32_t GetPosition() const { return position_; }
    int32_t GetTotal() const { return total_; }
    int32_t GetVisible() const { return visible_; }
    float GetRowPitch() const { return rowPitch_; }
    bool IsDragging() const { return dragging_; }
    float GetThumbTop() const { return thumbTop_; }
    float GetThumbBottom() const { return thumbBottom_; }

    void Update() override;
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    void Measure();

    std::string thumb_;
    int32_t visible_;
    float rowPitch_;
    int32_t position_ = 0;
    int32_t total_ = 0;
    float thumbTop_ = 0.0f, thumbBottom_ = 0.0f;
    bool dragging_ = false;
    int32_t dragPosition_ = 0;
    int32_t dragPointerY_ = 0;
};

}  // namespace g2lobby
