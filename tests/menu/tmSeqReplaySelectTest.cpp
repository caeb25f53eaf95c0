// tmSeqReplaySelectTest.cpp -- the replay select: the empty list's own leave, the race-against filter, deleting
// the last and the only row through the yes/no window, scrolling, and where a chosen replay leads.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "menu/MenuReplays.h"
#include "menu/MenuRig.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqReplaySelect.h"
#include "race/tmReplay.h"
#include "sys/gfx/tmRenderSetting.h"
#include "test/TestScreenText.h"

namespace {
std::string Name(int k) { return "QUVASE_REP0220_2024010112000" + std::to_string(k) + ".dat"; }
bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

class ReplaySelect : public ::testing::Test {
protected:
    void SetUp() override { tmReplay::Create(); }
    void TearDown() override {
        rig.Finish();
        tmReplay::Destroy();
    }
    // Writes replays of the given race modes, one file each, the first recorded first.
    void Files(std::initializer_list<uint32_t> modes) {
        int k = 0;
        for (uint32_t mode : modes) {
            const uint32_t count = mode == kRaceModeSingle ? 1 : 3;
            ASSERT_TRUE(menutest::WriteReplay(Name(k), menutest::MakeHeader(mode, 3 + k % 5, count, 1704110400 + k)));
            ++k;
        }
    }
    void Start(uint32_t mode) {
        tmRaceState::Get().setup.mode = mode;
        rig.Start(screen);
    }
    MenuRig rig;
    tmSeqReplaySelect screen;
    tmSeqReplaySelect other;  // a second visit; it outlives the test body, which TearDown may still end
};
}  // namespace

TEST_F(ReplaySelect, AnEmptyListLeavesByItselfAfter41Steps) {
    Start(kRaceModeReplay);
    EXPECT_EQ(screen.RowCount(), 0);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(rig.nextStep, 42);  // the leave starts in the first step
    EXPECT_EQ(rig.Count(tmMenuSound::kBack), 1);
    EXPECT_EQ(rig.Count(tmMenuSound::kDecide), 0);
}

TEST_F(ReplaySelect, RacingAgainstAReplayListsOnlyTimeAttackReplays) {
    Files({kRaceModeSingle, kRaceModeCup, kRaceModeDemo, kRaceModeSingle, kRaceModeDirect});
    Start(kRaceModeGhost);
    ASSERT_EQ(screen.RowCount(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(screen.GetRow(i).header.setup.mode, uint32_t(kRaceModeSingle));
    rig.Finish();
    tmRaceState::Get().setup.mode = kRaceModeReplay;
    rig.Start(other);
    EXPECT_EQ(other.RowCount(), 5);
}

TEST_F(ReplaySelect, DeletingTheLastRowKeepsTheCursorOnTheNewLast) {
    Files({kRaceModeSingle, kRaceModeSingle, kRaceModeCup});
    Start(kRaceModeReplay);
    rig.Steps(61);
    rig.Tap(tmKey::kDown);
    rig.Tap(tmKey::kDown);
    ASSERT_EQ(screen.GetCursor(), 2);
    const std::string doomed = screen.GetRow(2).fileName;
    rig.Tap(tmKey::kX);  // the delete key
    EXPECT_EQ(screen.GetScreenMode(), tmSeqReplaySelect::kDeleteQuestion);
    EXPECT_EQ(rig.Count(tmMenuSound::kDeleteKey), 1);
    rig.Tap(tmKey::kUp);
    rig.Tap(tmKey::kReturn);  // yes
    rig.Steps(12);
    EXPECT_EQ(screen.GetScreenMode(), tmSeqReplaySelect::kList);
    EXPECT_EQ(screen.RowCount(), 2);
    EXPECT_EQ(screen.GetCursor(), 1);
    EXPECT_FALSE(Exists(doomed));
    EXPECT_EQ(rig.Count(tmMenuSound::kDeleteYes), 1);
    // Answering no keeps the file.
    rig.Tap(tmKey::kX);
    rig.Tap(tmKey::kReturn);
    rig.Steps(12);
    EXPECT_EQ(screen.RowCount(), 2);
}

TEST_F(ReplaySelect, DeletingTheOnlyRowEmptiesTheListWhichThenLeaves) {
    Files({kRaceModeSingle});
    Start(kRaceModeReplay);
    rig.Steps(61);
    rig.Tap(tmKey::kX);
    rig.Tap(tmKey::kUp);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(screen.RowCount(), 0);
}

TEST_F(ReplaySelect, ScrollingFollowsTheCursorWithinItsLimit) {
    Files({0, 0, 0, 0, 0, 0});
    Start(kRaceModeReplay);
    EXPECT_EQ(screen.GetScrollMax(), 2 * 156.0f);
    rig.Steps(61);
    for (int i = 0; i < 5; ++i) rig.Tap(tmKey::kDown);
    EXPECT_EQ(screen.GetScroll(), 2 * 156.0f);
    rig.Tap(tmKey::kDown);  // wraps to the first row
    EXPECT_EQ(screen.GetScroll(), 0.0f);
}

TEST_F(ReplaySelect, AChosenReplayIsWatchedOrRacedAgainst) {
    Files({kRaceModeCup, kRaceModeSingle});
    Start(kRaceModeReplay);
    rig.Steps(61);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(60), kSeqLoading);
    EXPECT_EQ(rig.nextStep - 61, 42);
    EXPECT_TRUE(tmReplay::Get()->IsLoaded());
    EXPECT_FALSE(rig.MusicPlaying());
    rig.Finish();
    tmRaceState::Get().setup.mode = kRaceModeGhost;
    rig.next = 0;
    rig.Start(other);
    ASSERT_EQ(other.RowCount(), 1);
    rig.Steps(61);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(60), kSeqMachineSelect);
    EXPECT_TRUE(tmReplay::Get()->IsGhost());
    EXPECT_EQ(tmRaceState::Get().setup.count, 2u);
}

TEST_F(ReplaySelect, FileNamesAreInTheScreensOwnFontSizeWhoeverMadeTheFont) {
    testscreens::TextDevice text;
    Files({kRaceModeSingle});
    ASSERT_EQ(tmDxFont::Create(20, true), 0);  // as a race display leaves it
    const int found = tmDxFont::GetInstance()->GetHeight();
    Start(kRaceModeReplay);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), static_cast<int>(22.0f * tmGetLayoutScale()));
    rig.Finish();
    ASSERT_NE(tmDxFont::GetInstance(), nullptr);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), found);
    tmDxFont::Destroy();
    rig.Start(other);
    EXPECT_NE(tmDxFont::GetInstance(), nullptr);
    rig.Finish();
    EXPECT_EQ(tmDxFont::GetInstance(), nullptr) << "the font the screen made goes with it";
}

TEST_F(ReplaySelect, AFileThatFailsToLoadGoesBackToTheMenu) {
    Files({kRaceModeSingle});
    Start(kRaceModeReplay);
    std::FILE* f = std::fopen(screen.GetRow(0).fileName.c_str(), "wb");  // cut short after the listing
    ASSERT_NE(f, nullptr);
    std::fputs("QUVASE", f);
    std::fclose(f);
    rig.Steps(61);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(60), kSeqMainMenu);
    EXPECT_FALSE(tmReplay::Get()->IsLoaded());
}
