// tmLevelUp.cpp -- gain table, counting and drawing of the level-up panel.
#include "race/tmLevelUp.h"

#include <algorithm>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmSpriteTween.h"
#include "race/tmRaceSprites.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "table/tmSpriteGroup.h"

namespace {

constexpr int kRaceDisplayGroup = 19;
constexpr int kAppearSteps = 10;
constexpr int kCountDelay = 10;  // steps before the first point moves
constexpr int kPointEvery = 3;   // one point every third step
constexpr int kLeaveSteps = 11;

// Points by level band (rows) and race mode (columns 0..6).
constexpr uint32_t kGain[5][7] = {
    {20, 30, 0, 0, 20, 100, 30},  // levels 0..9
    {10, 10, 0, 0, 10, 80, 10},   // 10..19
    {5, 5, 0, 0, 5, 40, 5},       // 20..29
    {2, 2, 0, 0, 2, 20, 2},       // 30..39
    {0, 0, 0, 0, 0, 10, 0},       // 40 and up
};
constexpr uint32_t kNoHalvingFrom = 30;  // from this level a loss gives nothing

// Where the panel stands, comes from and goes to (virtual screen).
constexpr SpritePlacement kPanelStart = {1238.0f, 300.0f, 0.0f, content::SPR_FE_LVUP_PANEL, 0, 0.0f, 0.0f};
constexpr SpriteTarget kPanelShown = {0.0f, 300.0f, 1.0f, 0};
constexpr SpriteTarget kPanelGone = {-400.0f, 300.0f, 0.0f, 0};

// Number and gauge places inside the panel.
constexpr float kLevelX = 647.0f, kLevelY = 38.0f, kLevelScale = 1.2f, kLevelSingleShift = 24.0f;
constexpr float kPointsX = 690.0f, kPointsY = 95.0f, kPointsSingleShift = 20.0f;
constexpr float kGaugeX = 120.0f, kGaugeY = 104.0f;
constexpr float kFlashX = 560.0f, kFlashY = 10.0f;

// Digits 32 wide at advance 20, cut from the panels' 26-pixel strip and drawn enlarged.
constexpr float kDigitAdvance = 20.0f;
constexpr float kDigitScale = 32.0f / tmRaceSprites::kDigitCell;

void PlaySound(uint32_t id) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}

uint32_t Colour(float alpha) {
    alpha = std::min(1.0f, std::max(0.0f, alpha));
    return (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0x00FFFFFFu;
}

}  // namespace

tmLevelUp::tmLevelUp() { groupLoaded_ = tmSpriteGroup::Load(kRaceDisplayGroup); }

tmLevelUp::~tmLevelUp() {
    TM_DELETE(panel_);
    panel_ = nullptr;
    if (groupLoaded_) tmSpriteGroup::Unload(kRaceDisplayGroup);
}

void tmLevelUp::Init() {
    if (!panel_) panel_ = TM_NEW tmSpriteTween();
    panel_->SetTarget(kPanelStart);
    font_.Setup(tmRaceSprites::kDigitFont, tmRaceSprites::kDigitStripWidth, tmRaceSprites::kDigitStripHeight,
                tmRaceSprites::kDigitCell, tmRaceSprites::kDigitCell, kDigitAdvance);
    state = kInactive;
    previous_ = 0xFFFFFFFFu;
    counter_ = 0;
}

uint32_t tmLevelUp::ComputeGain(uint32_t mode, uint32_t level, bool won) {
    if (mode > kRaceModeDirect) return 0;
    const uint32_t band = std::min<uint32_t>(level / 10, 4);
    const uint32_t gain = kGain[band][mode];
    if (won) return gain;
    return level < kNoHalvingFrom ? gain / 2 : 0;
}

bool tmLevelUp::LocalEntrantWon() {
    const tmRaceState& rs = tmRaceState::Get();
    return rs.setup.count >= 1 && rs.results[0].entrantIndex == rs.setup.local;
}

void tmLevelUp::Start() {
    const tmConfig& cfg = tmConfig::GetInstance();
    // A damaged save must not count past the cap or below zero.
    level_ = static_cast<uint32_t>(std::clamp(cfg.GetProfileValue1(), 0, static_cast<int>(kMaxLevel)));
    points_ = static_cast<uint32_t>(std::clamp(cfg.GetProfileValue2(), 0, static_cast<int>(kPointsPerLevel - 1)));
    startLevel_ = level_;
    startPoints_ = points_;
    flash_ = 0;
    toAdd_ = ComputeGain(tmRaceState::Get().setup.mode, level_, LocalEntrantWon());
    if (toAdd_ == 0) {
        state = kInactive;
        return;
    }
    if (!panel_) Init();
    panel_->SetTarget(kPanelStart);
    panel_->MoveTo(kPanelShown, static_cast<int32_t>(kPanelShown.delay));
    state = kAppear;
}

void tmLevelUp::Update() {
    if (state != previous_) {
        previous_ = state;
        counter_ = 0;
    }
    switch (state) {
        case kAppear:
            if (counter_ >= kAppearSteps) state = kCount;
            break;
        case kCount: {
            if (flash_ > 0) --flash_;
            if (counter_ >= kCountDelay && counter_ % kPointEvery == 0 && toAdd_ > 0) {
                --toAdd_;
                ++points_;
                if (points_ >= kPointsPerLevel) {
                    PlaySound(tmSoundId::kLevelUp);
                    if (level_ < kMaxLevel) {
                        points_ -= kPointsPerLevel;
                        ++level_;
                        flash_ = kFlashSteps;
                    } else {
                        points_ = kPointsPerLevel - 1;
                    }
                } else {
                    PlaySound(tmSoundId::kPointCount);
                }
            }
            const tmPeripheral* in = tmPeripheral::GetInstance();
            if (toAdd_ == 0 && flash_ == 0 && in && in->IsDecideTriggered()) {
                tmConfig& cfg = tmConfig::GetInstance();
                cfg.SetProfileValue1(static_cast<int>(level_));
                cfg.SetProfileValue2(static_cast<int>(points_));
                PlaySound(tmSoundId::kConfirm);
                if (panel_) panel_->MoveTo(kPanelGone, static_cast<int32_t>(kPanelGone.delay));
                state = kLeave;
            }
            break;
        }
        case kLeave:
            if (counter_ >= kLeaveSteps) state = kInactive;
            break;
        default: break;
    }
    if (panel_) panel_->Update();
    ++counter_;
}

void tmLevelUp::Draw() const {
    if (state == kInactive || !panel_ || !panel_->Draw()) return;
    const float a = panel_->alpha;
    const uint32_t colour = Colour(a);
    const float x = panel_->x, y = panel_->y;
    const int place = tmSpritePlacement::kVirtualScreen;
    const uint32_t shown = level_ + 1;
    font_.DrawNumber(shown, 0, x + kLevelX + (shown < 10 ? kLevelSingleShift : 0.0f), y + kLevelY,
                     kLevelScale * kDigitScale, place, colour);
    font_.DrawNumber(points_, 0, x + kPointsX + (points_ < 10 ? kPointsSingleShift : 0.0f), y + kPointsY, kDigitScale,
                     place, colour);
    tmDraw* draw = tmDraw::GetInstance();
    const float fill = static_cast<float>(points_) / static_cast<float>(kPointsPerLevel);
    if (fill > 0.0f)
        draw->DrawSpriteScaledAlpha(content::SPR_FE_LVUP_GAUGE, x + kGaugeX, y + kGaugeY, fill, 1.0f, a, place);
    if (flash_ > 0)
        draw->DrawSpriteAlpha(content::SPR_FE_CMN_LVUP_EFFECT, x + kFlashX, y + kFlashY,
                              a * static_cast<float>(flash_) / kFlashSteps, place);
}
