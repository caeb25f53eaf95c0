// ModeCtrlTest.cpp -- the mode controller: switches by request, Enter and Leave, stopping, the switch limit.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lobby/ModeObj.h"

namespace {

// An owner that records what its modes do.
struct Journal {
    std::vector<std::string> events;
};

using Ctrl = g2util::ModeObjCtrl<Journal>;

// A mode that logs Enter, Leave and Update, and runs a scripted action in Update.
class Logged : public g2util::ModeObj<Journal> {
public:
    Logged(const std::string& name, Journal* owner, std::function<bool(Ctrl&)> step = nullptr)
        : ModeObj(name, owner), step_(std::move(step)) {}
    void Enter() override { owner_->events.push_back("enter " + name_); }
    void Leave() override { owner_->events.push_back("leave " + name_); }
    bool Update(Ctrl& ctrl) override {
        owner_->events.push_back("update " + name_);
        return step_ ? step_(ctrl) : true;
    }

private:
    std::function<bool(Ctrl&)> step_;
};

std::vector<std::string> Take(Journal& j) {
    std::vector<std::string> e;
    e.swap(j.events);
    return e;
}

using Events = std::vector<std::string>;

}  // namespace

TEST(ModeCtrl, StartsAtTheFirstModeAndSwitchesOnRequestAtTheNextUpdate) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("A", &j));
    ctrl.AddMode(new Logged("B", &j));
    EXPECT_EQ(ctrl.GetCurrent(), -1);
    EXPECT_TRUE(ctrl.Update());
    EXPECT_EQ(Take(j), (Events{"enter A", "update A"}));
    EXPECT_TRUE(ctrl.ChangeMode("B"));
    EXPECT_EQ(Take(j), Events{});  // a request from outside waits for the next update
    EXPECT_TRUE(ctrl.Update());
    EXPECT_EQ(Take(j), (Events{"leave A", "enter B", "update B"}));
    EXPECT_EQ(ctrl.GetCurrentName(), "B");
}

TEST(ModeCtrl, ChangingToTheCurrentModeOrAnUnknownNameChangesNothing) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("A", &j));
    ctrl.AddMode(new Logged("B", &j));
    ctrl.Update();
    Take(j);
    EXPECT_TRUE(ctrl.ChangeMode("A"));
    ctrl.Update();
    EXPECT_EQ(Take(j), (Events{"update A"}));
    EXPECT_FALSE(ctrl.ChangeMode("NOPE"));
    EXPECT_FALSE(ctrl.ChangeMode(""));
    EXPECT_EQ(ctrl.GetRequested(), 0);
    EXPECT_EQ(ctrl.FindMode("b"), -1) << "names are matched exactly";
}

TEST(ModeCtrl, OfTwoRequestsBeforeAnUpdateOnlyTheLastIsEntered) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    for (const char* n : {"A", "B", "C"}) ctrl.AddMode(new Logged(n, &j));
    ctrl.Update();
    Take(j);
    ctrl.ChangeMode("B");
    ctrl.ChangeMode("C");
    ctrl.Update();
    EXPECT_EQ(Take(j), (Events{"leave A", "enter C", "update C"}));
}

TEST(ModeCtrl, AModeThatRequestsAndReturnsFalseSwitchesInTheSameUpdate) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("A", &j, [](Ctrl& c) {
        c.ChangeMode("B");
        return false;
    }));
    ctrl.AddMode(new Logged("B", &j));
    EXPECT_TRUE(ctrl.Update());
    EXPECT_EQ(Take(j), (Events{"enter A", "update A", "leave A", "enter B", "update B"}));
}

TEST(ModeCtrl, StopLeavesTheModeInTheSameUpdateAndEndsTheController) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("EXIT", &j, [](Ctrl& c) { return !c.Stop(); }));
    EXPECT_FALSE(ctrl.Update());
    EXPECT_EQ(Take(j), (Events{"enter EXIT", "update EXIT", "leave EXIT"}));
    EXPECT_EQ(ctrl.GetCurrent(), -1);
    // Terminate on a stopped controller does nothing.
    ctrl.Terminate();
    EXPECT_EQ(Take(j), Events{});
    EXPECT_FALSE(ctrl.Update());
}

TEST(ModeCtrl, TerminateLeavesTheCurrentModeOnce) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("A", &j));
    ctrl.Update();
    Take(j);
    ctrl.Terminate();
    ctrl.Terminate();
    EXPECT_EQ(Take(j), (Events{"leave A"}));
    EXPECT_EQ(ctrl.GetRequested(), -1);
}

TEST(ModeCtrl, NextAndPrevStepTheRequestAndARequestPastTheEndStops) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    ctrl.AddMode(new Logged("A", &j));
    ctrl.AddMode(new Logged("B", &j));
    ctrl.Update();
    ctrl.Next();
    ctrl.Update();
    EXPECT_EQ(ctrl.GetCurrentName(), "B");
    ctrl.Prev();
    ctrl.Update();
    EXPECT_EQ(ctrl.GetCurrentName(), "A");
    ctrl.Next();
    ctrl.Next();
    EXPECT_FALSE(ctrl.Update());
}

TEST(ModeCtrl, AModeThatNeverFinishesEndsTheStepAfterSixteenSwitches) {
    Journal j;
    Ctrl ctrl("SeqLobby");
    int updates = 0;
    // Two modes that keep handing over to each other without ever finishing a step.
    ctrl.AddMode(new Logged("A", &j, [&](Ctrl& c) {
        ++updates;
        c.ChangeMode("B");
        return false;
    }));
    ctrl.AddMode(new Logged("B", &j, [&](Ctrl& c) {
        ++updates;
        c.ChangeMode("A");
        return false;
    }));
    EXPECT_TRUE(ctrl.Update());
    EXPECT_EQ(updates, Ctrl::kMaxSwitches);
    // And a mode that returns false without asking for anything.
    Journal k;
    Ctrl stuck("SeqLobby");
    int spins = 0;
    stuck.AddMode(new Logged("S", &k, [&](Ctrl&) {
        ++spins;
        return false;
    }));
    EXPECT_TRUE(stuck.Update());
    EXPECT_EQ(spins, Ctrl::kMaxSwitches);
}
