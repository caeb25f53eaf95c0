// LobbySheetTest.cpp -- the generated lobby sheet fits what the widgets draw from it, and loads.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "content_tables.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/ggSpriteManager.h"
#include "sys/resource/tmPicture.h"
#include "sys/resource/tmSpriteGroupRecord.h"
#include "table/tmSpriteGroup.h"

namespace {

// A lobby sprite's size in pixels, from its compiled-in record.
struct Size {
    int w, h;
};
Size SpriteSize(int id) {
    const tmSpriteGroupRecord* g = tmSpriteGroup::Get(content::SPRG_LOBBY);
    const int first = content::SPR_LB_BG;
    const sys::tmSpriteRecord& r = g->sprites[id - first];
    return {int(std::lround(r.width * g->width)), int(std::lround(r.height * g->height))};
}

}  // namespace

TEST(LobbySheet, FramePiecesHoldTheirBordersPlusTheTexelTheyStartAfter) {
    // Dialogs: borders 150, 151, 56, 77.
    EXPECT_GE(SpriteSize(content::SPR_LB_DIALOG_LT).w, 151);
    EXPECT_GE(SpriteSize(content::SPR_LB_DIALOG_LT).h, 57);
    EXPECT_GE(SpriteSize(content::SPR_LB_DIALOG_RB).w, 152);
    EXPECT_GE(SpriteSize(content::SPR_LB_DIALOG_RB).h, 78);
    EXPECT_GE(SpriteSize(content::SPR_LB_DIALOG_MM).w, 3);
    // Panes: 84, 2, 23 and up to 7; chat: 135, 2, 13, 49.
    for (int id : {content::SPR_LB_PANE_LT_PLAYER, content::SPR_LB_PANE_LT_ROOM, content::SPR_LB_PANE_LT_MENU}) {
        EXPECT_GE(SpriteSize(id).w, 85);
        EXPECT_GE(SpriteSize(id).h, 24);
    }
    EXPECT_GE(SpriteSize(content::SPR_LB_PANE_RB).w, 3);
    EXPECT_GE(SpriteSize(content::SPR_LB_PANE_RB).h, 8);
    EXPECT_GE(SpriteSize(content::SPR_LB_CHAT_LB).w, 136);
    EXPECT_GE(SpriteSize(content::SPR_LB_CHAT_LB).h, 50);
    // The information panel's parts: 616, 2 and 90 wide, 189 high, after one texel.
    EXPECT_GE(SpriteSize(content::SPR_LB_INFO_OWN_L).w, 617);
    EXPECT_GE(SpriteSize(content::SPR_LB_INFO_OTHER_L).h, 190);
    EXPECT_GE(SpriteSize(content::SPR_LB_INFO_M).w, 3);
    EXPECT_GE(SpriteSize(content::SPR_LB_INFO_R).w, 91);
    // The room details show 0.536 x 0.698 of a 512 x 256 picture; the thumb a 2 x 2 part.
    EXPECT_EQ(SpriteSize(content::SPR_LB_ROOM_DETAIL).w, 512);
    EXPECT_EQ(SpriteSize(content::SPR_LB_ROOM_DETAIL).h, 256);
    EXPECT_GE(SpriteSize(content::SPR_LB_SCROLL_THUMB).w, 3);
    // Solid rectangles scale the white sprite from one pixel.
    EXPECT_EQ(SpriteSize(content::SPR_LB_WHITE).w, 1);
    EXPECT_EQ(SpriteSize(content::SPR_LB_WHITE).h, 1);
    // Buttons fit side by side where the panes place them (20 and 173 in a 312-wide pane).
    EXPECT_LE(SpriteSize(content::SPR_LB_BT_CREATE_OFF).w, 150);
    EXPECT_EQ(SpriteSize(content::SPR_LB_BT_OK_ON).w, SpriteSize(content::SPR_LB_BT_OK_OFF).w);
    EXPECT_EQ(SpriteSize(content::SPR_LB_NO_IMAGE).w, 122);
}

TEST(LobbySheet, TheSheetLoadsAndTheDefaultPictureDecodes) {
    lobbytest::TestRenderer r(640, 480);
    if (!r.Ok()) GTEST_SKIP() << r.Error();
    g2lobby::ggSpriteManager m;
    ASSERT_TRUE(m.LoadSpriteSet(content::SPRG_LOBBY));
    ASSERT_TRUE(m.AddTableSprite("ok", content::SPR_LB_BT_OK_ON));
    EXPECT_FLOAT_EQ(m.GetWidth("ok"), float(SpriteSize(content::SPR_LB_BT_OK_ON).w));
    EXPECT_FLOAT_EQ(m.GetHeight("ok"), float(SpriteSize(content::SPR_LB_BT_OK_ON).h));
    m.ReleaseAll();
    EXPECT_TRUE(m.GetLoadedSets().empty());

    std::ifstream in("data/NoImage.jpg", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint32_t> argb;
    std::string why;
    ASSERT_TRUE(tmDecodePicture(bytes.data(), bytes.size(), 122, 122, &argb, &why)) << why;
    EXPECT_EQ(argb.size(), 122u * 122u);
}
