// tmSeqJoinRaceTest.cpp -- the waiting room run headless through the real screens, with the other players as
// sessions on an in-process hub.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/tmConfig.h"
#include "harness/Harness.h"
#include "menu/tmSpriteTween.h"
#include "race/tmRaceNetwork.h"
#include "race/tmRaceState.h"
#include "race/tmSeqJoinRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/sound/tmSoundIds.h"
#include "tests/race/RaceHub.h"

using racetest::Loopback;

namespace {

class WaitingRoom : public ::testing::Test {
protected:
    WaitingRoom() : s(harness::SessionSetup{true, kSeqJoinRace}) {}

    // The room of this process as host (or guest) of a direct race on `course`.
    void Open(bool host, uint32_t course, bool refuse = false) {
        ASSERT_TRUE(s.Start());
        tmRaceNetwork::SetQuietLog(true);
        auto endpoint = hub.MakeEndpoint(Loopback(host ? 1 : 2), Loopback(1));
        endpoint->refuseOpen = refuse;
        own = endpoint.get();
        tmRaceNetwork::Create(std::move(endpoint));
        tmRaceState& rs = tmRaceState::Get();
        rs.setup = tmRaceSetup();
        rs.setup.mode = kRaceModeDirect;
        rs.setup.course = course;
        rs.setup.laps = 3;
        rs.hostFlag = host ? 1 : 0;
    }
    ~WaitingRoom() override { tmRaceNetwork::SetQuietLog(false); }

    // Another player: a session of its own on the hub.
    tmRaceNetwork& Other(int n, bool host = false) {
        others.push_back(std::make_unique<tmRaceNetwork>(hub.MakeEndpoint(Loopback(n), Loopback(1))));
        tmRaceNetwork& p = *others.back();
        EXPECT_TRUE(p.Start(host));
        p.SetOwnStatus(3, 0);
        p.Send(kNetMsgEntry);
        return p;
    }

    tmSeqJoinRace* Room() {
        tmSequenceManager* m = s.Loop().GetSequenceManager();
        return m ? dynamic_cast<tmSeqJoinRace*>(m->GetScreen()) : nullptr;
    }

    // Frames, with every other player polling and (guests) resending its entry as a room does.
    void Run(int frames) {
        for (int i = 0; i < frames; ++i) {
            s.Frame();
            for (auto& p : others) {
                p->Poll();
                if (i % 6 == 0) {
                    if (!p->IsHost()) p->Send(kNetMsgEntry);
                    if (p->IsHost()) p->Send(kNetMsgTable);
                }
            }
        }
    }
    void Tap(int key) {
        s.Input().SetKey(key, true);
        Run(1);
        s.Input().SetKey(key, false);
        Run(1);
    }
    bool RunUntil(const std::function<bool()>& done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Run(1);
        }
        return done();
    }

    // The hub outlives the session, whose race network holds one of its endpoints.
    racetest::RaceHub hub;
    harness::Session s;
    racetest::HubEndpoint* own = nullptr;
    std::vector<std::unique_ptr<tmRaceNetwork>> others;
};

}  // namespace

TEST_F(WaitingRoom, TheHostCannotStartAloneNorBeforeEveryoneIsReady) {
    Open(true, 4);
    Run(12);
    ASSERT_NE(Room(), nullptr);
    EXPECT_EQ(Room()->GetState(), tmSeqJoinRace::kWaiting);
    EXPECT_TRUE(Room()->IsPreviewReady());  // the host knows its course from the start
    EXPECT_EQ(Room()->GetCursor(), tmSeqJoinRace::kCursorReady);
    Tap(tmKey::kReturn);
    EXPECT_EQ(s.CountSound(tmSoundId::kRefused), 1);
    EXPECT_FALSE(Room()->IsReady());

    tmRaceNetwork& guest = Other(2);
    Run(12);
    EXPECT_EQ(tmRaceNetwork::Get()->GetTable().count, 2u);
    Tap(tmKey::kReturn);  // the guest is not ready yet
    EXPECT_EQ(s.CountSound(tmSoundId::kRefused), 2);
    EXPECT_FALSE(Room()->IsReady());
    guest.FreezeOwnStatus();
    guest.Send(kNetMsgEntry);
    Run(2);
    Tap(tmKey::kReturn);
    EXPECT_TRUE(Room()->IsReady());
    EXPECT_EQ(s.CountSound(tmSoundId::kAllReady), 1);
    EXPECT_EQ(tmRaceNetwork::Get()->GetTable().sessionState, kNetSessionStart);
    Run(2);
    EXPECT_EQ(guest.GetTable().sessionState, kNetSessionStart);
}

TEST_F(WaitingRoom, AfterTheStartTheChoiceIsFrozenAndTheRaceFollows180Plus60FramesLater) {
    Open(true, 4);
    tmRaceNetwork& a = Other(2);
    tmRaceNetwork& b = Other(3);
    Run(12);
    // The host moves b to the front: down to the first row, pick, down twice, swap.
    Tap(tmKey::kDown);
    EXPECT_EQ(Room()->GetCursor(), tmSeqJoinRace::kCursorFirstRow + 0);  // grid slot 0: the host
    Tap(tmKey::kReturn);
    EXPECT_EQ(Room()->GetPicked(), 0);
    EXPECT_EQ(s.CountSound(tmSoundId::kPick), 1);
    Tap(tmKey::kDown);
    Tap(tmKey::kDown);
    EXPECT_EQ(Room()->GetCursor(), tmSeqJoinRace::kCursorFirstRow + 2);
    Tap(tmKey::kReturn);
    EXPECT_EQ(Room()->GetPicked(), -1);
    EXPECT_EQ(s.CountSound(tmSoundId::kSwap), 1);
    Run(2);
    EXPECT_EQ(a.GetTable().entries[0].gridSlot, 2);  // the guests see the new grid
    EXPECT_EQ(b.GetTable().entries[2].gridSlot, 0);
    // A machine for the host, then everybody ready.
    Tap(tmKey::kRight);
    Tap(tmKey::kRight);
    const tmSeqJoinRace::Choice chosen = tmSeqJoinRace::GetChoice(2);
    EXPECT_EQ(chosen.machine, 2u);
    a.FreezeOwnStatus();
    b.FreezeOwnStatus();
    a.Send(kNetMsgEntry);
    b.Send(kNetMsgEntry);
    Tap(tmKey::kUp);  // back to ready/start: up from slot 0's row... the cursor walks up the grid
    while (Room()->GetCursor() != tmSeqJoinRace::kCursorReady) Tap(tmKey::kUp);
    Tap(tmKey::kReturn);
    ASSERT_EQ(tmRaceNetwork::Get()->GetTable().sessionState, kNetSessionStart);
    const int choiceAtStart = Room()->GetChoiceIndex();
    Tap(tmKey::kRight);
    EXPECT_EQ(Room()->GetChoiceIndex(), choiceAtStart);  // frozen
    // The rows leave after 180 frames; 60 frames later the race begins.
    int frames = 0;
    while (Room() && Room()->GetState() == tmSeqJoinRace::kWaiting && frames < 400) Run(1), ++frames;
    EXPECT_NEAR(frames, 180, 4);
    ASSERT_NE(Room(), nullptr);
    EXPECT_EQ(Room()->GetRow(0)->targetX, tmSeqJoinRace::kRowOut);
    ASSERT_TRUE(RunUntil([&] { return s.CurrentId() == kSeqRace; }, 80));
    EXPECT_EQ(s.Switches().back().previous, kSeqJoinRace);
    // The race's grid is the host's slots; each entrant's id is its table row.
    const tmRaceState& rs = tmRaceState::Get();
    EXPECT_EQ(rs.setup.count, 3u);
    EXPECT_EQ(rs.setup.local, 2u);  // the host was swapped to the back
    EXPECT_EQ(rs.entrants[0].entrantId, 2u);
    EXPECT_EQ(rs.entrants[1].entrantId, 1u);
    EXPECT_EQ(rs.entrants[2].entrantId, 0u);
    EXPECT_EQ(rs.entrants[2].machineId, 2u);
    EXPECT_EQ(rs.entrants[2].controllerType, static_cast<uint32_t>(kControllerPlayer));
    EXPECT_EQ(rs.entrants[0].controllerType, static_cast<uint32_t>(kControllerNetwork));
    EXPECT_EQ(rs.setup.mode, static_cast<uint32_t>(kRaceModeDirect));
}

TEST_F(WaitingRoom, TheHostsCancelSendsEveryoneToTheTitle) {
    Open(true, 4);
    tmRaceNetwork& a = Other(2);
    Run(12);
    Tap(tmKey::kUp);
    EXPECT_EQ(Room()->GetCursor(), tmSeqJoinRace::kCursorLeave);
    Tap(tmKey::kReturn);
    EXPECT_TRUE(Room()->IsLeaving());
    EXPECT_EQ(s.CountSound(tmSoundId::kConfirm), 1);
    Run(2);
    EXPECT_EQ(a.GetTable().sessionState, kNetSessionCancelled);
    ASSERT_TRUE(RunUntil([&] { return s.CurrentId() == kSeqTitle; }, 300));
    EXPECT_FALSE(tmRaceNetwork::Get()->IsOpen());
}

TEST_F(WaitingRoom, ADirectGuestWithoutACourseLoadsItWithTheFirstTable) {
    Open(false, 0);
    tmRaceNetwork& host = Other(1, true);
    Run(12);
    ASSERT_NE(Room(), nullptr);
    EXPECT_FALSE(Room()->IsPreviewReady());
    EXPECT_FALSE(Room()->IsLoading());  // no table has named a course yet
    host.Poll();                        // the guest's entry
    ASSERT_EQ(host.GetTable().count, 2u);
    // The host's table names course 5 (both share this process's race state, so the host's
    // table is changed directly rather than through its race state).
    const_cast<tmNetPlayerTable&>(host.GetTable()).course = 5;
    host.Send(kNetMsgTable);
    Run(2);  // received in one frame, the load starts in the next
    EXPECT_TRUE(Room()->IsLoading());
    EXPECT_EQ(tmRaceState::Get().setup.course, 5u);
    EXPECT_EQ(Room()->GetOwnIndex(), 1);
    ASSERT_TRUE(RunUntil([&] { return Room()->IsPreviewReady(); }, 200));
    EXPECT_FALSE(Room()->IsLoading());
}

TEST_F(WaitingRoom, AGuestCanLeaveAndASilentHostSendsItHome) {
    Open(false, 4);
    Other(1, true);
    Run(20);
    // Up from ready is leave for a guest too.
    Tap(tmKey::kUp);
    EXPECT_EQ(Room()->GetCursor(), tmSeqJoinRace::kCursorLeave);
    Tap(tmKey::kReturn);
    ASSERT_TRUE(RunUntil([&] { return s.CurrentId() == kSeqTitle; }, 100));
}

TEST_F(WaitingRoom, AGuestWhoseHostNeverAnswersGivesUpAfter600Frames) {
    Open(false, 4);  // nobody hosts
    int frames = 0;
    while (s.CurrentId() != kSeqTitle && frames < 1000) Run(1), ++frames;
    EXPECT_EQ(s.CurrentId(), kSeqTitle);
    EXPECT_GT(frames, 600);
    EXPECT_LT(frames, 600 + 8 + 60 + 10);
}

TEST_F(WaitingRoom, ATransportThatCannotOpenLeavesAtOnce) {
    Open(true, 4, true);
    ASSERT_TRUE(RunUntil([&] { return s.CurrentId() == kSeqTitle; }, 5));
}
