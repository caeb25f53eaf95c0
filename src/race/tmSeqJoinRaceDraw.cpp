// tmSeqJoinRaceDraw.cpp -- the waiting room's picture: course preview, title, player rows and fades.
#include <algorithm>
#include <cstdio>

#include "app/tmCameraCtrl.h"
#include "course/tmCourse.h"
#include "menu/tmSeqLoadingCourse.h"
#include "menu/tmSpriteTween.h"
#include "race/tmJoinRaceSprites.h"
#include "race/tmRaceState.h"
#include "race/tmSeqJoinRace.h"
#include "sys/render/tmDraw.h"
#include "sys/render/tmRenderLayer.h"
#include "sys/text/tmConsole.h"
#include "table/CourseTable.h"

namespace {

namespace jr = tmJoinRaceSprites;
constexpr int kScreen = tmSpritePlacement::kVirtualScreen;
constexpr uint32_t kNameColour = 0xFFFFFFFFu;
constexpr uint32_t kTeamColour = 0xFFB4BCC8u;

uint32_t WithAlpha(uint32_t argb, float alpha) {
    const float a = std::clamp(alpha, 0.0f, 1.0f);
    return (static_cast<uint32_t>(a * 255.0f + 0.5f) << 24) | (argb & 0x00FFFFFFu);
}

// A name field as text of at most its 16 characters.
void NameText(const char* field, char out[kRaceNameSize]) {
    int n = 0;
    for (; n < kRaceNameSize - 1 && field[n]; ++n) out[n] = (field[n] >= 32 && field[n] < 127) ? field[n] : '?';
    out[n] = 0;
}

}  // namespace

void tmSeqJoinRace::Draw() {
    DrawDebug();
    tmRaceNetwork* net = Net();
    if (previewReady_ && preview_ && camera_) {
        camera_->UpdateView();
        camera_->Apply();
        preview_->Draw(0);
    }
    if (loading_) loading_->Draw();
    DrawTitle();
    if (previewReady_ && net) DrawRows(net->GetTable());
    DrawFade();
}

void tmSeqJoinRace::DrawDebug() const {
    const tmRaceNetwork* net = Net();
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("JoinRace: %u", frames_);
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("Timeout: %u", net ? net->GetSilence() : 0u);
    if (!net) return;
    tmConsole::SetCursor(1, 3, 0);
    tmConsole::Printf("Host: (%x)", net->GetHostId());
    const tmNetPlayerTable& t = net->GetTable();
    for (int i = 0; i < static_cast<int>(t.count); ++i) {
        tmConsole::SetCursor(1, 4 + i, 0);
        tmConsole::Printf("User: %d (%x)", i, t.entries[i].netId);
    }
}

void tmSeqJoinRace::UpdateTitleSprites() {
    const tmRaceNetwork* net = Net();
    const bool host = net && net->IsHost();
    const uint32_t session = net ? net->GetTable().sessionState : kNetSessionOpen;
    titles_[3]->spriteId = cursor_ == kCursorLeave ? jr::kLeaveOn : jr::kLeave;
    const bool on = cursor_ == kCursorReady || ready_;
    titles_[4]->spriteId = host ? (on ? jr::kStartOn : jr::kStart) : (on ? jr::kReadyOn : jr::kReady);
    uint32_t status = host ? jr::kStatusWaitingHost : jr::kStatusWaiting;
    if (leaving_)
        status = jr::kStatusLeaving;
    else if (session == kNetSessionStart)
        status = jr::kStatusStarting;
    else if (session == kNetSessionCancelled)
        status = jr::kStatusCancelled;
    else if (!host && ownIndex_ < 0)
        status = jr::kStatusConnecting;
    else if (ready_)
        status = jr::kStatusReady;
    titles_[5]->spriteId = status;
}

void tmSeqJoinRace::DrawTitle() const {
    for (const tmSpriteTween* s : titles_)
        if (s) s->Draw();
    if (!previewReady_) return;
    // The course the race is on, on a plate in the title bar.
    const tmSpriteTween* base = titles_[0];
    if (!base || !base->IsOnScreen()) return;
    const float x = jr::kCoursePlateX, y = base->y + jr::kCoursePlateY;
    tmDraw* draw = tmDraw::GetInstance();
    draw->DrawSpriteAlpha(static_cast<int>(jr::kCoursePlate), x, y, base->alpha, kScreen);
    const CourseRecord* course = GetCourseRecord(static_cast<int>(tmRaceState::Get().setup.course));
    if (course) {
        char text[40];
        std::snprintf(text, sizeof text, "%.24s", course->name);
        names_.DrawString(text, x + 22.0f, y + 8.0f, 1.0f, kScreen, WithAlpha(kNameColour, base->alpha));
    }
}

void tmSeqJoinRace::DrawRows(const tmNetPlayerTable& table) const {
    tmDraw* draw = tmDraw::GetInstance();
    const float flash = 0.55f + 0.45f * static_cast<float>((frames_ / 8) % 2);
    for (int i = 0; i < static_cast<int>(table.count) && i < kNetPlayers; ++i) {
        const tmSpriteTween* row = rows_[i];
        if (!row || !row->IsOnScreen() || row->alpha <= 0.0f) continue;
        const tmNetPlayerEntry& e = table.entries[i];
        const float a = row->alpha;
        const float x = row->x + jr::kRowLeft, y = row->y;
        const bool own = i == ownIndex_;
        draw->DrawSpriteAlpha(static_cast<int>(own ? jr::kRowOwn : jr::kRow), x, y, a, kScreen);
        if (cursor_ == kCursorFirstRow + i) draw->DrawSpriteAlpha(static_cast<int>(jr::kRowCursor), x, y, a, kScreen);
        if (picked_ == i) draw->DrawSpriteAlpha(static_cast<int>(jr::kRowPicked), x, y, a * flash, kScreen);

        digits_.DrawNumber(static_cast<uint32_t>(e.gridSlot + 1), 0, x + jr::kGridX, y + 3.0f, 1.0f, kScreen,
                           WithAlpha(0xFFFFFFFFu, a));
        char text[kRaceNameSize];
        NameText(e.driverName, text);
        names_.DrawString(text, x + jr::kDriverX, y + 9.0f, 1.0f, kScreen, WithAlpha(kNameColour, a));
        NameText(e.teamName, text);
        names_.DrawString(text, x + jr::kTeamX, y + 9.0f, 1.0f, kScreen, WithAlpha(kTeamColour, a));

        if (e.machine >= 1 && e.machine <= 11) {
            // The own choice flashes while it can still change.
            const bool choosing = own && !ready_ && !leaving_;
            const float ma = choosing ? a * flash : a;
            draw->DrawSpriteAlpha(static_cast<int>(jr::kFirstMachine + e.machine - 1), x + jr::kMachineX, y + 5.0f, ma,
                                  kScreen);
            draw->DrawSpriteAlpha(static_cast<int>(e.variant ? jr::kGearManual : jr::kGearAuto), x + jr::kGearX,
                                  y + 5.0f, ma, kScreen);
            if (choosing) {
                draw->DrawSpriteAlpha(static_cast<int>(jr::kArrowLeft), x + jr::kMachineX - 28.0f, y + 3.0f, a,
                                      kScreen);
                draw->DrawSpriteAlpha(static_cast<int>(jr::kArrowRight), x + jr::kMachineX + 154.0f, y + 3.0f, a,
                                      kScreen);
            }
        }
        if (e.ready)
            draw->DrawSpriteAlpha(static_cast<int>(jr::kMarkReady), x + jr::kStatusX, y + 5.0f, a, kScreen);
        else if (i == 0)
            draw->DrawSpriteAlpha(static_cast<int>(jr::kMarkHost), x + jr::kStatusX, y + 5.0f, a, kScreen);
    }
}

void tmSeqJoinRace::DrawFade() const {
    float black = 0.0f;
    if (state_ == kFadeIn) black = 1.0f - static_cast<float>(stateCounter_) / static_cast<float>(kFadeInFrames);
    if (state_ == kDeciding) black = static_cast<float>(stateCounter_) / static_cast<float>(kLeaveFrames);
    if (black <= 0.0f) return;
    tmDraw::GetInstance()->DrawWindowCover(static_cast<int>(jr::kWhite), WithAlpha(0xFF000000u, black));
}
