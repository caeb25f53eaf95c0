// tmMenuOptionTest.cpp -- the four option screens: the opening wait, cursor and choices, the leave, what each
// writes into the settings, the controller's pad buttons and skipped rows, the sound screen's volumes and songs.
#include <gtest/gtest.h>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/MenuRig.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmSeqMenuOptCtrler.h"
#include "menu/tmSeqMenuOptGame.h"
#include "menu/tmSeqMenuOptSound.h"
#include "menu/tmSeqMenuOptVideo.h"
#include "sys/sound/tmSound.h"

namespace {
constexpr int kU = tmKey::kUp, kD = tmKey::kDown, kL = tmKey::kLeft, kR = tmKey::kRight;

// Starts a screen and runs its 61-step opening wait.
void Open(MenuRig& rig, tmSequence& screen) {
    rig.Start(screen);
    rig.Steps(61);
}
// Taps a key n times.
void Taps(MenuRig& rig, int key, int n) {
    for (int i = 0; i < n; ++i) rig.Tap(key);
}
}  // namespace

TEST(OptionGame, AnOldLapCountShowsThreeAndIsSavedAsThree) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetGameOption2(4);
    cfg.SetGameOption1(9);  // outside the choices: the first shows
    tmSeqMenuOptGame screen;
    Open(rig, screen);
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptGame::kLaps), 0);
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptGame::kDifficulty), 0);
    rig.Tap(tmKey::kBackspace);  // cancel applies like RETURN
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(cfg.GetGameOption2(), 3);
    EXPECT_EQ(cfg.GetGameOption1(), 0);
    EXPECT_EQ(rig.Count(tmMenuSound::kApply), 1);
    rig.Finish();
}

TEST(OptionGame, InputWaitsForTheOpeningAndTheLeaveTakes71Steps) {
    MenuRig rig;
    tmSeqMenuOptGame screen;
    rig.Start(screen);
    Taps(rig, kD, 3);  // ignored: the rows are still sliding in
    EXPECT_EQ(screen.GetCursor(), 0);
    EXPECT_EQ(rig.Count(tmMenuSound::kSubCursor), 0);
    rig.Steps(60);
    rig.Tap(kU);  // wraps to RETURN
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptGame::kReturn);
    const int decide = rig.steps + 1;
    rig.Tap(tmKey::kReturn);
    EXPECT_TRUE(screen.IsLeaving());
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(rig.nextStep - decide, 71);
    EXPECT_EQ(screen.GetRow(0)->targetX, tmMenuOption::kRowOutX);
    EXPECT_EQ(screen.GetRow(0)->delay + 0, 0);  // the top row's delay has run out by now
    rig.Finish();
}

TEST(OptionGame, ChoicesWrapAndAreAppliedOnLeaving) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetGameOption2(15);
    cfg.SetGameFlag3(1);
    tmSeqMenuOptGame screen;
    Open(rig, screen);
    rig.Tap(kR);  // NORMAL -> HARD
    rig.Tap(kD);
    rig.Tap(kR);  // 15 -> 3
    Taps(rig, kD, 3);
    rig.Tap(kL);  // mini map ON -> OFF
    EXPECT_EQ(rig.Count(tmMenuSound::kValue), 3);
    rig.Tap(kD);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(cfg.GetGameOption1(), 2);
    EXPECT_EQ(cfg.GetGameOption2(), 3);
    EXPECT_EQ(cfg.GetGameFlag3(), 0);
    EXPECT_EQ(cfg.GetGameFlag1(), 1);
    rig.Finish();
}

TEST(OptionGame, HoldingDownScrollsAtTheRepeatRateAndWraps) {
    MenuRig rig;
    tmSeqMenuOptGame screen;
    Open(rig, screen);
    rig.input.SetKey(kD, true);
    rig.Steps(80);
    rig.input.SetKey(kD, false);
    const int moves = rig.Count(tmMenuSound::kSubCursor);
    EXPECT_GE(moves, 6);   // past RETURN ...
    EXPECT_LT(moves, 20);  // ... at the repeat rate, not every step
    EXPECT_EQ(screen.GetCursor(), moves % tmSeqMenuOptGame::kRows);
    rig.Finish();
}

TEST(OptionVideo, ResolutionAndFrameRateWrapAndOnlyTheSettingsChange) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetVideoMode(16);  // 1920 x 1200
    cfg.SetRenderOption(0);
    cfg.SetShadowLevel(7);  // outside: shows MAX
    tmSeqMenuOptVideo screen;
    Open(rig, screen);
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptVideo::kShadow), 0);
    rig.Tap(kR);
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptVideo::kResolution), 0);  // 640 x 480
    Taps(rig, kD, 7);
    rig.Tap(kL);
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptVideo::kFrameRate), 5);  // 10
    Taps(rig, kD, 2);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_EQ(cfg.GetVideoMode(), 0);
    EXPECT_EQ(cfg.GetRenderOption(), 5);
    EXPECT_EQ(cfg.GetShadowLevel(), 0);
    rig.Finish();
}

class OptionCtrler : public ::testing::Test {
protected:
    void SetUp() override {
        rig.input.joystickCount = 1;
        tmPeripheral::GetInstance()->Init(&rig.input, true);
    }
    void PressButton(int b) {
        rig.input.joy[0].buttons[b] = 0x80;
        rig.Step();
        rig.input.joy[0].buttons[b] = 0;
        rig.Step();
    }
    MenuRig rig;
    tmSeqMenuOptCtrler screen;
};

TEST_F(OptionCtrler, AxisDevicesSkipThePedalRows) {
    tmConfig::GetInstance().SetKeyDevice(0);
    Open(rig, screen);
    rig.Tap(kD);
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kAccel);  // every row with the joypad
    rig.Tap(kU);
    rig.Tap(kR);  // XBOX360: the pedals on an axis
    rig.Tap(kD);
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kBoost);
    rig.Tap(kU);
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kDevice);
    rig.Finish();
}

TEST_F(OptionCtrler, APadButtonIsTakenAndTheCursorMovesOn) {
    tmConfig::GetInstance().SetKeyDevice(1);
    tmConfig::GetInstance().SetKeyAssign(tmSeqMenuOptCtrler::kBoost, 0);
    Open(rig, screen);
    rig.Tap(kD);
    ASSERT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kBoost);
    rig.input.joy[0].x = 1000;  // an axis pushed: nothing taken
    rig.Steps(2);
    rig.input.joy[0].x = 0;
    rig.Steps(2);
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kBoost);
    PressButton(4);  // button 5
    EXPECT_EQ(screen.GetChoice(tmSeqMenuOptCtrler::kBoost), 4);
    EXPECT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kTransform);
    EXPECT_EQ(rig.Count(tmMenuSound::kValue), 1);
    rig.Finish();
}

TEST_F(OptionCtrler, OnlyReturnLeavesAndTheButtonsAreBoundAtOnce) {
    Open(rig, screen);
    // The key hint names RETURN as the way out, not the BACKSPACE of the other option screens.
    tmSeqMenuOptGame game;
    game.Init();
    EXPECT_NE(screen.GetFoot()->secondSpriteId, game.GetFoot()->secondSpriteId);
    EXPECT_EQ(screen.GetFoot()->secondSpriteId, uint32_t(content::SPR_MO_FRAME_FOOT_CTRLER_B));
    game.Term();
    Taps(rig, kD, 2);  // BRAKE with the joypad
    PressButton(6);
    rig.Tap(tmKey::kBackspace);
    rig.Tap(tmKey::kEscape);
    EXPECT_EQ(rig.RunToNext(80), 0);  // cancel never leaves this screen
    rig.Tap(kU);
    rig.Tap(kU);
    rig.Tap(kU);
    rig.Tap(kU);  // wraps to RETURN
    ASSERT_EQ(screen.GetCursor(), tmSeqMenuOptCtrler::kReturn);
    rig.Tap(tmKey::kReturn);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    const tmConfig& cfg = tmConfig::GetInstance();
    EXPECT_EQ(cfg.GetKeyAssign(tmPadAssign::kBrake), 6);
    EXPECT_EQ(tmPeripheral::GetInstance()->GetJoyButtonAssign(tmAction::kBrake, 0), 6);
    EXPECT_EQ(tmPeripheral::GetInstance()->GetJoyButtonAssign(tmAction::kCancel, 0), 6);  // the brake button cancels
    EXPECT_EQ(tmPeripheral::GetInstance()->GetJoyButtonAssign(tmAction::kPause, 0),
              cfg.GetKeyAssign(tmPadAssign::kPause));
    rig.Finish();
}

TEST(OptionSound, VolumesApplyAtOnceAndTheSongPreviewEndsWithTheScreen) {
    MenuRig rig;
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetBgmVolume(8);
    tmMenu::PlayMusic(tmMusicStream::kMenu);
    tmSeqMenuOptSound screen;
    Open(rig, screen);
    rig.Tap(kL);  // 8 -> 7
    EXPECT_EQ(cfg.GetBgmVolume(), 7);
    EXPECT_FLOAT_EQ(tmSound::GetInstance()->GetCategoryVolume(tmSoundCategory::kMusic), 0.7f);
    rig.Tap(kD);
    rig.Tap(kR);  // effects 7 -> 8
    EXPECT_FLOAT_EQ(tmSound::GetInstance()->GetCategoryVolume(tmSoundCategory::kEffects), 0.8f);
    EXPECT_FLOAT_EQ(tmSound::GetInstance()->GetCategoryVolume(tmSoundCategory::kLoops), 0.8f);
    rig.Tap(kD);
    Taps(rig, kR, 4);  // stepping through songs plays nothing
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kMenu);
    rig.Tap(tmKey::kReturn);  // plays the fifth song (stream 4)
    EXPECT_TRUE(screen.IsPreviewPlayed());
    EXPECT_EQ(rig.MusicRow(), 4);
    rig.Tap(tmKey::kBackspace);
    EXPECT_EQ(rig.RunToNext(100), kSeqMainMenu);
    EXPECT_FALSE(rig.MusicPlaying());  // the preview stops with the leave
    rig.Finish();
    EXPECT_EQ(rig.MusicRow(), tmMusicStream::kMenu);  // and the menu's music comes back
    // The song is forgotten with the screen.
    tmSeqMenuOptSound again;
    Open(rig, again);
    EXPECT_EQ(again.GetChoice(tmSeqMenuOptSound::kSong), 0);
    rig.Finish();
}
