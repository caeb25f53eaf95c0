// WidgetButton.h -- push buttons, switches and the radio group that selects one switch.
#pragma once
#include <cstdint>
#include <string>

#include "lobby/Widget.h"

namespace g2ui {

// A push button with a pressed, a normal and optionally a disabled sprite
// (name + "@ON", "@OFF", "@DIS"). A press inside the hit area (the rectangle
// inset by the margins) reports "BUTTON_DOWN"; a release over it while
// pressed reports "BUTTON_UP"; a release anywhere ends the pressed look.
// Actions go to the parent, bubbling. Owns its sprite names.
class WidgetButton : public WidgetSprite {
public:
    // disabledId < 0: no disabled sprite.
    WidgetButton(g2lobby::ggSpriteManager* sprites, const std::string& name, int32_t pressedId, int32_t normalId,
                 int32_t disabledId);
    ~WidgetButton() override;

    void SetMargins(float horizontal, float vertical);
    bool InHitArea(float px, float py) const;

    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const WidgetMsg& msg) override;

    const std::string& GetName() const { return name_; }
    // The sprite name Draw shows now.
    const std::string& GetShownSprite() const;

    float marginLeft = 0.0f, marginTop = 0.0f, marginRight = 0.0f, marginBottom = 0.0f;
    bool pressed = false;
    bool disabled = false;
    int32_t upSound = -1;
    int32_t downSound = -1;

protected:
    std::string name_;
    std::string pressedName_, normalName_, disabledName_;
};

// A switch: a button whose press reports "SWITCH_DOWN" and whose pressed
// flag means selected; only its group changes that flag.
class WidgetSwitch : public WidgetButton {
public:
    WidgetSwitch(g2lobby::ggSpriteManager* sprites, const std::string& name, int32_t selectedId, int32_t normalId);
    bool OnMessage(const WidgetMsg& msg) override;
};

// A radio group: its children are switches, of which Select marks one
// (index clamped to 0 .. count; the count itself selects none) and reports
// "SWITCH_SELECT" to its parent.
class WidgetSwitchGroup : public WidgetContainer {
public:
    explicit WidgetSwitchGroup(Widget* parent = nullptr) : WidgetContainer(parent) {}
    void Select(int32_t index);
    bool OnMessage(const WidgetMsg& msg) override;
    int32_t GetSelected() const { return selected_; }

private:
    int32_t selected_ = 0;
};

}  // namespace g2ui
