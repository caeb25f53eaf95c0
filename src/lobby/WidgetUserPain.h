// WidgetUserPain.h -- the lobby's player list pane: one row per player, sorted by level, with the selection.
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

namespace g2lobby {

class ggSeqLobby;
class WidgetScroll;
class WidgetWindowLayout;

// The players in the lobby, rebuilt from the lobby client every update
// (highest level first), with one row text (name and team) per visible
// player. Highlights the selected player and the members of the room
// selected in the room pane; a click on a row selects that player through
// the lobby screen, and Ctrl+Up and Ctrl+Down step the selection a row. The
// selection follows its player when the list re-sorts and clears when the
// player leaves, so a stale row is never taken for it.
// Owns its frame, scroll bar, row texts and four named solid sprites; the
// lobby screen is borrowed. Sends nothing to the server.
class WidgetUserPain : public g2ui::WidgetSprite {
public:
    static constexpr float kWidth = 312.0f;
    static constexpr float kRowPitch = 20.0f;

    WidgetUserPain(ggSeqLobby* owner, int screenHeight, int selectedId);
    ~WidgetUserPain() override;

    int GetCount() const { return static_cast<int>(players_.size()); }
    const lobby::CPlayer* GetPlayer(int index) const;
    int FindIndex(int id) const;
    // Selects the player with that id (false when no row has it) or, with a
    // negative id, clears the selection.
    bool Select(int id, bool sound);
    // The id of the player one row down (step > 0) or up from the selection,
    // passing over the row of `skipId` (the own player, never selected);
    // with nothing selected, the first such row. -1 past either end.
    int NeighbourId(int step, int skipId) const;
    // Scrolls just enough for the row to be in view.
    void ShowRow(int index);
    int GetSelectedIndex() const { return selection_.Index(); }
    int GetSelectedId() const { return selection_.Id(); }
    WidgetScroll* GetScroll() const { return scroll_.get(); }
    // Rebuilds the rows from the lobby client (the first step of Update).
    void Rebuild();

    void Update() override;
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    void UpdateTexts();

    ggSeqLobby* owner_;
    TextTextureContainer<int> texts_;
    std::map<int, std::string> shownTexts_;
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::unique_ptr<WidgetScroll> scroll_;
    std::vector<lobby::CPlayer> players_;
    PaneSelection selection_;
};

}  // namespace g2lobby
