// tmSeqReplaySelectDraw.cpp -- the replay select's frames, rows with their labels, dates and times, the window.
#include <cstdio>

#include "content_tables.h"
#include "menu/tmCommonWindow.h"
#include "menu/tmSeqReplaySelect.h"
#include "menu/tmSpriteTween.h"
#include "race/tmReplay.h"
#include "sys/render/tmRenderLayer.h"
#include "sys/text/tmConsole.h"
#include "sys/text/tmDxFont.h"

namespace {
constexpr float kGaugeTop = 18.0f, kGaugeTravel = 465.0f;
constexpr uint32_t kDateColour = 0xFFC0C0C0u, kLapsColour = 0xFF57F5F5u, kTimeColour = 0xFFFFF45Cu;
constexpr int kPlacement = tmSpritePlacement::kVirtualScreen;
// The file name's pen below the row's top, and its height (the text font's size, on the virtual screen);
// the head bar's height: the list shows between its foot and the foot bar's top.
constexpr float kNameY = 43.0f, kNameHeight = 22.0f, kHeadHeight = 52.0f;

uint32_t ModeLabel(uint32_t mode) {
    switch (mode) {
        case kRaceModeSingle: return content::SPR_RS_STR_MODE_TIMEATTACK;
        case kRaceModeCup: return content::SPR_RS_STR_MODE_CHAMPIONSHIP;
        case kRaceModeLobby:
        case kRaceModeDirect: return content::SPR_RS_STR_MODE_NETWORK;
        default: return 0;
    }
}

uint32_t MachineLabel(uint32_t machine) {
    static const uint32_t kLabels[12] = {0,
                                         content::SPR_RS_STR_MCN_TORVIN,
                                         content::SPR_RS_STR_MCN_BELMAR,
                                         content::SPR_RS_STR_MCN_QUESSAJ,
                                         content::SPR_RS_STR_MCN_QUESSAM,
                                         content::SPR_RS_STR_MCN_DRAVIKR,
                                         content::SPR_RS_STR_MCN_DRAVIKS,
                                         content::SPR_RS_STR_MCN_OLVANEE,
                                         content::SPR_RS_STR_MCN_OLVANEL,
                                         content::SPR_RS_STR_MCN_PRENTISG,
                                         content::SPR_RS_STR_MCN_CUSTRELK,
                                         content::SPR_RS_STR_MCN_CUSTRELS};
    return machine < 12 ? kLabels[machine] : 0;
}

uint32_t CourseLabel(uint32_t course) {
    static const uint32_t kLabels[14] = {0,
                                         0,
                                         content::SPR_RS_STR_CRC_SPAIN2022,
                                         content::SPR_RS_STR_CRC_NISEKO2022,
                                         content::SPR_RS_STR_CRC_BERLIN2022,
                                         content::SPR_RS_STR_CRC_QIR2022,
                                         content::SPR_RS_STR_CRC_SYDNEY2022,
                                         content::SPR_RS_STR_CRC_CANADA2022,
                                         content::SPR_RS_STR_CRC_SPAIN2023,
                                         content::SPR_RS_STR_CRC_NISEKO2023,
                                         content::SPR_RS_STR_CRC_BERLIN2023,
                                         content::SPR_RS_STR_CRC_QIR2023,
                                         content::SPR_RS_STR_CRC_SYDNEY2023,
                                         content::SPR_RS_STR_CRC_CANADA2023};
    return course < 14 ? kLabels[course] : 0;
}

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

void tmSeqReplaySelect::DrawRow(const Row& row, int index) const {
    const tmSpriteTween* t = row.tween;
    if (!t->Draw()) return;
    const tmReplayHeader& h = row.header;
    const uint32_t local = h.setup.local < kRaceEntrants ? h.setup.local : 0;
    if (const uint32_t s = ModeLabel(h.setup.mode)) t->DrawPart({s, 36.0f, 14.0f, 1.0f}, 1.0f, 1.0f);
    if (const uint32_t s = MachineLabel(h.entrants[local].machineId)) t->DrawPart({s, 327.0f, 45.0f, 1.0f}, 1.0f, 1.0f);
    if (const uint32_t s = CourseLabel(h.setup.course)) t->DrawPart({s, 36.0f, 75.0f, 1.0f}, 1.0f, 1.0f);
    const float x = t->x, y = t->y;
    // The text font draws over the whole frame, bars included, and cannot be cut: the name shows only
    // while it stands whole in the list, between the two bars, as the rest of its row does.
    const float listTop = frames_[kHead]->y + kHeadHeight, listBottom = frames_[kFoot]->y;
    if (y + kNameY >= listTop && y + kNameY + kNameHeight <= listBottom) {
        if (tmDxFont* f = tmDxFont::GetInstance()) {
            // The part of the name after the common prefix: its date or "LATEST".
            const size_t cut = row.fileName.rfind('_');
            f->SetPosition(x + 57.0f, y + kNameY);
            f->DrawText(row.fileName.c_str() + (cut == std::string::npos ? 0 : cut + 1));
        }
    }
    char text[64];
    tmReplayDate d{};
    if (tmReplayLocalDate(h.creationTime, &d) && d.month >= 1 && d.month <= 12)
        std::snprintf(text, sizeof text, "%2d:%02d %2d.%s.%4d", d.hour, d.minute, d.day, kMonths[d.month - 1], d.year);
    else
        std::snprintf(text, sizeof text, "--:-- --.---.----");
    font_.DrawString(text, x + 325.0f, y + 16.0f, 1.0f, kPlacement, kDateColour);
    std::snprintf(text, sizeof text, "%2dLAPS", static_cast<int>(h.setup.laps));
    font_.DrawString(text, x + 491.0f, y + 73.0f, 1.0f, kPlacement, kLapsColour);
    const uint32_t times[2] = {h.totalMs, h.bestLapMs};
    const float at[2] = {174.0f, 418.0f};
    for (int k = 0; k < 2; ++k) {
        if (times[k] >= kNoTimeMs)
            font_.DrawString("--:--.---", x + at[k], y + 100.0f, 1.0f, kPlacement, kTimeColour);
        else
            font_.DrawTime(times[k], x + at[k], y + 100.0f, 1.0f, kPlacement, kTimeColour, 2);
    }
    if (index != cursor_) {
        t->DrawPart({content::SPR_RS_BAR_COVER_A, 0.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
        t->DrawPart({content::SPR_RS_BAR_COVER_B, 511.0f, 0.0f, 1.0f}, 1.0f, 1.0f);
    }
}

void tmSeqReplaySelect::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("Replay Select. ( %d ) %d", total_, cursor_);
    if (!frames_[0]) return;
    frames_[kBackground]->Draw();
    if (RowCount() > 4 && scrollMax_ > 0.0f) {
        frames_[kScrollBase]->Draw();
        frames_[kScrollBase]->DrawPart(
            {content::SPR_RS_FRAME_SCROLL_GAGE, 0.0f, kGaugeTop + scroll_ / scrollMax_ * kGaugeTravel, 1.0f}, 1.0f,
            1.0f);
    }
    for (int i = 0; i < RowCount(); ++i) DrawRow(rows_[size_t(i)], i);
    frames_[kHead]->Draw();
    frames_[kFoot]->Draw();
    if (mode_ == kDeleteQuestion && window_) window_->Draw();
}
