// WidgetInfoPain.h -- the lobby's information pane: the own profile (editable) and the selected player's.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "lobby/Widget.h"

namespace g2ui {
class WidgetText;
}

namespace g2lobby {

class ggSeqLobby;

// Two tabs over one panel: the own tab shows the own player (name, team and
// comment editable in place, handed to the lobby screen's actions), the other
// tab the player selected in the player list, read-only. Both show the
// player's picture (the default one when none has arrived or it cannot be
// decoded; nothing while it is being fetched), level, experience, rank and
// the reachability of the player's race port as the server reported it.
// Owns its eight texts and its named sprites.
class WidgetInfoPain : public g2ui::WidgetSprite {
public:
    enum Text { kTeam, kName, kRank, kLevel, kExp, kComment, kTcp, kUdp, kTexts };

    WidgetInfoPain(ggSeqLobby* owner, int screenWidth);
    ~WidgetInfoPain() override;

    // Shows a tab and fills its texts (unless not forced and it is shown
    // already); an own-tab field being typed in keeps its edit and text.
    void Fill(bool own, bool forced);
    // Fills the shown tab again (the own record or the selection changed).
    void Refresh();
    // Puts a comment into the comment entry as if it had been typed.
    void SetCommentText(const std::string& text);

    bool IsOwnTabShown() const { return ownTab_; }
    g2ui::WidgetText* GetText(Text t) const { return texts_[t].get(); }
    int GetShownPictureId() const { return pictureId_; }
    // The picture sprite Draw used last ("" when none was drawn).
    const std::string& GetDrawnPicture() const { return drawnPicture_; }

    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    const void* ShownPlayer() const;
    void Place();

    ggSeqLobby* owner_;
    std::unique_ptr<g2ui::WidgetText> texts_[kTexts];
    bool ownTab_ = true;
    int pictureId_ = -2;
    bool pictureOk_ = false;
    std::string drawnPicture_;
};

}  // namespace g2lobby
