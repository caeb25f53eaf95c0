// tmSeqEnding.cpp -- the cup rank, its sounds, the staff roll's pace and the way back to the title.
#include "menu/tmSeqEnding.h"

#include "content_tables.h"
#include "menu/tmEndingFrontend.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kGroups[4] = {13, 17, 18, 15};
constexpr uint32_t kBlack = 0xFF000000u;
constexpr float kSlowEase = 0.05f, kNormalEase = 0.2f;
// The backdrop has no sprite; the background is drawn 1366 wide from its 1024-wide picture.
constexpr float kBackgroundScale = 1366.0f / 1024.0f;

constexpr int32_t kOpeningSteps = 8;
constexpr int32_t kRankInStep = 60, kFanfareStep = 105, kDecideFrom = 90, kRankTimeout = 301;
constexpr int32_t kRollFrom = 60, kClosingSteps = 60;
}  // namespace

uint32_t tmSeqEnding::RankSprite(int rank) {
    static const uint32_t kSprites[kRanks] = {content::SPR_CR_RANK_1ST, content::SPR_CR_RANK_2ND,
                                              content::SPR_CR_RANK_3RD, content::SPR_CR_RANK_LOSE};
    return kSprites[rank < 0 || rank >= kRanks ? kRanks - 1 : rank];
}

uint32_t tmSeqEnding::RankSound(int rank) {
    static const uint32_t kSounds[kRanks] = {tmMenuSound::kRankWin, tmMenuSound::kRankPodium, tmMenuSound::kRankPodium,
                                             tmMenuSound::kRankLose};
    return kSounds[rank < 0 || rank >= kRanks ? kRanks - 1 : rank];
}

void tmSeqEnding::Init() {
    roll_ = 0.0f;
    state_ = kOpening;
    previous_ = -1;
    steps_ = 0;
    next_ = 0;
    tmDraw::GetInstance()->SetClearColor(kBlack);
    for (int g : kGroups) tmSpriteGroup::Load(g);
    loaded_ = true;
    frontend_ = TM_NEW tmEndingFrontend();
    tweens_[kBackdrop] = tmMenu::MakeTween(SpritePlacement{0.0f, 0.0f, 0.0f, 0, 0, 0.0f, 0.0f});
    for (int i = kRank; i < kTweens; ++i) tweens_[i] = tmMenu::MakeTween(EndingPlacements[i - kRank]);
    tweens_[kBackground]->scaleX = tweens_[kBackground]->scaleY = kBackgroundScale;
    rank_ = 0;
    if (tmMenuFlow::IsNormalPlay()) {
        // Off the standings (-1) or below third place: index 3.
        const tmRaceState& race = tmRaceState::Get();
        const uint32_t local = race.setup.local;
        const int id = local < kRaceEntrants ? static_cast<int>(race.entrants[local].entrantId) : -1;
        const int standing = race.FindStanding(id);
        rank_ = standing < 0 || standing > kRanks - 1 ? kRanks - 1 : standing;
        tweens_[kRank]->spriteId = RankSprite(rank_);
    }
}

void tmSeqEnding::Term() {
    TM_DELETE(frontend_);
    frontend_ = nullptr;
    tmMenu::DeleteTweens(tweens_, kTweens);
    if (loaded_) {
        for (int g : kGroups) tmSpriteGroup::Unload(g);
        loaded_ = false;
    }
}

void tmSeqEnding::MoveIn(int tween, float ease) {
    tmSpriteTween* t = tweens_[tween];
    t->ease = ease;
    tmMenu::Move(t, t->x, t->y, 1.0f);
}

void tmSeqEnding::MoveOut(int tween) {
    tmSpriteTween* t = tweens_[tween];
    tmMenu::Move(t, t->x, t->y, 0.0f);
}

void tmSeqEnding::Enter() {
    previous_ = state_;
    steps_ = 0;
    if (state_ == kShowRank) MoveIn(kBackdrop, tweens_[kBackdrop]->ease);
    if (state_ == kStaffRoll)
        for (int i = kBackground; i <= kShadow; ++i) MoveIn(i, kSlowEase);
}

int tmSeqEnding::Update() {
    tmMenu::UpdateTweens(tweens_, kTweens);
    if (state_ != previous_) Enter();
    switch (state_) {
        case kOpening:
            if (steps_ >= kOpeningSteps) state_ = kShowRank;
            break;
        case kShowRank: {
            if (steps_ == kRankInStep) {
                MoveIn(kRank, tweens_[kRank]->ease);
                tweens_[kBackdrop]->ease = tweens_[kRank]->ease = kSlowEase;
                tmMenu::PlaySound(RankSound(rank_));
            }
            if (steps_ == kFanfareStep && rank_ == 0) tmMenu::PlaySound(tmMenuSound::kFanfare);
            const bool decide = steps_ > kDecideFrom && tmMenu::Decide();
            if (decide || steps_ >= kRankTimeout) {
                if (decide) tmMenu::PlaySound(tmMenuSound::kSkip);
                MoveOut(kBackdrop);
                MoveOut(kRank);
                tweens_[kRank]->ease = kNormalEase;
                state_ = rank_ < kRanks - 1 ? kStaffRoll : kClosing;
            }
            break;
        }
        case kStaffRoll: {
            frontend_->SetRollOffset(roll_ * 20.0f - 3.0f);
            frontend_->Update();
            roll_ += kRollStep;
            const tmPeripheral* in = tmPeripheral::GetInstance();
            if (steps_ > kRollFrom && in && in->IsDecideDown()) roll_ += kRollHurry;
            if (steps_ == kRollFrom) tmMenu::PlayMusic(tmMusicStream::kEnding);
            if (roll_ > kRollEnd) {
                state_ = kClosing;
                for (int i = kBackground; i <= kShadow; ++i) MoveOut(i);
            }
            break;
        }
        case kClosing:
            if (steps_ >= kClosingSteps) {
                next_ = tmMenu::NextId(kSeqTitle);
                tmMenu::StopMusic();
            }
            break;
        default: break;
    }
    ++steps_;
    return next_;
}

void tmSeqEnding::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("Ending: %d", steps_);
    tmMenu::DrawTweens(tweens_, kTweens);
    if (state_ == kStaffRoll && frontend_) frontend_->Draw();
}
