// tmRaceResultPanel.cpp -- pages, row slides and drawing of the race results panel.
#include "race/tmRaceResultPanel.h"

#include <algorithm>

#include "menu/tmSpriteTween.h"
#include "race/tmRaceSprites.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "sys/text/tmDxFont.h"
#include "table/tmSpriteGroup.h"

namespace {

constexpr int kRaceDisplayGroup = 19;
constexpr int kClosingSteps = 11;
constexpr int kOpenSteps = 10;

// Rows stand at y 110 + 40 x row and leave to either side by their parity.
constexpr float kRowTop = 110.0f;
constexpr float kRowPitch = 40.0f;
constexpr float kRowOffRight = 1366.0f;
constexpr float kRowOffLeft = -1366.0f;
constexpr float kHeaderX = 0.0f, kHeaderY = 46.0f, kHeaderOffY = -120.0f;

// Columns inside a row.
constexpr float kPositionX = 112.0f;
constexpr float kIdX = 168.0f;
constexpr float kNameX = 238.0f, kNameY = 5.0f;
constexpr float kEmblemX = 495.0f, kEmblemY = 7.0f;
constexpr float kTimeX = 778.0f, kTimeY = 5.0f;
constexpr float kTotalX = 778.0f, kLastX = 900.0f, kPointsY = 9.0f;

// Large digits: 26 x 26 at advance 18; small: 20 x 20 at advance 15.
constexpr float kLargeGlyph = 26.0f, kLargeAdvance = 18.0f;
constexpr float kSmallGlyph = 20.0f, kSmallAdvance = 15.0f;
constexpr float kLargeScale = 1.0f;
constexpr float kLargeY = (tmRaceSprites::kRowHeight - kLargeGlyph) / 2.0f;

constexpr uint32_t kHeaderSprites[tmRaceResultPanel::kPages] = {
    content::SPR_FE_RESULT_HEAD_RACE, content::SPR_FE_RESULT_HEAD_STANDINGS, content::SPR_FE_RESULT_HEAD_TEAM};

uint32_t RowSprite(int row, bool own) {
    const bool even = row % 2 == 0;
    if (own) return even ? content::SPR_FE_RESULT_ROW_OWN_EVEN : content::SPR_FE_RESULT_ROW_OWN_ODD;
    return even ? content::SPR_FE_RESULT_ROW_EVEN : content::SPR_FE_RESULT_ROW_ODD;
}

float RowY(int row) { return kRowTop + kRowPitch * static_cast<float>(row); }
float RowOffX(int row) { return row % 2 == 0 ? kRowOffRight : kRowOffLeft; }

uint32_t Colour(float alpha) {
    alpha = std::min(1.0f, std::max(0.0f, alpha));
    return (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0x00FFFFFFu;
}

void PlaySound(uint32_t id) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}

// The entrant whose driver id is `driver`; -1 when none.
int EntrantOfDriver(const tmRaceState& rs, int32_t driver) {
    const uint32_t count = std::min<uint32_t>(rs.setup.count, kRaceEntrants);
    for (uint32_t i = 0; i < count; ++i)
        if (static_cast<int32_t>(rs.entrants[i].entrantId) == driver) return static_cast<int>(i);
    return -1;
}

}  // namespace

tmRaceResultPanel::tmRaceResultPanel() { groupLoaded_ = tmSpriteGroup::Load(kRaceDisplayGroup); }

tmRaceResultPanel::~tmRaceResultPanel() { Term(); }

void tmRaceResultPanel::Init() {
    large_.Setup(tmRaceSprites::kDigitFont, tmRaceSprites::kDigitStripWidth, tmRaceSprites::kDigitStripHeight,
                 kLargeGlyph, kLargeGlyph, kLargeAdvance);
    small_.Setup(tmRaceSprites::kSmallFont, tmRaceSprites::kSmallSheetWidth, tmRaceSprites::kSmallSheetHeight,
                 kSmallGlyph, kSmallGlyph, kSmallAdvance);
    for (int page = 0; page < kPages; ++page) {
        if (!headers_[page]) headers_[page] = TM_NEW tmSpriteTween();
        headers_[page]->SetTarget({kHeaderX, kHeaderOffY, 0.0f, kHeaderSprites[page], 0, 0.0f, 0.0f});
        for (int r = 0; r < kRows; ++r) {
            if (!rows_[page][r]) rows_[page][r] = TM_NEW tmSpriteTween();
            rows_[page][r]->SetTarget({RowOffX(r), RowY(r), 1.0f, RowSprite(r, false), 0, 0.0f, 0.0f});
        }
    }
    state = kInactive;
    previous_ = 0xFFFFFFFFu;
    counter_ = 0;
}

void tmRaceResultPanel::Term() {
    if (groupLoaded_) tmSpriteGroup::Unload(kRaceDisplayGroup);
    groupLoaded_ = false;
    for (int page = 0; page < kPages; ++page) {
        TM_DELETE(headers_[page]);
        headers_[page] = nullptr;
        for (tmSpriteTween*& r : rows_[page]) {
            TM_DELETE(r);
            r = nullptr;
        }
    }
}

int tmRaceResultPanel::RowCount(int page) const {
    const tmRaceState& rs = tmRaceState::Get();
    const int entrants = static_cast<int>(std::min<uint32_t>(rs.setup.count, kRaceEntrants));
    if (page == kTeamPage) return static_cast<int>(std::min<uint32_t>(rs.teamCount, kRaceEntrants));
    return entrants;
}

const tmSpriteTween* tmRaceResultPanel::GetRow(int page, int row) const {
    return page >= 0 && page < kPages && row >= 0 && row < kRows ? rows_[page][row] : nullptr;
}

const tmSpriteTween* tmRaceResultPanel::GetHeader(int page) const {
    return page >= 0 && page < kPages ? headers_[page] : nullptr;
}

void tmRaceResultPanel::SlideIn(int page, int rows) {
    if (!headers_[page]) Init();
    const tmRaceState& rs = tmRaceState::Get();
    headers_[page]->MoveTo({kHeaderX, kHeaderY, 1.0f, 0}, 0);
    for (int r = 0; r < rows && r < kRows; ++r) {
        bool own = false;
        if (page == kRacePage) {
            own = rs.results[r].entrantIndex == rs.setup.local;
        } else if (page == kStandingsPage) {
            const tmStanding* s = rs.GetDriverStanding(r);
            own = s && EntrantOfDriver(rs, s->id) == static_cast<int>(rs.setup.local);
        } else {
            const tmStanding* s = rs.GetTeamStanding(r);
            if (s && s->id >= 0 && s->id < kRaceEntrants) {
                const tmTeam& team = rs.teams[s->id];
                for (uint32_t m = 0; m < team.memberCount && m < kRaceEntrants; ++m)
                    own |= team.members[m] == static_cast<int32_t>(rs.setup.local);
            }
        }
        tmSpriteTween& t = *rows_[page][r];
        t.SetTarget({RowOffX(r), RowY(r), 1.0f, RowSprite(r, own), 0, 0.0f, 0.0f});
        t.MoveTo({0.0f, RowY(r), 1.0f, 0}, kSlideDelay);
    }
}

void tmRaceResultPanel::SlideOut(int page, int rows) {
    if (!headers_[page]) return;
    headers_[page]->MoveTo({kHeaderX, kHeaderOffY, 0.0f, 0}, 0);
    for (int r = 0; r < rows && r < kRows; ++r) rows_[page][r]->MoveTo({RowOffX(r), RowY(r), 1.0f, 0}, 0);
}

bool tmRaceResultPanel::PageTurned(bool skip) const {
    if (skip || tmRaceState::Get().setup.mode == kRaceModeDemo) return counter_ >= kAutoAdvance;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && in->IsDecideTriggered();
}

void tmRaceResultPanel::Update(bool skip) {
    if (state != previous_) {
        previous_ = state;
        counter_ = 0;
    }
    tmRaceState& rs = tmRaceState::Get();
    const uint32_t mode = rs.setup.mode;
    const bool teams = rs.IsNetworkMode();
    switch (state) {
        case kOpenRace:
        case kOpenStandings: {
            const int page = state == kOpenRace ? kRacePage : kStandingsPage;
            if (counter_ == 1) {
                PlaySound(tmSoundId::kResultPage);
                rs.ComputeStandings();
                SlideIn(page, RowCount(page));
            }
            if (counter_ > kOpenSteps) state = page == kRacePage ? kRaceShown : kStandingsShown;
            break;
        }
        case kRaceShown:
            if (PageTurned(skip)) {
                PlaySound(tmSoundId::kResultPage);
                SlideOut(kRacePage, RowCount(kRacePage));
                if (mode == kRaceModeCup) {
                    SlideIn(kStandingsPage, RowCount(kStandingsPage));
                    state = kStandingsShown;
                } else {
                    state = kClosing;
                }
            }
            break;
        case kStandingsShown:
            if (PageTurned(skip)) {
                PlaySound(tmSoundId::kResultPage);
                if (teams) SlideIn(kTeamPage, RowCount(kTeamPage));
                SlideOut(kStandingsPage, RowCount(kStandingsPage));
                state = teams ? kTeamsShown : kClosing;
            }
            break;
        case kTeamsShown:
            if (PageTurned(skip)) {
                PlaySound(tmSoundId::kResultPage);
                SlideOut(kTeamPage, RowCount(kTeamPage));
                state = kClosing;
            }
            break;
        case kClosing:
            if (counter_ > kClosingSteps) state = kInactive;
            break;
        default: break;
    }
    for (int page = 0; page < kPages; ++page) {
        if (headers_[page]) headers_[page]->Update();
        for (tmSpriteTween* r : rows_[page])
            if (r) r->Update();
    }
    ++counter_;
}

void tmRaceResultPanel::DrawRowNumbers(const tmSpriteTween& row, uint32_t position, uint32_t id) const {
    const uint32_t colour = Colour(row.alpha);
    const int place = tmSpritePlacement::kVirtualScreen;
    // Two-digit width from 10 up; a single digit stands one advance to the right.
    const auto number = [&](uint32_t v, float x) {
        large_.DrawNumber(v, 0, row.x + x + (v < 10 ? kLargeAdvance : 0.0f), row.y + kLargeY, kLargeScale, place,
                          colour);
    };
    number(position, kPositionX);
    number(id, kIdX);
}

void tmRaceResultPanel::DrawName(const tmSpriteTween& row, const char* name) {
    tmDxFont* font = tmDxFont::GetInstance();
    if (!font || !name) return;
    char text[kRaceNameSize];
    std::copy(name, name + kRaceNameSize - 1, text);
    text[kRaceNameSize - 1] = '\0';
    font->SetColor(Colour(row.alpha));
    font->SetPosition(row.x + kNameX, row.y + kNameY);
    font->DrawText(text);
}

void tmRaceResultPanel::DrawRacePage() const {
    const tmRaceState& rs = tmRaceState::Get();
    tmDraw* draw = tmDraw::GetInstance();
    const int rows = RowCount(kRacePage);
    for (int p = 0; p < rows; ++p) {
        const tmSpriteTween& row = *rows_[kRacePage][p];
        if (!row.Draw()) continue;
        const tmRaceResult& result = rs.results[p];
        const tmEntrant& e = rs.entrants[result.entrantIndex % kRaceEntrants];
        if (e.machineId >= 1 && e.machineId <= 11)
            draw->DrawSpriteAlpha(static_cast<int>(tmRaceSprites::kFirstEmblem + e.machineId - 1), row.x + kEmblemX,
                                  row.y + kEmblemY, row.alpha, tmSpritePlacement::kVirtualScreen);
        DrawRowNumbers(row, static_cast<uint32_t>(p) + 1, e.entrantId + 1);
        DrawName(row, e.driverName);
        if (result.finished)
            large_.DrawTime(result.timeMs, row.x + kTimeX, row.y + kLargeY, kLargeScale,
                            tmSpritePlacement::kVirtualScreen, Colour(row.alpha), 1);
        else
            draw->DrawSpriteAlpha(content::SPR_FE_RESULT_NO_TIME, row.x + kTimeX, row.y + kTimeY, row.alpha,
                                  tmSpritePlacement::kVirtualScreen);
    }
}

void tmRaceResultPanel::DrawStandingsPage() const {
    const tmRaceState& rs = tmRaceState::Get();
    tmDraw* draw = tmDraw::GetInstance();
    const int rows = RowCount(kStandingsPage);
    for (int p = 0; p < rows; ++p) {
        const tmSpriteTween& row = *rows_[kStandingsPage][p];
        const tmStanding* s = rs.GetDriverStanding(p);
        if (!s || !row.Draw()) continue;
        const int entrant = EntrantOfDriver(rs, s->id);
        if (entrant >= 0) {
            const tmEntrant& e = rs.entrants[entrant];
            if (e.machineId >= 1 && e.machineId <= 11)
                draw->DrawSpriteAlpha(static_cast<int>(tmRaceSprites::kFirstEmblem + e.machineId - 1), row.x + kEmblemX,
                                      row.y + kEmblemY, row.alpha, tmSpritePlacement::kVirtualScreen);
            DrawName(row, e.driverName);
        }
        DrawRowNumbers(row, static_cast<uint32_t>(p) + 1, static_cast<uint32_t>(s->id) + 1);
        const uint32_t colour = Colour(row.alpha);
        small_.DrawNumber(s->total, 0, row.x + kTotalX, row.y + kPointsY, 1.0f, tmSpritePlacement::kVirtualScreen,
                          colour);
        small_.DrawNumber(s->last, 0, row.x + kLastX, row.y + kPointsY, 1.0f, tmSpritePlacement::kVirtualScreen,
                          colour);
    }
}

void tmRaceResultPanel::DrawTeamPage() const {
    const tmRaceState& rs = tmRaceState::Get();
    const int rows = RowCount(kTeamPage);
    for (int p = 0; p < rows; ++p) {
        const tmSpriteTween& row = *rows_[kTeamPage][p];
        const tmStanding* s = rs.GetTeamStanding(p);
        if (!s || s->id < 0 || s->id >= kRaceEntrants || !row.Draw()) continue;
        DrawName(row, rs.teams[s->id].name);
        small_.DrawNumber(s->total, 0, row.x + kTotalX, row.y + kPointsY, 1.0f, tmSpritePlacement::kVirtualScreen,
                          Colour(row.alpha));
    }
}

void tmRaceResultPanel::Draw() const {
    if (state == kInactive) return;
    for (const tmSpriteTween* h : headers_)
        if (h) h->Draw();
    if (!rows_[kRacePage][0]) return;
    DrawRacePage();
    DrawStandingsPage();
    DrawTeamPage();
}
