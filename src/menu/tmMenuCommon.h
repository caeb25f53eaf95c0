// tmMenuCommon.h -- what every menu screen shares: its sound ids, the next id under the menu flow, tween helpers.
#pragma once
#include <cstdint>

#include "menu/tmSpriteTween.h"
#include "sys/sound/tmSoundIds.h"

// One-shot sounds of the menu screens, named by what they answer.
namespace tmMenuSound {
enum : uint32_t {
    kSkip = tmSoundId::kAnswerNo,       // the logo skipped, a question answered no
    kBack = tmSoundId::kConfirm,        // a page or screen left with cancel or RETURN
    kFanfare = 0x10004,                 // the ending: the cup won
    kRankLose = 0x10006,                // the ending: off the podium
    kOpen = 0x10008,                    // a question or a leave toward an option or viewer screen
    kPageOpen = tmSoundId::kAnswerYes,  // a main-menu entry opens its page
    kLeave = 0x1000a,                   // quit, a viewer left
    kDecide = 0x1000d,                  // a final choice
    kLogo = 0x1005b,                    // the makers' logo appears
    kValue = 0x10061,                   // an option value changed or a button taken
    kApply = 0x10062,                   // option screen left with its values applied
    kDeleteKey = 0x10076,               // the replay select's delete key
    kSlide = 0x10088,                   // the main menu slides in or out
    kOptionSlide = 0x1008a,             // an option screen slides in or out
    kDeleteYes = tmSoundId::kWarning,   // a replay deletion answered yes
    kCursor = tmSoundId::kCursor,       // a cursor moved on a top list
    kSubCursor = 0x10090,               // a cursor moved on a page or option list
    kRankWin = 0x10091,                 // the ending: first place
    kRankPodium = 0x10092,              // the ending: second or third place
};
}  // namespace tmMenuSound

namespace tmMenu {
// The screens' virtual-screen extent: x -171..1195 is the 1366-unit width, 0..1024 its centre.
constexpr float kScreenLeft = -171.0f;
constexpr float kScreenWidth = 1366.0f;
constexpr float kScreenHeight = 768.0f;
// The right half of a two-sprite wide panel starts this far right of its left half.
constexpr float kWideOffset = 1023.0f;

void PlaySound(uint32_t soundId);
void PlayMusic(int streamId);
void StopMusic();
// `normalId` in normal play; the debug menu (1) when the debug menu started the screen.
int NextId(int normalId);

// A tween placed at `p` (TM_NEW); DeleteTweens deletes and clears an array of them.
tmSpriteTween* MakeTween(const SpritePlacement& p);
void DeleteTweens(tmSpriteTween** tweens, int count);
void UpdateTweens(tmSpriteTween* const* tweens, int count);
void DrawTweens(const tmSpriteTween* const* tweens, int count);
// MoveTo with the target's own delay.
void Move(tmSpriteTween* t, float x, float y, float alpha, int32_t delay = 0);

// The input object's triggered and repeated actions of player 0; false without input.
bool Triggered(int action);
bool Repeated(int action);
bool Held(int action);
bool Decide();
bool Cancel();
bool KeyTriggered(int dik);
}  // namespace tmMenu
