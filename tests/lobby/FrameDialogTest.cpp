// FrameDialogTest.cpp -- nine-piece frames, scroll bars, dialogs and the background.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "content_tables.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetDialog.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetScroll.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetWindowLayout.h"
#include "lobby/ggSpriteManager.h"
#include "sys/text/tmFontFace.h"

using g2lobby::WidgetScroll;
using g2lobby::WidgetWindowLayout;
using g2ui::MouseInput;
using g2ui::WidgetRoot;
using lobbytest::Probe;
using lobbytest::TestRenderer;

namespace {

class FramesAndDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!r.Ok()) GTEST_SKIP() << r.Error();
        tmFontFace::UseBuiltinGlyphs(true);
        font = std::make_unique<g2ui::TextTextureFont>("gothic", 14, 400, 0);
    }
    void TearDown() override {
        tmFontFace::UseBuiltinGlyphs(false);
        lobbytest::ResetToolkit();
    }
    void Mouse(float x, float y, bool down) {
        MouseInput m;
        m.x = x;
        m.y = y;
        m.down[0] = down;
        m.wasDown[0] = wasDown_;
        wasDown_ = down;
        WidgetRoot::ProcessInput(m);
    }
    const g2lobby::ggSpriteManager::DrawRecord* Find(const std::string& name) const {
        for (const auto& d : sprites.GetDrawList())
            if (d.name == name) return &d;
        return nullptr;
    }
    TestRenderer r{640, 480};
    g2lobby::ggSpriteManager sprites;
    std::unique_ptr<g2ui::TextTextureFont> font;
    bool wasDown_ = false;
};

const int32_t kPane[9] = {
    content::SPR_LB_PANE_LT_PLAYER, content::SPR_LB_PANE_MT, content::SPR_LB_PANE_RT, content::SPR_LB_PANE_LM, -1,
    content::SPR_LB_PANE_RM,        content::SPR_LB_PANE_LB, content::SPR_LB_PANE_MB, content::SPR_LB_PANE_RB};

}  // namespace

TEST_F(FramesAndDialogs, FramePiecesAndBorders) {
    r.PutSlotSprite(content::SPR_LB_PANE_LT_PLAYER, 86, 25);
    r.PutSlotSprite(content::SPR_LB_PANE_MT, 16, 25);
    r.PutSlotSprite(content::SPR_LB_PANE_LM, 86, 16);
    r.PutSlotSprite(content::SPR_LB_PANE_RM, 4, 16);
    r.PutSlotSprite(content::SPR_LB_PANE_LB, 86, 9);
    r.PutSlotSprite(content::SPR_LB_PANE_MB, 16, 9);
    r.PutSlotSprite(content::SPR_LB_PANE_RB, 4, 9);
    WidgetWindowLayout frame(&sprites, 312, 328, "UserPain", kPane);
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kLT).width, 86);
    frame.SetBorders(84, 0, -3, 3);  // 0 and negative leave the sprites' sizes
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kLT).width, 84);
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kLB).width, 84);
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kLT).height, 25);
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kRT).width, 1);  // not in a slot: 1 x 1
    EXPECT_FLOAT_EQ(frame.GetPieceSize(WidgetWindowLayout::kMB).height, 3);
    frame.SetBorders(84, 2, 23, 3);
    frame.Draw(12, 12, 17);
    // No middle piece: nothing drawn over the centre.
    EXPECT_EQ(Find("UserPainMM"), nullptr);
    EXPECT_EQ(sprites.GetDrawList().size(), 8u);
    const auto* top = Find("UserPainMT");
    ASSERT_NE(top, nullptr);
    EXPECT_FLOAT_EQ(top->x, 12 + 84);
    EXPECT_FLOAT_EQ(top->depth, 17);
    // 15 texels of the 16-wide top stretched over 312 - 84 - 2.
    EXPECT_FLOAT_EQ(16 * top->scaleX * top->uExtent, 226);
    const auto* rb = Find("UserPainRB");
    ASSERT_NE(rb, nullptr);
    EXPECT_FLOAT_EQ(rb->x, 12 + 312 - 2);
    EXPECT_FLOAT_EQ(rb->y, 12 + 328 - 3);
    // A frame smaller than its borders draws no stretched piece inside out.
    WidgetWindowLayout tiny(&sprites, 40, 10, "Tiny", kPane);
    tiny.SetBorders(84, 2, 23, 3);
    const size_t before = sprites.GetDrawList().size();
    tiny.Draw(0, 0, 1);
    for (size_t i = before; i < sprites.GetDrawList().size(); ++i) {
        const auto& d = sprites.GetDrawList()[i];
        EXPECT_GE(d.scaleX * d.uExtent, 0) << d.name;
        EXPECT_GE(d.scaleY * d.vExtent, 0) << d.name;
    }
}

TEST_F(FramesAndDialogs, ScrollBarClampsAndShowsAFullThumbForShortLists) {
    WidgetScroll bar(&sprites, 4, 88, 20, "RoomPainScroll");
    bar.SetTotal(3);
    bar.SetPosition(3);
    EXPECT_EQ(bar.GetPosition(), 0);
    bar.Draw(0, 0, 1);
    EXPECT_FLOAT_EQ(bar.GetThumbTop(), 0);
    EXPECT_FLOAT_EQ(bar.GetThumbBottom(), 88);
    bar.SetTotal(-4);
    EXPECT_EQ(bar.GetTotal(), 0);
    bar.SetTotal(10);
    bar.SetPosition(99);
    EXPECT_EQ(bar.GetPosition(), 6);
    EXPECT_TRUE(bar.IsAtEnd());
    bar.SetPosition(-2);
    EXPECT_EQ(bar.GetPosition(), 0);
    bar.ScrollToEnd();
    EXPECT_EQ(bar.GetPosition(), 6);
    bar.SetTotal(20);  // not clamped again, and no longer at the end
    EXPECT_FALSE(bar.IsAtEnd());
}

TEST_F(FramesAndDialogs, DraggingTheThumbClampsAtBothEnds) {
    auto* bar = new WidgetScroll(&sprites, 4, 80, 20, "Scroll");
    WidgetRoot::GetBaseRoot()->AddChild(bar);
    bar->x = 100;
    bar->y = 50;
    bar->SetTotal(8);  // thumb is half the bar: 10 px per row
    bar->Draw(100, 50, 1);
    Mouse(105, 60, true);  // on the thumb (local y 10)
    EXPECT_TRUE(bar->IsDragging());
    Mouse(105, 80, true);  // two rows down
    EXPECT_EQ(bar->GetPosition(), 2);
    Mouse(105, 400, true);  // far below: the last position
    EXPECT_EQ(bar->GetPosition(), 4);
    Mouse(105, -400, true);  // far above: the first
    EXPECT_EQ(bar->GetPosition(), 0);
    Mouse(500, 500, false);  // a release anywhere ends the drag
    EXPECT_FALSE(bar->IsDragging());
    Mouse(105, 300, false);
    EXPECT_EQ(bar->GetPosition(), 0);
    delete bar;
}

TEST_F(FramesAndDialogs, ScrollBarWithNoRoomForARowStillWorks) {
    // A pane 480 high gives trunc((40 - 48) / 20) = 0 visible rows: one is kept.
    WidgetScroll bar(&sprites, 0, 36, 20, "UserPainScroll");
    EXPECT_EQ(bar.GetVisible(), 1);
    bar.SetTotal(5);
    bar.Draw(0, 0, 1);
    EXPECT_TRUE(std::isfinite(bar.GetThumbTop()));
    EXPECT_FLOAT_EQ(bar.GetThumbBottom(), 36.0f / 5);
    WidgetScroll flat(&sprites, 3, 0, 20, "Flat");
    flat.SetTotal(10);
    flat.Draw(0, 0, 1);
    WidgetRoot::GetBaseRoot()->AddChild(&flat);
    flat.OnMessage(g2ui::WDButtonDown({0, 0}, 0));
    flat.Update();  // a bar of no height: nothing to divide by
    EXPECT_EQ(flat.GetPosition(), 0);
}

TEST_F(FramesAndDialogs, DialogRowsButtonsAndSwallowedMessages) {
    Probe pane(WidgetRoot::GetBaseRoot(), 0, 0, 0, 0, true);
    r.PutSlotSprite(content::SPR_LB_BT_CANCEL_ON, 128, 36);
    auto dialog = std::make_unique<g2lobby::WidgetDialog>(&sprites, font.get(), "LobbyConnectDialog", 360, 180);
    pane.AddChild(dialog.get());
    EXPECT_EQ(dialog->depth, 16);
    EXPECT_EQ(dialog->GetChildren().front(), dialog->GetFrame());
    EXPECT_FLOAT_EQ(dialog->GetFrame()->GetPieceSize(WidgetWindowLayout::kRB).width, 151);
    EXPECT_FLOAT_EQ(dialog->GetFrame()->GetPieceSize(WidgetWindowLayout::kMB).height, 77);
    dialog->SetText(0, {180, 75}, "connecting");  // 10 bytes: 70 px, centred on 180
    g2ui::WidgetText* row = dialog->GetRow(0);
    ASSERT_NE(row, nullptr);
    EXPECT_FLOAT_EQ(row->width, 70);
    EXPECT_FLOAT_EQ(row->x, 145);
    EXPECT_FLOAT_EQ(row->height, 16);
    // A shorter text reuses the row; a longer one replaces it with a wider one.
    dialog->SetText(0, {180, 75}, "short");
    EXPECT_EQ(dialog->GetRow(0), row);
    EXPECT_FLOAT_EQ(row->x, 145);
    dialog->SetText(0, {180, 75}, "a much longer line");
    g2ui::WidgetText* wider = dialog->GetRow(0);
    EXPECT_FLOAT_EQ(wider->width, 18 * 7);
    EXPECT_EQ(wider->GetText(), "a much longer line");
    EXPECT_TRUE(sprites.Has("LobbyConnectDialogText0Text"));
    EXPECT_EQ(dialog->IndexOf(wider), static_cast<int>(dialog->GetChildren().size()) - 1);
    dialog->AddButton(0, {180, 116}, content::SPR_LB_BT_CANCEL_ON, content::SPR_LB_BT_CANCEL_OFF, 16, 16);
    g2ui::WidgetButton* bt = dialog->GetButton(0);
    ASSERT_NE(bt, nullptr);
    EXPECT_FLOAT_EQ(bt->x, 116);
    EXPECT_FLOAT_EQ(bt->marginTop, 16);
    EXPECT_EQ(bt->GetName(), "LobbyConnectDialogBt0");
    EXPECT_EQ(dialog->GetClicked(), -1);
    // Click the button: the dialog learns the index, the pane hears nothing.
    Mouse(180, 134, true);
    Mouse(180, 134, false);
    EXPECT_EQ(dialog->GetClicked(), 0);
    for (const auto& s : pane.seen) EXPECT_NE(s.type, g2ui::WidgetMsg::kAction);
    EXPECT_TRUE(dialog->OnMessage(g2ui::WDActivate(0, false)));
    EXPECT_TRUE(dialog->GetFrame()->OnMessage(g2ui::WDAction(&pane, "X")));  // the frame asks its parent
    dialog.reset();
    EXPECT_FALSE(sprites.Has("LobbyConnectDialogText0Text"));
    EXPECT_FALSE(sprites.Has("LobbyConnectDialogBt0@ON"));
    EXPECT_FALSE(sprites.Has("LobbyConnectDialogLT"));
}

TEST_F(FramesAndDialogs, BackgroundMirrorsTheRightHalf) {
    g2lobby::WidgetBackground bg(&sprites, 1366, 768);
    EXPECT_FALSE(bg.HitTest({0, 0}));
    EXPECT_EQ(bg.depth, 16);
    EXPECT_FLOAT_EQ(bg.GetRight()->x, 683);
    EXPECT_FLOAT_EQ(bg.GetRight()->width, -683);
    EXPECT_FLOAT_EQ(bg.GetLeft()->height, 768);
}
