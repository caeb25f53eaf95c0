// WidgetRoomPain.h -- the lobby's room list pane: rooms, the selected room's details, enter and leave buttons.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lobby/PaneSelection.h"
#include "lobby/TextTextureContainer.h"
#include "lobby/Widget.h"
#include "lobbyclient/LobbyRecords.h"

namespace g2ui {
class WidgetButton;
class WidgetLabel;
class WidgetText;
}  // namespace g2ui

namespace g2lobby {

class ggSeqLobby;
class WidgetScroll;
class WidgetWindowLayout;

// The rooms on the server in the server's order, rebuilt from the lobby
// client every update, each with copies of its members that are in the
// player list (a player belongs to the first room that lists him). Marks the
// own room and started rooms, shows the selected room's name, owner, course,
// laps and member count under the list, and carries the buttons that enter
// the selected room and leave the own room. The selection follows its room's
// id and clears when the room is gone. Owns its frame, scroll bar, detail
// texts, buttons, background, row texts and named sprites.
class WidgetRoomPain : public g2ui::WidgetSprite {
public:
    static constexpr float kWidth = 312.0f;
    static constexpr float kHeight = 320.0f;
    static constexpr float kRowPitch = 20.0f;

    struct RoomEntry {
        lobby::CRoom room;
        std::vector<lobby::CPlayer> members;
    };

    WidgetRoomPain(ggSeqLobby* owner, int screenHeight, int selectedId);
    ~WidgetRoomPain() override;

    int GetCount() const { return static_cast<int>(rooms_.size()); }
    const RoomEntry* GetRoom(int index) const;
    int FindIndex(int id) const;
    bool Select(int id, bool sound);
    int GetSelectedIndex() const { return selection_.Index(); }
    int GetSelectedId() const { return selection_.Id(); }
    void Rebuild();

    g2ui::WidgetButton* GetEnterButton() const { return enter_.get(); }
    g2ui::WidgetButton* GetEscapeButton() const { return escape_.get(); }
    g2ui::WidgetText* GetDetail(int i) const { return details_[i].get(); }
    WidgetScroll* GetScroll() const { return scroll_.get(); }

    void Update() override;
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

    enum Detail { kName, kOwner, kCourse, kRound, kNumber, kDetails };

private:
    void UpdateDetails();
    void SetDetail(Detail d, const std::string& text, float x, float y);
    void SetDetailRight(Detail d, const std::string& text, float right, float y);
    void UpdateTexts();

    ggSeqLobby* owner_;
    TextTextureContainer<int> texts_;
    std::map<int, std::string> shownTexts_;
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::unique_ptr<WidgetScroll> scroll_;
    std::unique_ptr<g2ui::WidgetLabel> background_;
    std::unique_ptr<g2ui::WidgetText> details_[kDetails];
    std::unique_ptr<g2ui::WidgetButton> enter_, escape_;
    std::vector<RoomEntry> rooms_;
    PaneSelection selection_;
};

}  // namespace g2lobby
