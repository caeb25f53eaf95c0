// tmSeqTrophyViewer.cpp -- the trophy viewer's items, scrolling, count and leave.
#include "menu/tmSeqTrophyViewer.h"

#include <algorithm>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kViewerGroup = 46;
constexpr int kTrophyGroup = 45;
constexpr int kBackgroundGroup = 38;
constexpr float kRightOutX = 1408.0f, kLeftOutX = -920.0f;
constexpr int32_t kEnterDelay = 20, kLeaveDelay = 30;
constexpr float kScrollBaseX = 1160.0f, kScrollBaseY = 83.0f;
constexpr float kGaugeTop = 18.0f, kGaugeTravel = 465.0f;

const SpritePlacement kFramePlaces[tmSeqTrophyViewer::kFrames] = {
    {-171.0f, -64.0f, 1.0f, content::SPR_TV_FRAME_HEAD_A, content::SPR_TV_FRAME_HEAD_B, 1023.0f, 0.0f},
    {-171.0f, 768.0f, 1.0f, content::SPR_TV_FRAME_FOOT_A, content::SPR_TV_FRAME_FOOT_B, 1023.0f, 0.0f},
    {kScrollBaseX, kScrollBaseY, 0.0f, content::SPR_TV_FRAME_SCROLL_BASE_A, content::SPR_TV_FRAME_SCROLL_BASE_B, 0.0f,
     264.0f},
    {-171.0f, 0.0f, 1.0f, content::SPR_MM_BG_PLUS, 0, 0.0f, 0.0f},
};
const SpriteTarget kFrameIn[tmSeqTrophyViewer::kFrames] = {
    {-171, 0, 1, 0}, {-171, 704, 1, 0}, {kScrollBaseX, kScrollBaseY, 1, 20}, {-171, 0, 1, 0}};
const SpriteTarget kFrameOut[tmSeqTrophyViewer::kFrames] = {
    {-171, -74, 1, 0}, {-171, 778, 1, 8}, {kScrollBaseX, kScrollBaseY, 0, 0}, {-171, 0, 1, 0}};

// The description of each trophy: trophies 42 to 52 (levels) share one.
constexpr int kLevelFirst = 42, kLevelLast = 52;
}  // namespace

uint32_t tmSeqTrophyViewer::TitleSprite(int i) {
    return i >= 0 && i < kTrophies ? content::SPR_TI_STR_TITLE_MCN_TORVIN_1WIN + static_cast<uint32_t>(i) : 0;
}

uint32_t tmSeqTrophyViewer::DescriptionSprite(int i) {
    if (i < 0 || i >= kTrophies) return 0;
    if (i <= kLevelFirst) return content::SPR_TV_STR_INFO_MCN_TORVIN_1WIN + static_cast<uint32_t>(i);
    if (i <= kLevelLast) return content::SPR_TV_STR_INFO_MCN_TORVIN_1WIN + kLevelFirst;
    return content::SPR_TV_STR_INFO_MCN_TORVIN_1WIN + static_cast<uint32_t>(i - (kLevelLast - kLevelFirst));
}

void tmSeqTrophyViewer::Init() {
    tmDraw::GetInstance()->SetClearColor(0xFFFFFFFFu);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kViewerGroup);
    tmSpriteGroup::Load(kTrophyGroup);
    tmSpriteGroup::Load(kBackgroundGroup);
    loaded_ = true;
    tmConfig& cfg = tmConfig::GetInstance();
    unlocked_ = 0;
    for (int i = 0; i < kTrophies; ++i) {
        locked_[i] = !cfg.IsUnlocked(i);
        unlocked_ += !locked_[i];
        // Seen here once: a trophy still new when the list opens is new no more.
        if (cfg.GetUnlockState(i) == 1) cfg.MarkSeen(i);
        const bool on = !locked_[i];
        const SpritePlacement p = {i % 2 == 0 ? kRightOutX : kLeftOutX,
                                   kItemY + kItemStep * i,
                                   1.0f,
                                   uint32_t(on ? content::SPR_TV_BAR_BASE_ON_A : content::SPR_TV_BAR_BASE_OFF_A),
                                   uint32_t(on ? content::SPR_TV_BAR_BASE_ON_B : content::SPR_TV_BAR_BASE_OFF_B),
                                   511.0f,
                                   0.0f};
        items_[i] = tmMenu::MakeTween(p);
        tmMenu::Move(items_[i], kItemX, kItemY + kItemStep * i, 1.0f, kEnterDelay);
    }
    for (int f = 0; f < kFrames; ++f) {
        frames_[f] = tmMenu::MakeTween(kFramePlaces[f]);
        frames_[f]->MoveTo(kFrameIn[f], static_cast<int32_t>(kFrameIn[f].delay));
    }
    font_.Setup(content::SPR_CM_FONT01, 512.0f, 128.0f, 20.0f, 20.0f, 16.0f);
    scroll_ = 0.0f;
    next_ = 0;
    total_ = 0;
    waitCounter_ = 0;
    waitLimit_ = 60;
    tmMenu::StopMusic();
    tmMenu::PlayMusic(tmMusicStream::kViewers);
}

void tmSeqTrophyViewer::Term() {
    tmMenu::DeleteTweens(frames_, kFrames);
    tmMenu::DeleteTweens(items_, kTrophies);
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kTrophyGroup);
    tmSpriteGroup::Unload(kViewerGroup);
    tmSpriteGroup::Unload(kBackgroundGroup);
    tmMenu::StopMusic();
    loaded_ = false;
}

int tmSeqTrophyViewer::Update() {
    tmMenu::UpdateTweens(frames_, kFrames);
    tmMenu::UpdateTweens(items_, kTrophies);
    if (next_ == 0 && (tmMenu::Decide() || tmMenu::Cancel())) {
        tmMenu::PlaySound(tmMenuSound::kLeave);
        for (int f = 0; f < kFrames; ++f) frames_[f]->MoveTo(kFrameOut[f], static_cast<int32_t>(kFrameOut[f].delay));
        for (int i = 0; i < kTrophies; ++i)
            tmMenu::Move(items_[i], i % 2 == 0 ? kLeftOutX : kRightOutX, items_[i]->y, items_[i]->alpha, kLeaveDelay);
        waitCounter_ = 0;
        waitLimit_ = 70;
        next_ = tmMenu::NextId(kSeqMainMenu);
    }
    if (waitCounter_++ <= waitLimit_) return 0;
    ++total_;
    if (tmMenu::Held(tmAction::kUp)) scroll_ = std::max(0.0f, scroll_ - kScrollStep);
    if (tmMenu::Held(tmAction::kDown)) scroll_ = std::min(kScrollMax, scroll_ + kScrollStep);
    for (int i = 0; i < kTrophies; ++i)
        tmMenu::Move(items_[i], items_[i]->targetX, kItemY + kItemStep * i - scroll_, items_[i]->targetAlpha);
    return next_;
}

void tmSeqTrophyViewer::DrawCount() const {
    const tmSpriteTween* head = frames_[kHead];
    if (unlocked_ >= kTrophies) {
        head->DrawPart({content::SPR_TV_CNT_COMP, 894.0f, 6.0f, 1.0f}, 1.0f, 1.0f);
        return;
    }
    static const uint32_t kDigits[10] = {content::SPR_TV_CNT_FONT0_ON, content::SPR_TV_CNT_FONT1_ON,
                                         content::SPR_TV_CNT_FONT2_ON, content::SPR_TV_CNT_FONT3_ON,
                                         content::SPR_TV_CNT_FONT4_ON, content::SPR_TV_CNT_FONT5_ON,
                                         content::SPR_TV_CNT_FONT6_ON, content::SPR_TV_CNT_FONT7_ON,
                                         content::SPR_TV_CNT_FONT8_ON, content::SPR_TV_CNT_FONT9_ON};
    if (unlocked_ >= 10) head->DrawPart({kDigits[unlocked_ / 10], 911.0f, 20.0f, 1.0f}, 1.0f, 1.0f);
    head->DrawPart({kDigits[unlocked_ % 10], 927.0f, 20.0f, 1.0f}, 1.0f, 1.0f);
    head->DrawPart({content::SPR_TV_CNT_FONT9_OFF, 959.0f, 20.0f, 1.0f}, 1.0f, 1.0f);
    head->DrawPart({content::SPR_TV_CNT_FONT7_OFF, 975.0f, 20.0f, 1.0f}, 1.0f, 1.0f);
}

void tmSeqTrophyViewer::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("Trophy Viewer. ( %d )", total_);
    if (!frames_[0]) return;
    frames_[kBackground]->Draw();
    for (int i = 0; i < kTrophies; ++i) {
        const tmSpriteTween* item = items_[i];
        if (item->y < -kItemStep || item->y > 768.0f || !item->Draw()) continue;
        item->DrawPart({TitleSprite(i), 68.0f, -3.0f, 1.0f}, 1.0f, 1.0f);
        item->DrawPart({DescriptionSprite(i), 94.0f, 54.0f, 1.0f}, 1.0f, 1.0f);
        if (locked_[i]) {
            item->DrawPart({content::SPR_TV_BAR_COVER_A, 0.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
            item->DrawPart({content::SPR_TV_BAR_COVER_B, 511.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
        }
    }
    frames_[kScrollBase]->Draw();
    frames_[kScrollBase]->DrawPart(
        {content::SPR_TV_FRAME_SCROLL_GAGE, 0.0f, kGaugeTop + scroll_ / kScrollMax * kGaugeTravel, 1.0f}, 1.0f, 1.0f);
    frames_[kHead]->Draw();
    DrawCount();
    frames_[kFoot]->Draw();
}
