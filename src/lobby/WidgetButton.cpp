// WidgetButton.cpp -- button, switch and switch-group logic over the toolkit's mouse messages.
#include "lobby/WidgetButton.h"

#include <algorithm>

#include "lobby/WidgetRoot.h"
#include "lobby/ggSpriteManager.h"
#include "sys/sound/tmSound.h"

namespace g2ui {

namespace {
void PlaySound(int32_t id) {
    if (id < 0) return;
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(static_cast<uint32_t>(id));
}
}  // namespace

WidgetButton::WidgetButton(g2lobby::ggSpriteManager* sprites, const std::string& name, int32_t pressedId,
                           int32_t normalId, int32_t disabledId)
    : WidgetSprite(sprites), name_(name), pressedName_(name + "@ON"), normalName_(name + "@OFF") {
    if (disabledId >= 0) disabledName_ = name + "@DIS";
    if (!sprites_) return;
    const bool pressedOk = sprites_->AddTableSprite(pressedName_, static_cast<uint32_t>(pressedId));
    sprites_->AddTableSprite(normalName_, static_cast<uint32_t>(normalId));
    if (!disabledName_.empty()) sprites_->AddTableSprite(disabledName_, static_cast<uint32_t>(disabledId));
    if (pressedOk) {
        width = sprites_->GetWidth(pressedName_);
        height = sprites_->GetHeight(pressedName_);
    }
}

WidgetButton::~WidgetButton() {
    if (!sprites_) return;
    sprites_->Remove(pressedName_);
    sprites_->Remove(normalName_);
    if (!disabledName_.empty()) sprites_->Remove(disabledName_);
}

void WidgetButton::SetMargins(float horizontal, float vertical) {
    marginLeft = marginRight = horizontal;
    marginTop = marginBottom = vertical;
}

bool WidgetButton::InHitArea(float px, float py) const {
    return marginLeft <= px && px < width - marginRight && marginTop <= py && py < height - marginBottom;
}

const std::string& WidgetButton::GetShownSprite() const {
    if (disabled && !disabledName_.empty()) return disabledName_;
    return pressed ? pressedName_ : normalName_;
}

void WidgetButton::Draw(float x, float y, int32_t depth) {
    if (sprites_) sprites_->Draw(GetShownSprite(), x, y, static_cast<float>(depth), 0.0f, 1.0f, 1.0f, 0.0f, 0, nullptr);
}

bool WidgetButton::OnMessage(const WidgetMsg& msg) {
    switch (msg.type) {
        case WidgetMsg::kButtonDown: {
            const auto& m = static_cast<const WDButtonDown&>(msg);
            if (disabled || m.button != 0 || !InHitArea(m.x, m.y)) return false;
            pressed = true;
            PlaySound(downSound);
            WidgetRoot::SendMessage(GetParent(), WDAction(this, "BUTTON_DOWN"), true);
            return true;
        }
        case WidgetMsg::kButtonUp: {
            const auto& m = static_cast<const WDButtonUp&>(msg);
            if (!pressed || m.button != 0 || !InHitArea(m.x, m.y)) return false;
            PlaySound(upSound);
            WidgetRoot::SendMessage(GetParent(), WDAction(this, "BUTTON_UP"), true);
            return true;
        }
        case WidgetMsg::kNCButtonUp: {
            const auto& m = static_cast<const WDNCButtonUp&>(msg);
            if (!pressed || m.button != 0) return false;
            pressed = false;
            return true;
        }
        default: return false;
    }
}

// ---------------------------------------------------------------- switches

WidgetSwitch::WidgetSwitch(g2lobby::ggSpriteManager* sprites, const std::string& name, int32_t selectedId,
                           int32_t normalId)
    : WidgetButton(sprites, name, selectedId, normalId, -1) {}

bool WidgetSwitch::OnMessage(const WidgetMsg& msg) {
    if (msg.type != WidgetMsg::kButtonDown) return false;
    const auto& m = static_cast<const WDButtonDown&>(msg);
    if (m.button != 0 || !InHitArea(m.x, m.y)) return false;
    PlaySound(downSound);
    WidgetRoot::SendMessage(GetParent(), WDAction(this, "SWITCH_DOWN"), true);
    return true;
}

void WidgetSwitchGroup::Select(int32_t index) {
    const std::vector<Widget*> children = GetChildren();
    const int32_t i = std::clamp(index, 0, static_cast<int32_t>(children.size()));
    for (size_t k = 0; k < children.size(); ++k)
        if (auto* sw = dynamic_cast<WidgetButton*>(children[k])) sw->pressed = static_cast<int32_t>(k) == i;
    selected_ = i;
    WidgetRoot::SendMessage(GetParent(), WDAction(this, "SWITCH_SELECT"), true);
}

bool WidgetSwitchGroup::OnMessage(const WidgetMsg& msg) {
    if (msg.type != WidgetMsg::kAction) return false;
    const auto& a = static_cast<const WDAction&>(msg);
    if (a.action != "SWITCH_DOWN") return false;
    Select(IndexOf(a.sender));
    return true;
}

}  // namespace g2ui
