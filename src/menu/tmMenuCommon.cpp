// tmMenuCommon.cpp -- sounds, music, input queries and tween helpers of the menu screens.
#include "menu/tmMenuCommon.h"

#include "menu/tmMenuFlow.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/sound/tmSound.h"

namespace tmMenu {

void PlaySound(uint32_t soundId) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(soundId);
}

void PlayMusic(int streamId) {
    if (tmSound* sound = tmSound::GetInstance()) sound->PlayStream(streamId, false);
}

void StopMusic() {
    if (tmSound* sound = tmSound::GetInstance()) sound->StopStream();
}

int NextId(int normalId) { return tmMenuFlow::IsNormalPlay() ? normalId : 1; }

tmSpriteTween* MakeTween(const SpritePlacement& p) {
    tmSpriteTween* t = TM_NEW tmSpriteTween();
    t->SetTarget(p);
    return t;
}

void DeleteTweens(tmSpriteTween** tweens, int count) {
    for (int i = 0; i < count; ++i) {
        TM_DELETE(tweens[i]);
        tweens[i] = nullptr;
    }
}

void UpdateTweens(tmSpriteTween* const* tweens, int count) {
    for (int i = 0; i < count; ++i)
        if (tweens[i]) tweens[i]->Update();
}

void DrawTweens(const tmSpriteTween* const* tweens, int count) {
    for (int i = 0; i < count; ++i)
        if (tweens[i]) tweens[i]->Draw();
}

void Move(tmSpriteTween* t, float x, float y, float alpha, int32_t delay) {
    if (t) t->MoveTo(SpriteTarget{x, y, alpha, static_cast<uint32_t>(delay)}, delay);
}

namespace {
const tmPeripheral* In() { return tmPeripheral::GetInstance(); }
}  // namespace

bool Triggered(int action) { return In() && In()->IsTrigger(action, 0); }
bool Repeated(int action) { return In() && In()->IsRepeat(action, 0); }
bool Held(int action) { return In() && In()->IsPress(action, 0); }
bool Decide() { return In() && In()->IsDecideTriggered(); }
bool Cancel() { return In() && In()->IsCancelTriggered(); }
bool KeyTriggered(int dik) { return In() && In()->IsKeyTriggered(dik); }

}  // namespace tmMenu
