// tmSeqMenuOptVideo.cpp -- the video options' rows, reading and applying.
#include "menu/tmSeqMenuOptVideo.h"

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"

namespace {
using C = tmMenuOption::Choice;
#define MO_PAIR(n) \
    C { content::SPR_MO_CHOICE_##n##_ON, content::SPR_MO_CHOICE_##n##_OFF }
const C kResolutions[17] = {MO_PAIR(640480),   MO_PAIR(800480),  MO_PAIR(800600),  MO_PAIR(1024600),  MO_PAIR(1024768),
                            MO_PAIR(1280720),  MO_PAIR(1280768), MO_PAIR(1280800), MO_PAIR(1280960),  MO_PAIR(1366768),
                            MO_PAIR(14001050), MO_PAIR(1440900), MO_PAIR(1600900), MO_PAIR(16001200), MO_PAIR(16801050),
                            MO_PAIR(19201080), MO_PAIR(19201200)};
const C kOnOff[2] = {MO_PAIR(OFF), MO_PAIR(ON)};
const C kLevels3[3] = {MO_PAIR(MAX), MO_PAIR(HIGH), MO_PAIR(LOW)};
const C kShadows[4] = {MO_PAIR(MAX), MO_PAIR(HIGH), MO_PAIR(LOW), MO_PAIR(OFF)};
const C kFrameRates[6] = {MO_PAIR(60), MO_PAIR(30), MO_PAIR(20), MO_PAIR(15), MO_PAIR(12), MO_PAIR(10)};
#undef MO_PAIR
constexpr uint32_t kArrowBar = content::SPR_MO_FRAME_BAR_ARROW_BASE;
const tmMenuOption::Row kRowTable[tmSeqMenuOptVideo::kRows] = {
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_RESOLUTION, 17, kResolutions},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_WINDOWMODE, 2, kOnOff},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_SCENESIZE, 3, kLevels3},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_REFLECT, 2, kOnOff},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_SHADOWMAP, 4, kShadows},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_PARTICLE, 2, kOnOff},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_RIVAL, 3, kLevels3},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_FRAMERATE, 6, kFrameRates},
    {kArrowBar, content::SPR_MO_ITEM_VIDEO_SHOWFPS, 2, kOnOff},
    {content::SPR_MO_FRAME_RETURN_BASE, 0, 0, nullptr},
};
}  // namespace

const tmMenuOption::Row* tmSeqMenuOptVideo::Rows(int* count) const {
    *count = kRows;
    return kRowTable;
}

uint32_t tmSeqMenuOptVideo::HeadSprite() const { return content::SPR_MO_FRAME_VIDEO_HEAD_A; }

void tmSeqMenuOptVideo::ReadValues() {
    const tmConfig& cfg = tmConfig::GetInstance();
    choice_[kResolution] = ChoiceIndex(kResolution, cfg.GetVideoMode());
    choice_[kWindow] = ChoiceIndex(kWindow, cfg.IsWindowed());
    choice_[kSceneSize] = ChoiceIndex(kSceneSize, cfg.GetRenderTargetLevel());
    choice_[kReflect] = ChoiceIndex(kReflect, cfg.GetEffectFlag());
    choice_[kShadow] = ChoiceIndex(kShadow, cfg.GetShadowLevel());
    choice_[kParticle] = ChoiceIndex(kParticle, cfg.GetVideoFlag());
    choice_[kRival] = ChoiceIndex(kRival, cfg.GetDistanceLevel());
    choice_[kFrameRate] = ChoiceIndex(kFrameRate, cfg.GetRenderOption());
    choice_[kShowFps] = ChoiceIndex(kShowFps, cfg.GetDisplayFlag());
}

void tmSeqMenuOptVideo::Apply() {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetVideoMode(choice_[kResolution]);
    cfg.SetWindowed(choice_[kWindow] > 0);
    cfg.SetRenderTargetLevel(choice_[kSceneSize]);
    cfg.SetEffectFlag(choice_[kReflect] > 0);
    cfg.SetShadowLevel(choice_[kShadow]);
    cfg.SetVideoFlag(choice_[kParticle] > 0);
    cfg.SetDistanceLevel(choice_[kRival]);
    cfg.SetRenderOption(choice_[kFrameRate]);
    cfg.SetDisplayFlag(choice_[kShowFps] > 0);
    next_ = tmMenu::NextId(kSeqMainMenu);
}
