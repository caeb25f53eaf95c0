// MachineBoostTest.cpp -- boost and body-mode timelines by sound-table entry, refusals and early ends.
#include <map>
#include <utility>

#include "table/MachineTable.h"
#include "tests/machine/MachineFixture.h"

namespace {

// A machine whose sound table plays id 1000 + entry, so the recorder reads entries back.
class Boost : public MachineTest {
protected:
    void Make(int machineId) {
        tmMachine& m = AddMachine(nullptr, machineId, kControllerPlayer, 0, true);
        core_ = m.GetCore();
        move_ = m.GetMove();
        spec_ = *core_->spec;
        sounds_ = *spec_.soundTable;
        for (int i = 0; i < kMachineOneShots; ++i) sounds_.oneShots[i] = 1000 + i;
        spec_.soundTable = &sounds_;
        core_->spec = &spec_;
        core_->raceState = 1;
        core_->bodyMode = static_cast<uint32_t>(spec_.drivePose);
        core_->framesInBodyMode = 12;
        core_->kmh = 300.0f;
        move_->v = 300.0f / 3.6f;
    }
    // One boost step with the buttons; returns the entries played in it.
    std::vector<int> Tick(bool button, bool cancel = false) {
        const size_t before = sound_.played.size();
        move_->UpdateBoost(button, cancel);
        ++core_->framesInBodyMode;
        std::vector<int> entries;
        for (size_t i = before; i < sound_.played.size(); ++i)
            entries.push_back(static_cast<int>(sound_.played[i].id) - 1000);
        return entries;
    }
    // Runs until `frames` steps with `pressAt` pressing boost; entries keyed by step.
    std::map<int, std::vector<int>> Timeline(int frames, std::vector<int> pressAt) {
        std::map<int, std::vector<int>> out;
        for (int f = 0; f < frames; ++f) {
            bool press = std::find(pressAt.begin(), pressAt.end(), f) != pressAt.end();
            std::vector<int> e = Tick(press);
            if (!e.empty()) out[f] = e;
        }
        return out;
    }

    tmMachineCore* core_ = nullptr;
    tmMachineMove* move_ = nullptr;
    MachineSpec spec_{};
    MachineSoundTable sounds_{};
};

using Entries = std::map<int, std::vector<int>>;

TEST_F(Boost, TwoStageTimelineWithSecondStageAndEnd) {
    Make(10);  // two stages, returns to the aero body
    const tmMachineParams& p = core_->params;
    ASSERT_EQ(spec_.boostStages, 2);
    ASSERT_GT(p.bstTimeUse, 240);
    const int stock = core_->boostStock;
    const int second = p.bstTimeCharge + 10;  // c1 at this step is `second`
    Entries got = Timeline(second + p.bstTimeUse2nd + 5, {0, second});
    Entries want;
    want[0] = {4, 12};
    want[p.bstTimeStart] = {9};
    want[p.bstTimeStart + 16] = {10};
    want[p.bstTimeCharge] = {7};
    want[second] = {5, 15};
    want[second + p.bstTimeStart2nd] = {13};
    want[second + p.bstTimeStart2nd + 2] = {14};
    want[second + p.bstTimeUse2nd + 1] = {3};  // the second stage runs out
    ASSERT_LT(second, p.bstTimeUse - 120);
    EXPECT_EQ(got, want);
    EXPECT_EQ(core_->boostStock, stock - 1);  // the second stage costs no stock
    EXPECT_EQ(core_->bodyMode, static_cast<uint32_t>(spec_.drivePose));
    EXPECT_EQ(move_->cooldown, p.bstTimeWait - 3);  // counting down since the end
    EXPECT_EQ(sound_.stopped.size(), 2u);           // both boost loops stopped
    EXPECT_EQ(move_->B, 0.0f);
}

TEST_F(Boost, FirstStageRunsItsTimeWithTheLateLoop) {
    Make(10);
    const tmMachineParams& p = core_->params;
    Entries got = Timeline(p.bstTimeUse + 3, {0});
    EXPECT_EQ(got[p.bstTimeUse - 120], std::vector<int>{11});
    EXPECT_EQ(got[p.bstTimeUse], std::vector<int>{6});
    EXPECT_EQ(core_->boostFramesLeft, 0);
}

TEST_F(Boost, OneStageEndsEarlyWhenPressedAgain) {
    Make(5);  // one stage, normal body
    const tmMachineParams& p = core_->params;
    ASSERT_EQ(spec_.boostStages, 1);
    ASSERT_LE(p.bstTimeUse, 240);
    const int again = p.bstTimeStart + 20;
    Entries got = Timeline(again + 3, {0, again});
    Entries want;
    want[0] = {4, 12};
    want[p.bstTimeStart] = {9};
    want[p.bstTimeStart + 16] = {10};
    want[again] = {6};
    EXPECT_EQ(got, want);  // never entry 11 with bstTimeUse at most 240
    EXPECT_EQ(core_->bodyMode, 0u);
    // Cooldown counts down from the full wait; pressing during it is refused.
    EXPECT_EQ(move_->cooldown, p.bstTimeWait - 2);
    EXPECT_EQ(Tick(true), std::vector<int>{8});
}

TEST_F(Boost, DrivesOnlyAfterTheStartDelayAndTheBrakeCancels) {
    Make(5);
    const tmMachineParams& p = core_->params;
    Tick(true);
    for (int f = 1; f <= p.bstTimeStart; ++f) {
        Tick(false, true);  // a cancel before the drive starts is not heard
        EXPECT_EQ(move_->B, 0.0f);
        EXPECT_EQ(core_->bodyMode, 2u);
    }
    Tick(false);
    EXPECT_FLOAT_EQ(move_->B, p.bstPower * move_->v);
    EXPECT_FLOAT_EQ(move_->F, p.gearFinalBst);
    EXPECT_EQ(Tick(false, true), std::vector<int>{6});
    EXPECT_EQ(move_->B, 0.0f);
}

TEST_F(Boost, RefusedAtTheMinimumSpeedOutOfStockOrUnsettled) {
    Make(5);
    const tmMachineParams& p = core_->params;
    core_->kmh = p.bstSpMin;  // strictly faster is needed
    EXPECT_EQ(Tick(true), std::vector<int>{8});
    core_->kmh = p.bstSpMin + 1.0f;
    core_->boostStock = 0;
    EXPECT_EQ(Tick(true), std::vector<int>{8});
    core_->boostStock = 1;
    core_->framesInBodyMode = 11;
    EXPECT_EQ(Tick(true), std::vector<int>{8});
    EXPECT_EQ(Tick(true), (std::vector<int>{4, 12}));
    EXPECT_EQ(core_->boostStock, 0);
    EXPECT_EQ(core_->boostReady, 0);
}

TEST_F(Boost, AeroBodyComesAndGoesOnlyForShapeChangers) {
    Make(10);  // transition type 3
    core_->bodyMode = 0;
    move_->UpdateBodyMode(true);
    EXPECT_EQ(core_->bodyMode, 1u);
    EXPECT_EQ(core_->previousBodyMode, 0u);
    EXPECT_EQ(core_->framesInBodyMode, 0);
    move_->UpdateBodyMode(true);
    EXPECT_EQ(core_->bodyMode, 0u);
    core_->bodyMode = 2;
    move_->UpdateBodyMode(true);
    EXPECT_EQ(core_->bodyMode, 2u);
    const std::vector<uint32_t> ids = {1002, 1003};
    ASSERT_EQ(sound_.played.size(), 2u);
    EXPECT_EQ(sound_.played[0].id, ids[0]);
    EXPECT_EQ(sound_.played[1].id, ids[1]);

    machines_.clear();
    for (tmMachineCore*& c : race_.cores) c = nullptr;
    Make(5);  // transition type 1 never changes body on the button
    move_->UpdateBodyMode(true);
    EXPECT_EQ(core_->bodyMode, 0u);
}

TEST_F(Boost, ViewerBoostChangesShapeWithoutTorque) {
    Make(10);
    core_->viewerMode = 1;
    core_->kmh = 0.0f;
    move_->UpdateBoostViewer(true, false);
    EXPECT_EQ(core_->bodyMode, 2u);
    for (int i = 0; i < 12; ++i) {
        move_->UpdateBoostViewer(false, false);
        ++core_->framesInBodyMode;
    }
    move_->UpdateBoostViewer(true, false);
    EXPECT_EQ(core_->bodyMode, 3u);
    EXPECT_EQ(move_->B, 0.0f);
    for (int i = 0; i < 12; ++i) {
        move_->UpdateBoostViewer(false, false);
        ++core_->framesInBodyMode;
    }
    move_->UpdateBoostViewer(false, true);
    EXPECT_EQ(core_->bodyMode, static_cast<uint32_t>(spec_.drivePose));
}

}  // namespace
