// WidgetLabel.h -- the mouse cursor widget and the stretched sprite label.
#pragma once
#include <cstdint>
#include <string>

#include "lobby/Widget.h"

namespace g2ui {

// The mouse pointer: a table sprite drawn at the cursor position above
// everything (depth 10000). Not a receiver and in no tree; the lobby screen
// makes one and hands it to WidgetRoot::SetCursorWidget.
class WidgetCursor : public Widget {
public:
    WidgetCursor(g2lobby::ggSpriteManager* sprites, const std::string& name, uint32_t spriteId);
    ~WidgetCursor() override;
    bool HitTest(const Point&) const override { return false; }
    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;

private:
    g2lobby::ggSpriteManager* sprites_;
    std::string name_;
};

// A table sprite stretched to the widget's size (a negative width draws it
// mirrored, extending to the right), showing the texture range U0..U1, V0..V1.
class WidgetLabel : public WidgetSprite {
public:
    WidgetLabel(g2lobby::ggSpriteManager* sprites, const std::string& name, uint32_t spriteId);
    ~WidgetLabel() override;
    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;

    const std::string& GetName() const { return name_; }

    float u0 = 0.0f, u1 = 1.0f, v0 = 0.0f, v1 = 1.0f;

private:
    std::string name_;
};

}  // namespace g2ui
