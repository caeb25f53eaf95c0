// WidgetSelector.h -- a value shown as one of several sprites, stepped by two arrow buttons that wrap around.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "lobby/Widget.h"

namespace g2ui {

// Shows the sprite of its value (name + value index). Its first child is the
// decrement button and its second the increment button (added by the owner);
// a "BUTTON_DOWN" from either steps the value, wrapping at the ends, and a
// change reports "SELECTOR_SELECT" to the parent, bubbling. Owns its sprite names.
class WidgetSelector : public WidgetSprite {
public:
    WidgetSelector(g2lobby::ggSpriteManager* sprites, const std::string& name, const std::vector<int32_t>& spriteIds);
    ~WidgetSelector() override;

    // Clamps to minimum .. maximum; a change is reported when notify is set.
    void SetValue(int32_t value, bool notify);
    int32_t GetValue() const { return value_; }
    int32_t GetMinimum() const { return minimum_; }
    int32_t GetMaximum() const { return maximum_; }

    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const WidgetMsg& msg) override;

private:
    std::vector<std::string> names_;
    int32_t minimum_ = 0, maximum_ = 0, value_ = 0;
};

}  // namespace g2ui
