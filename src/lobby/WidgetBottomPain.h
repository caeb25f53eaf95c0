// WidgetBottomPain.h -- the lobby's bottom pane: create a room (or start it, for its host) and leave the lobby.
#pragma once
#include <cstdint>
#include <memory>

#include "lobby/Widget.h"

namespace g2ui {
class WidgetButton;
}

namespace g2lobby {

class ggSeqLobby;
class WidgetWindowLayout;

// Three buttons under the room list: "create a room", shown in its place
// "start" for the host of a room, and "leave the lobby". Every update it
// decides which of create and start is shown (the other is parked on the
// hidden root) and whether it can be pressed; presses go to the lobby
// screen's actions. Owns its frame and buttons.
class WidgetBottomPain : public g2ui::WidgetSprite {
public:
    static constexpr float kWidth = 312.0f;
    static constexpr float kHeight = 92.0f;

    explicit WidgetBottomPain(ggSeqLobby* owner);
    ~WidgetBottomPain() override;

    g2ui::WidgetButton* GetCreateButton() const { return create_.get(); }
    g2ui::WidgetButton* GetStartButton() const { return start_.get(); }
    g2ui::WidgetButton* GetExitButton() const { return exit_.get(); }

    void Update() override;
    void Draw(float, float, int32_t) override {}
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    ggSeqLobby* owner_;
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::unique_ptr<g2ui::WidgetButton> create_, start_, exit_;
};

}  // namespace g2lobby
