// StandardWidgetsTest.cpp -- buttons, switches and their group, selectors, labels and the cursor.
#include <gtest/gtest.h>

#include <memory>

#include "content_tables.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetSelector.h"
#include "lobby/ggSpriteManager.h"

using g2ui::MouseInput;
using g2ui::WidgetButton;
using g2ui::WidgetMsg;
using g2ui::WidgetRoot;
using lobbytest::Probe;
using lobbytest::TestRenderer;

namespace {

class StandardWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        if (!r.Ok()) GTEST_SKIP() << r.Error();
        r.PutSlotSprite(content::SPR_LB_BT_OK_ON, 128, 36);
        r.PutSlotSprite(content::SPR_LB_BT_OK_OFF, 128, 36);
        r.PutSlotSprite(content::SPR_LB_BT_OK_DIS, 128, 36);
    }
    void TearDown() override { lobbytest::ResetToolkit(); }
    // One logic update with the left button as given.
    void Mouse(float x, float y, bool down) {
        MouseInput m;
        m.x = x;
        m.y = y;
        m.down[0] = down;
        m.wasDown[0] = wasDown_;
        wasDown_ = down;
        WidgetRoot::ProcessInput(m);
    }
    static std::vector<std::string> Actions(const Probe& p) {
        std::vector<std::string> out;
        for (const auto& s : p.seen)
            if (s.type == WidgetMsg::kAction) out.push_back(s.action);
        return out;
    }
    TestRenderer r{640, 480};
    g2lobby::ggSpriteManager sprites;
    bool wasDown_ = false;
};

}  // namespace

TEST_F(StandardWidgets, ButtonPressReleaseAndMargins) {
    Probe pane(WidgetRoot::GetBaseRoot(), 100, 100, 400, 200, true);
    WidgetButton bt(&sprites, "Ok", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, -1);
    pane.AddChild(&bt);
    bt.x = 10;
    bt.y = 20;
    bt.SetMargins(16, 8);
    EXPECT_FLOAT_EQ(bt.width, 128);
    EXPECT_FLOAT_EQ(bt.height, 36);
    // A press on the margin (inside the rectangle, outside the inset) does nothing.
    Mouse(100 + 10 + 5, 100 + 20 + 5, true);
    Mouse(115, 125, false);
    EXPECT_FALSE(bt.pressed);
    EXPECT_TRUE(Actions(pane).empty());
    // A full click reports down then up; the release ends the pressed look.
    Mouse(170, 138, true);
    EXPECT_TRUE(bt.pressed);
    EXPECT_EQ(bt.GetShownSprite(), "Ok@ON");
    Mouse(170, 138, false);
    EXPECT_EQ(Actions(pane), (std::vector<std::string>{"BUTTON_DOWN", "BUTTON_UP"}));
    EXPECT_FALSE(bt.pressed);
    // Press, move off, release: no BUTTON_UP, and the normal sprite again.
    pane.seen.clear();
    Mouse(170, 138, true);
    Mouse(400, 400, true);
    Mouse(400, 400, false);
    EXPECT_EQ(Actions(pane), (std::vector<std::string>{"BUTTON_DOWN"}));
    EXPECT_EQ(bt.GetShownSprite(), "Ok@OFF");
    // Drawn with its state sprite at its place.
    sprites.Draw(bt.GetShownSprite(), 0, 0, 0, 0, 1, 1, 0, 0, nullptr);
    EXPECT_EQ(sprites.GetDrawList().back().name, "Ok@OFF");
}

TEST_F(StandardWidgets, DisabledButtonsIgnorePressesButFinishOneInProgress) {
    Probe pane(WidgetRoot::GetBaseRoot(), 0, 0, 400, 400, true);
    WidgetButton plain(&sprites, "A", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, -1);
    WidgetButton withDis(&sprites, "B", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, content::SPR_LB_BT_OK_DIS);
    pane.AddChild(&plain);
    plain.disabled = true;
    withDis.disabled = true;
    EXPECT_EQ(plain.GetShownSprite(), "A@OFF");  // no disabled sprite: the normal one
    EXPECT_EQ(withDis.GetShownSprite(), "B@DIS");
    Mouse(50, 18, true);
    EXPECT_FALSE(plain.pressed);
    Mouse(50, 18, false);
    EXPECT_TRUE(Actions(pane).empty());
    plain.disabled = false;
    Mouse(50, 18, true);
    plain.disabled = true;  // disabled while held
    EXPECT_EQ(plain.GetShownSprite(), "A@ON");
    Mouse(50, 18, false);
    EXPECT_EQ(Actions(pane), (std::vector<std::string>{"BUTTON_DOWN", "BUTTON_UP"}));
}

TEST_F(StandardWidgets, SwitchGroupSelectsOneAndClampsTheIndex) {
    Probe pane(WidgetRoot::GetBaseRoot(), 0, 0, 600, 400, true);
    g2ui::WidgetSwitchGroup group(&pane);
    g2ui::WidgetSwitch all(&sprites, "All", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF);
    g2ui::WidgetSwitch one(&sprites, "One", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF);
    group.AddChild(&all);
    group.AddChild(&one);
    one.x = 200;
    EXPECT_FALSE(group.HitTest({1, 1}));
    group.Select(1);
    EXPECT_FALSE(all.pressed);
    EXPECT_TRUE(one.pressed);
    group.Select(-5);
    EXPECT_TRUE(all.pressed);
    EXPECT_FALSE(one.pressed);
    group.Select(2);  // the number of switches: none selected
    EXPECT_FALSE(all.pressed || one.pressed);
    EXPECT_EQ(group.GetSelected(), 2);
    pane.seen.clear();
    // Clicking a switch selects it through the group.
    Mouse(250, 10, true);
    Mouse(250, 10, false);
    EXPECT_TRUE(one.pressed);
    EXPECT_EQ(Actions(pane), (std::vector<std::string>{"SWITCH_SELECT"}));
    for (const auto& seen : pane.seen)
        if (seen.type == WidgetMsg::kAction) {
            EXPECT_EQ(seen.sender, &group);
        }
    // A switch that is not the group's direct child selects the first.
    g2ui::WDAction foreign(&pane, "SWITCH_DOWN");
    EXPECT_TRUE(group.OnMessage(foreign));
    EXPECT_TRUE(all.pressed);
}

TEST_F(StandardWidgets, SelectorStepsAndWraps) {
    Probe pane(WidgetRoot::GetBaseRoot(), 0, 0, 0, 0, true);
    g2ui::WidgetSelector sel(&sprites, "Num", {content::SPR_LB_LAPS_3, content::SPR_LB_LAPS_5, content::SPR_LB_LAPS_7});
    pane.AddChild(&sel);
    WidgetButton dec(&sprites, "L", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, -1);
    WidgetButton inc(&sprites, "R", content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, -1);
    sel.AddChild(&dec);
    sel.AddChild(&inc);
    EXPECT_EQ(sel.GetValue(), 0);
    EXPECT_EQ(sel.GetMaximum(), 2);
    WidgetRoot::SendMessage(&sel, g2ui::WDAction(&dec, "BUTTON_DOWN"), true);
    EXPECT_EQ(sel.GetValue(), 2);
    WidgetRoot::SendMessage(&sel, g2ui::WDAction(&inc, "BUTTON_DOWN"), true);
    EXPECT_EQ(sel.GetValue(), 0);
    EXPECT_EQ(Actions(pane), (std::vector<std::string>{"SELECTOR_SELECT", "SELECTOR_SELECT"}));
    WidgetRoot::SendMessage(&sel, g2ui::WDAction(&pane, "BUTTON_DOWN"), true);  // from elsewhere: unchanged
    sel.SetValue(9, false);
    EXPECT_EQ(sel.GetValue(), 2);
    EXPECT_EQ(Actions(pane).size(), 2u);
    sel.Draw(5, 6, 3);
    EXPECT_EQ(sprites.GetDrawList().back().name, "Num2");
}

TEST_F(StandardWidgets, MirroredLabelAndCursor) {
    r.PutSlotSprite(content::SPR_LB_BG, 64, 32);
    r.PutSlotSprite(content::SPR_LB_CURSOR, 32, 32);
    g2ui::WidgetLabel label(&sprites, "BGR", content::SPR_LB_BG);
    EXPECT_FLOAT_EQ(label.width, 64);
    label.width = -64;
    label.Draw(100, 0, 16);
    const auto& d = sprites.GetDrawList().back();
    EXPECT_FLOAT_EQ(d.x, 100);  // extends to the right of x
    EXPECT_FLOAT_EQ(d.u0, 1.0f - 1.0f / 64);
    EXPECT_FLOAT_EQ(d.uExtent, -(1.0f - 1.0f / 64));
    // The renderer's width: 64 px x scale x extent, scale 1 mirrored.
    EXPECT_FLOAT_EQ(64 * d.scaleX * d.uExtent, 64);
    g2ui::WidgetCursor cursor(&sprites, "cursor", content::SPR_LB_CURSOR);
    EXPECT_FALSE(cursor.HitTest({0, 0}));
    cursor.Draw(10, 20, 3);
    EXPECT_FLOAT_EQ(sprites.GetDrawList().back().depth, 10000);
}
