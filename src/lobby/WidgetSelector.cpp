// WidgetSelector.cpp -- value sprites and wrapping arrow steps.
#include "lobby/WidgetSelector.h"

#include <algorithm>
#include <cstdio>

#include "lobby/WidgetRoot.h"
#include "lobby/ggSpriteManager.h"

namespace g2ui {

WidgetSelector::WidgetSelector(g2lobby::ggSpriteManager* sprites, const std::string& name,
                               const std::vector<int32_t>& spriteIds)
    : WidgetSprite(sprites) {
    for (size_t i = 0; i < spriteIds.size(); ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d", static_cast<int>(i));
        names_.push_back(name + buf);
        if (sprites_) sprites_->AddTableSprite(names_.back(), static_cast<uint32_t>(spriteIds[i]));
    }
    maximum_ = static_cast<int32_t>(spriteIds.size()) - 1;
    if (!names_.empty() && sprites_) {
        width = sprites_->GetWidth(names_[0]);
        height = sprites_->GetHeight(names_[0]);
    }
}

WidgetSelector::~WidgetSelector() {
    if (sprites_)
        for (const std::string& n : names_) sprites_->Remove(n);
}

void WidgetSelector::SetValue(int32_t v, bool notify) {
    v = std::clamp(v, minimum_, std::max(minimum_, maximum_));
    if (v == value_) return;
    value_ = v;
    if (notify) WidgetRoot::SendMessage(GetParent(), WDAction(this, "SELECTOR_SELECT"), true);
}

void WidgetSelector::Draw(float x, float y, int32_t depth) {
    if (!sprites_ || value_ < 0 || value_ >= static_cast<int32_t>(names_.size())) return;
    sprites_->Draw(names_[static_cast<size_t>(value_)], x, y, static_cast<float>(depth), 0.0f, 1.0f, 1.0f, 0.0f, 0,
                   nullptr);
}

bool WidgetSelector::OnMessage(const WidgetMsg& msg) {
    if (msg.type != WidgetMsg::kAction) return false;
    const auto& a = static_cast<const WDAction&>(msg);
    if (a.action != "BUTTON_DOWN") return false;
    int32_t v = value_;
    const int32_t from = IndexOf(a.sender);
    if (from == 0) {
        v = v - 1 < minimum_ ? maximum_ : v - 1;
    } else if (from == 1) {
        v = v + 1 > maximum_ ? minimum_ : v + 1;
    }
    SetValue(v, true);
    return true;
}

}  // namespace g2ui
