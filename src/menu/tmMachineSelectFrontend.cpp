// tmMachineSelectFrontend.cpp -- the machine select's sprites: their moves, the arrows' flashes and the cover.
#include "menu/tmMachineSelectFrontend.h"

#include <algorithm>

#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kCommonGroup = 13;
constexpr int kMachineSelectGroup = 23;
constexpr float kFrameY = 650.0f, kFrameOutY = 778.0f;
constexpr float kLeftArrowX = 0.0f, kRightArrowX = 960.0f, kArrowY = 255.0f;
constexpr float kLeftArrowOutX = -235.0f, kRightArrowOutX = 1366.0f;
constexpr float kMissionY = 350.0f, kMissionRightX = 512.0f;
constexpr float kNameX = -37.0f, kNameY = 671.0f, kSpecX = 585.0f, kSpecY = 692.0f;
constexpr int kArrowFlashSteps = 10;
constexpr float kArrowRise = 0.3f, kArrowFall = 0.1f, kCoverStep = 0.1f;

struct MachineArt {
    uint32_t name, spec;
};
// By machine id.
const MachineArt kArt[tmMachineSelectFrontend::kMachineSlots] = {
    {0, 0},
    {content::SPR_MS_NAME_TORVIN, content::SPR_MS_SPEC_TORVIN},
    {content::SPR_MS_NAME_BELMAR, content::SPR_MS_SPEC_BELMAR},
    {content::SPR_MS_NAME_QUESSAJ, content::SPR_MS_SPEC_QUESSA},
    {content::SPR_MS_NAME_QUESSAM, content::SPR_MS_SPEC_QUESSA},
    {content::SPR_MS_NAME_DRAVIKR, content::SPR_MS_SPEC_DRAVIK},
    {content::SPR_MS_NAME_DRAVIKS, content::SPR_MS_SPEC_DRAVIK},
    {content::SPR_MS_NAME_OLVANEE, content::SPR_MS_SPEC_OLVANE},
    {content::SPR_MS_NAME_OLVANEL, content::SPR_MS_SPEC_OLVANE},
    {content::SPR_MS_NAME_PRENTISG, content::SPR_MS_SPEC_PRENTISG},
    {content::SPR_MS_NAME_CUSTRELK, content::SPR_MS_SPEC_CUSTREL},
    {content::SPR_MS_NAME_CUSTRELS, content::SPR_MS_SPEC_CUSTREL},
};
}  // namespace

tmMachineSelectFrontend::~tmMachineSelectFrontend() { Release(); }

void tmMachineSelectFrontend::Init(int count, int variant) {
    tmDraw::GetInstance()->SetClearColor(kBlack);
    tmSpriteGroup::Load(kCommonGroup);
    tmSpriteGroup::Load(kMachineSelectGroup);
    loaded_ = true;
    count_ = count;
    for (int f = 0; f < kFrames; ++f) {
        SpritePlacement p = MachineSelectFramePlacements[f];
        if (f == kFrame && variant == kGarage) p.spriteId = content::SPR_MS_FRAME_GARAGE_A;
        frames_[f] = tmMenu::MakeTween(p);
    }
    tmMenu::Move(frames_[kFrame], frames_[kFrame]->x, kFrameY, 1.0f);
    tmMenu::Move(frames_[kLeftArrow], kLeftArrowX, kArrowY, 1.0f);
    tmMenu::Move(frames_[kRightArrow], kRightArrowX, kArrowY, 1.0f);
    for (uint32_t m = 0; m < kMachineSlots; ++m) {
        SpritePlacement name = MachineSelectInfoPlacements[0], spec = MachineSelectInfoPlacements[1];
        name.spriteId = kArt[m].name;
        spec.spriteId = kArt[m].spec;
        names_[m] = tmMenu::MakeTween(name);
        specs_[m] = tmMenu::MakeTween(spec);
    }
    for (int i = 0; i < kMissions; ++i) missions_[i] = tmMenu::MakeTween(MachineSelectTransmissionPlacements[i]);
    shown_ = 0;
    arrowCounter_[0] = arrowCounter_[1] = 0;
    arrowLevel_[0] = arrowLevel_[1] = 0.0f;
    busyCounter_ = 0;
    busyLimit_ = kEnterWait;
    coverColour_ = kWhite;
    coverLevel_ = 1.0f;
    coverDirection_ = 0;
    steps_ = 0;
}

void tmMachineSelectFrontend::SetCover(uint8_t direction, bool snap, uint32_t colour) {
    if (colour != kKeepColour) coverColour_ = colour;
    coverDirection_ = direction;
    if (snap) coverLevel_ = direction ? 1.0f : 0.0f;
}

void tmMachineSelectFrontend::Update(uint32_t machine) {
    tmMenu::UpdateTweens(frames_, kFrames);
    tmMenu::UpdateTweens(names_, kMachineSlots);
    tmMenu::UpdateTweens(specs_, kMachineSlots);
    tmMenu::UpdateTweens(missions_, kMissions);
    for (int side = 0; side < 2; ++side) {
        if (arrowCounter_[side] >= 1) {
            --arrowCounter_[side];
            arrowLevel_[side] = std::min(1.0f, arrowLevel_[side] + kArrowRise);
        } else {
            arrowLevel_[side] = std::max(0.0f, arrowLevel_[side] - kArrowFall);
        }
    }
    coverLevel_ = coverDirection_ ? std::min(1.0f, coverLevel_ + kCoverStep) : std::max(0.0f, coverLevel_ - kCoverStep);
    const bool busy = busyCounter_++ <= busyLimit_;
    if (busy) return;
    if (tmMenu::Triggered(tmAction::kLeft)) arrowCounter_[0] = kArrowFlashSteps;
    if (tmMenu::Triggered(tmAction::kRight)) arrowCounter_[1] = kArrowFlashSteps;
    shown_ = machine < kMachineSlots ? machine : 0;
    for (uint32_t m = 0; m < kMachineSlots; ++m) {
        const float a = m == shown_ ? 1.0f : 0.0f;
        tmMenu::Move(names_[m], kNameX, kNameY, a);
        tmMenu::Move(specs_[m], kSpecX, kSpecY, a);
    }
    ++steps_;
}

void tmMachineSelectFrontend::ShowTransmission(bool automatic) {
    tmMenu::Move(missions_[kAutoOff], 0.0f, kMissionY, 1.0f);
    tmMenu::Move(missions_[kManualOff], kMissionRightX, kMissionY, 1.0f);
    tmMenu::Move(missions_[kAutoOn], 0.0f, kMissionY, automatic ? 1.0f : 0.0f);
    tmMenu::Move(missions_[kManualOn], kMissionRightX, kMissionY, automatic ? 0.0f : 1.0f);
    tmMenu::Move(frames_[kLeftArrow], kLeftArrowOutX, kArrowY, 1.0f);
    tmMenu::Move(frames_[kRightArrow], kRightArrowOutX, kArrowY, 1.0f);
}

void tmMachineSelectFrontend::HideTransmission() {
    for (tmSpriteTween* t : missions_) tmMenu::Move(t, t->x, t->y, 0.0f);
    tmMenu::Move(frames_[kLeftArrow], kLeftArrowX, kArrowY, 1.0f);
    tmMenu::Move(frames_[kRightArrow], kRightArrowX, kArrowY, 1.0f);
    busyCounter_ = 0;
    busyLimit_ = kEnterWait;
}

void tmMachineSelectFrontend::Leave() {
    HideTransmission();
    tmMenu::Move(frames_[kFrame], frames_[kFrame]->x, kFrameOutY, 1.0f, 8);
    tmMenu::Move(frames_[kLeftArrow], kLeftArrowOutX, kArrowY, 1.0f);
    tmMenu::Move(frames_[kRightArrow], kRightArrowOutX, kArrowY, 1.0f);
    for (uint32_t m = 0; m < kMachineSlots; ++m) {
        tmMenu::Move(names_[m], kNameX, kNameY, 0.0f);
        tmMenu::Move(specs_[m], kSpecX, kSpecY, 0.0f);
    }
    busyCounter_ = 0;
    busyLimit_ = kLeaveWait;
}

void tmMachineSelectFrontend::Draw(bool arrows) const {
    tmConsole::SetColor(kBlack);
    tmConsole::SetCursor(1, 4, 0);
    tmConsole::Printf("MachineSelectFE. ( %d )", steps_);
    if (!frames_[0]) return;
    frames_[kFrame]->Draw();
    if (arrows) {
        static const uint32_t kLit[2] = {content::SPR_MS_ARROW_LEFT_ON, content::SPR_MS_ARROW_RIGHT_ON};
        for (int side = 0; side < 2; ++side) {
            const tmSpriteTween* a = frames_[kLeftArrow + side];
            a->Draw();
            if (arrowLevel_[side] > 0.0f) a->DrawPart({kLit[side], 0.0f, 0.0f, arrowLevel_[side]}, 1.0f, 1.0f);
        }
    }
    tmMenu::DrawTweens(names_, kMachineSlots);
    tmMenu::DrawTweens(specs_, kMachineSlots);
    tmMenu::DrawTweens(missions_, kMissions);
    if (coverLevel_ > 0.0f) {
        const uint32_t alpha = static_cast<uint32_t>(coverLevel_ * 255.0f);
        tmDraw::GetInstance()->DrawWindowCover(content::SPR_CM_16X16_WHITE,
                                               (alpha << 24) | (coverColour_ & 0x00FFFFFFu));
    }
}

void tmMachineSelectFrontend::Release() {
    tmMenu::DeleteTweens(frames_, kFrames);
    tmMenu::DeleteTweens(names_, kMachineSlots);
    tmMenu::DeleteTweens(specs_, kMachineSlots);
    tmMenu::DeleteTweens(missions_, kMissions);
    if (!loaded_) return;
    tmSpriteGroup::Unload(kCommonGroup);
    tmSpriteGroup::Unload(kMachineSelectGroup);
    loaded_ = false;
}
