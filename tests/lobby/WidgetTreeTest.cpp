// WidgetTreeTest.cpp -- the widget tree: hit tests, message order, modality, drawing and guarded walks.
#include <gtest/gtest.h>

#include <memory>

#include "lobby/LobbyTestSupport.h"
#include "lobby/WidgetRoot.h"

using g2ui::MouseInput;
using g2ui::Widget;
using g2ui::WidgetMsg;
using g2ui::WidgetRoot;
using lobbytest::CountSeen;
using lobbytest::Probe;

namespace {

class WidgetTree : public ::testing::Test {
protected:
    void TearDown() override { lobbytest::ResetToolkit(); }
    static void Click(float x, float y, int button = 0) {
        MouseInput m;
        m.x = x;
        m.y = y;
        m.down[button] = true;
        WidgetRoot::ProcessInput(m);
        MouseInput up;
        up.x = x;
        up.y = y;
        up.wasDown[button] = true;
        WidgetRoot::ProcessInput(up);
    }
};

}  // namespace

TEST_F(WidgetTree, LeftAndTopEdgesHitRightAndBottomEdgesDoNot) {
    Probe w(WidgetRoot::GetBaseRoot(), 10, 20, 30, 40);
    EXPECT_TRUE(w.HitTest({10, 20}));
    EXPECT_TRUE(w.HitTest({39.9f, 59.9f}));
    EXPECT_FALSE(w.HitTest({40, 20}));  // x + width
    EXPECT_FALSE(w.HitTest({10, 60}));  // y + height
    EXPECT_FALSE(w.HitTest({9.9f, 30}));
    EXPECT_EQ(WidgetRoot::HitTestLayers({10, 20}), &w);
    EXPECT_EQ(WidgetRoot::HitTestLayers({40, 20}), nullptr);
}

TEST_F(WidgetTree, DeepestWinsThenLaterSiblingThenOverlay) {
    Probe a(WidgetRoot::GetBaseRoot(), 0, 0, 100, 100);
    Probe b(WidgetRoot::GetBaseRoot(), 0, 0, 100, 100);
    EXPECT_EQ(WidgetRoot::HitTestLayers({50, 50}), &b);  // the later sibling
    // A child (in its parent's coordinates) beats the later sibling of its parent.
    Probe child(&a, 10, 10, 20, 20);
    EXPECT_EQ(WidgetRoot::HitTestLayers({15, 15}), &child);
    EXPECT_EQ(WidgetRoot::HitTestLayers({5, 5}), &b);
    // The walk goes on into children of widgets that were not hit.
    Probe outside(&b, 150, 0, 10, 10);
    EXPECT_EQ(WidgetRoot::HitTestLayers({250, 5}), nullptr);  // 150 + 0 is b's frame: 150..160
    EXPECT_EQ(WidgetRoot::HitTestLayers({155, 5}), &outside);
    Probe dialog(WidgetRoot::GetOverlayRoot(), 0, 0, 100, 100);
    EXPECT_EQ(WidgetRoot::HitTestLayers({50, 50}), &dialog);
    // AddChild of a child of the same parent keeps its place; of an ancestor, nothing.
    a.AddChild(&child);
    EXPECT_EQ(a.IndexOf(&child), 0);
    child.AddChild(&a);
    EXPECT_EQ(a.GetParent(), WidgetRoot::GetBaseRoot());
}

TEST_F(WidgetTree, PressesThenReleasesInButtonOrderToTheHitWidgetAndEveryReceiver) {
    Probe target(WidgetRoot::GetBaseRoot(), 100, 100, 50, 50);
    Probe other(WidgetRoot::GetBaseRoot(), 0, 0, 10, 10);
    MouseInput m;
    m.x = 110;
    m.y = 120;
    m.down[0] = m.down[2] = true;
    m.wasDown[1] = true;
    WidgetRoot::ProcessInput(m);
    // Down 0, NC down 0 (to all), down 2, NC down 2, then the release of 1.
    ASSERT_EQ(target.seen.size(), 6u);
    EXPECT_EQ(target.seen[0].type, WidgetMsg::kButtonDown);
    EXPECT_EQ(target.seen[0].button, 0);
    EXPECT_FLOAT_EQ(target.seen[0].x, 10);  // in the widget's own coordinates
    EXPECT_FLOAT_EQ(target.seen[0].y, 20);
    EXPECT_EQ(target.seen[1].type, WidgetMsg::kNCButtonDown);
    EXPECT_EQ(target.seen[2].type, WidgetMsg::kButtonDown);
    EXPECT_EQ(target.seen[2].button, 2);
    EXPECT_EQ(target.seen[3].type, WidgetMsg::kNCButtonDown);
    EXPECT_EQ(target.seen[4].type, WidgetMsg::kButtonUp);
    EXPECT_EQ(target.seen[4].button, 1);
    EXPECT_EQ(target.seen[5].type, WidgetMsg::kNCButtonUp);
    // The other widget only hears of them, in its own coordinates.
    ASSERT_EQ(other.seen.size(), 3u);
    EXPECT_EQ(other.seen[0].type, WidgetMsg::kNCButtonDown);
    EXPECT_FLOAT_EQ(other.seen[0].x, 110);
    EXPECT_EQ(other.seen[2].type, WidgetMsg::kNCButtonUp);
    EXPECT_EQ(target.updates, 1);
    // Holding a button sends nothing more.
    m.wasDown[0] = m.wasDown[2] = true;
    m.wasDown[1] = false;
    WidgetRoot::ProcessInput(m);
    EXPECT_EQ(target.seen.size(), 6u);
}

TEST_F(WidgetTree, ModalBaseGetsOnlyNcAndActivateAndIsNotUpdatedButStillDrawn) {
    Probe pane(WidgetRoot::GetBaseRoot(), 0, 0, 200, 200);
    Probe dialog(WidgetRoot::GetOverlayRoot(), 300, 0, 100, 100);
    Probe parked(nullptr, 0, 0, 500, 500);  // under the parking root
    WidgetRoot::SetModal(true);
    WidgetRoot::BroadcastActivate();
    Click(50, 50);
    EXPECT_EQ(CountSeen(pane, WidgetMsg::kButtonDown), 0);
    EXPECT_EQ(CountSeen(pane, WidgetMsg::kNCButtonDown), 1);
    EXPECT_EQ(CountSeen(pane, WidgetMsg::kNCButtonUp), 1);
    EXPECT_EQ(CountSeen(pane, WidgetMsg::kActivate), 1);
    EXPECT_EQ(pane.updates, 0);
    EXPECT_EQ(dialog.updates, 2);
    // A parked widget is neither hit nor drawn nor updated, but hears NC and activate.
    EXPECT_EQ(CountSeen(parked, WidgetMsg::kNCButtonDown), 1);
    EXPECT_EQ(CountSeen(parked, WidgetMsg::kActivate), 1);
    EXPECT_EQ(parked.updates, 0);
    WidgetRoot::DrawAll();
    EXPECT_EQ(pane.drawn.size(), 1u);
    ASSERT_EQ(dialog.drawn.size(), 1u);
    EXPECT_EQ(dialog.drawn[0].depth, 896 + 1 + 1);  // the overlay base, the root, the dialog
    EXPECT_TRUE(parked.drawn.empty());
    Click(320, 20);
    EXPECT_EQ(CountSeen(dialog, WidgetMsg::kButtonDown), 1);
    WidgetRoot::SetModal(false);
    Click(50, 50);
    EXPECT_EQ(CountSeen(pane, WidgetMsg::kButtonDown), 1);
    EXPECT_EQ(pane.updates, 2);
}

TEST_F(WidgetTree, DrawWalkAccumulatesPositionsAndDepthsWithoutLeakingBranches) {
    Probe a(WidgetRoot::GetBaseRoot(), 10, 0, 0, 0);
    Probe b(&a, 5, 2, 0, 0);
    Probe c(&b, 1, 1, 0, 0);
    c.depth = 3;
    Probe d(WidgetRoot::GetBaseRoot(), 100, 0, 0, 0);
    Probe cursor(nullptr);
    WidgetRoot::SetCursorWidget(&cursor);
    WidgetRoot::SetCursorPosition(40, 50);
    WidgetRoot::DrawAll();
    ASSERT_EQ(c.drawn.size(), 1u);
    EXPECT_FLOAT_EQ(c.drawn[0].x, 16);
    EXPECT_FLOAT_EQ(c.drawn[0].y, 3);
    EXPECT_EQ(c.drawn[0].depth, 1 + 1 + 1 + 3);  // root, a, b, c
    ASSERT_EQ(d.drawn.size(), 1u);
    EXPECT_FLOAT_EQ(d.drawn[0].x, 100);  // the deep branch before it left no offset behind
    EXPECT_EQ(d.drawn[0].depth, 2);
    ASSERT_EQ(cursor.drawn.size(), 1u);
    EXPECT_FLOAT_EQ(cursor.drawn[0].x, 40);
    EXPECT_EQ(cursor.drawn[0].depth, 0);
    EXPECT_EQ(c.LocalToGlobal({0, 0}).x, 16);
    EXPECT_EQ(c.GlobalToLocal({16, 3}).y, 0);
}

TEST_F(WidgetTree, BubblingStopsAtTheFirstHandler) {
    Probe top(WidgetRoot::GetBaseRoot(), 0, 0, 0, 0, true);
    Probe mid(&top);
    Probe leaf(&mid);
    const g2ui::WDAction act(&leaf, "BUTTON_UP");
    EXPECT_TRUE(WidgetRoot::SendMessage(&leaf, act, true));
    EXPECT_EQ(mid.seen.size(), 1u);
    EXPECT_EQ(top.seen.size(), 1u);
    EXPECT_EQ(top.seen[0].action, "BUTTON_UP");
    EXPECT_FALSE(WidgetRoot::SendMessage(&mid, act, false));
    EXPECT_EQ(top.seen.size(), 1u);
    EXPECT_FALSE(WidgetRoot::SendMessage(nullptr, act, true));
}

TEST_F(WidgetTree, DestroyingAReceiverParksItsChildren) {
    WidgetRoot::GetParkingRoot();  // registered on first use
    auto parent = std::make_unique<Probe>(WidgetRoot::GetBaseRoot());
    Probe child(parent.get());
    const size_t receivers = WidgetRoot::GetReceivers().size();
    parent.reset();
    EXPECT_EQ(child.GetParent(), WidgetRoot::GetParkingRoot());
    EXPECT_EQ(WidgetRoot::GetReceivers().size(), receivers - 1);
    EXPECT_TRUE(WidgetRoot::IsReceiver(WidgetRoot::GetBaseRoot()));
}

namespace {
// Widgets that change the tree while it is walked or broadcast to.
struct Mutator : Probe {
    using Probe::Probe;
    Probe* toDelete = nullptr;
    Widget* toMove = nullptr;
    Widget* moveTo = nullptr;
    bool deleteSelf = false;
    void Update() override {
        Probe::Update();
        Act();
    }
    bool OnMessage(const WidgetMsg& msg) override {
        Probe::OnMessage(msg);
        Act();
        return false;
    }
    void Act() {
        if (toMove) moveTo->AddChild(toMove);
        toMove = nullptr;
        delete toDelete;
        toDelete = nullptr;
        if (deleteSelf) delete this;
    }
};
}  // namespace

TEST_F(WidgetTree, WalksAndBroadcastsSurviveWidgetsChangingTheTree) {
    auto* first = new Mutator(WidgetRoot::GetBaseRoot());
    auto* victim = new Probe(WidgetRoot::GetBaseRoot());
    Probe moved(WidgetRoot::GetBaseRoot());
    Probe after(WidgetRoot::GetBaseRoot());
    first->toDelete = victim;
    first->toMove = &moved;
    first->moveTo = WidgetRoot::GetParkingRoot();
    MouseInput none;
    WidgetRoot::ProcessInput(none);  // the update walk: victim deleted, moved parked
    EXPECT_EQ(moved.updates, 0);
    EXPECT_EQ(after.updates, 1);
    // A broadcast whose receiver deletes another receiver and then itself.
    auto* second = new Probe(WidgetRoot::GetBaseRoot());
    first->toDelete = second;
    first->deleteSelf = true;
    WidgetRoot::BroadcastActivate();
    EXPECT_EQ(CountSeen(after, WidgetMsg::kActivate), 1);
    EXPECT_FALSE(WidgetRoot::IsReceiver(second));
    // A widget deleting itself during the update walk, children and all.
    auto* self = new Mutator(WidgetRoot::GetBaseRoot());
    Probe orphan(self);
    self->deleteSelf = true;
    WidgetRoot::ProcessInput(none);
    EXPECT_EQ(orphan.GetParent(), WidgetRoot::GetParkingRoot());
    EXPECT_EQ(after.updates, 2);
    // A click whose hit widget deletes itself: the other receivers still hear of it.
    auto* clicked = new Mutator(WidgetRoot::GetBaseRoot(), 0, 0, 1000, 1000);
    clicked->deleteSelf = true;
    Click(5, 5);
    EXPECT_EQ(CountSeen(after, WidgetMsg::kNCButtonDown), 1);
}
