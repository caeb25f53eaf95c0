// tmFrontendCommonDraw.cpp -- the common display's elements, drawn in their fixed order.
#include <algorithm>
#include <cmath>

#include "app/tmConfig.h"
#include "frontend/tmFrontendCommon.h"
#include "frontend/tmHudPlace.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMatrixStack.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmDxFont.h"
#include "table/CourseTable.h"

namespace {

using L = HudCommonLayout;
constexpr int kFadeSprite = 22;        // the common white square
constexpr float kMapScale = 0.1f;      // world units to map units
constexpr float kMarkerScale = 90.0f;  // the other entrants' markers
constexpr float kOwnMarkerScale = 180.0f;
constexpr float kWideStretch = 1.7777778f;
constexpr float kWideScreen = 1.5555556f;  // width / height above which the second map frame shows
constexpr int kCountdownShownMs = 3250;
constexpr int kMarkerTeam = 234, kMarkerRival = 235, kMarkerOwn = 236;
constexpr uint32_t kNoTime = 5999999u;

uint32_t White(float alpha) {
    alpha = std::max(0.0f, std::min(alpha, 1.0f));
    return (static_cast<uint32_t>(alpha * 255.0f) << 24) | 0xFFFFFFu;
}
uint32_t Tint(uint32_t rgb, float alpha) {
    alpha = std::max(0.0f, std::min(alpha, 1.0f));
    return (static_cast<uint32_t>(alpha * 255.0f) << 24) | (rgb & 0xFFFFFFu);
}
float Clamp01(float v) { return std::max(0.0f, std::min(v, 1.0f)); }

// The world matrix of a model placed in display units (pixels at 1366 x 768, GetHudScale
// pixels each on other windows), seen through the fixed camera of the after-post layers (eye
// (0, 0, -50) at the origin, a quarter-turn lens, the screen's aspect): x from the left and y from
// the bottom (fromCorner), or x from the centre and y from the top.
D3DXMATRIX ScreenView(const HudModelLayout& l, bool fromCorner) {
    const tmDraw* draw = tmDraw::GetInstance();
    const float w = static_cast<float>(std::max(1, draw->GetBackBufferWidth()));
    const float h = static_cast<float>(std::max(1, draw->GetBackBufferHeight()));
    const float k = draw->GetHudScale();
    const float px = fromCorner ? l.x * k : w / 2.0f + l.x * k;
    const float py = fromCorner ? h - l.y * k : l.y * k;
    const float unit = 100.0f / h * k;  // world units per display unit at the origin's depth
    D3DXMATRIX scale, at;
    D3DXMatrixScaling(&scale, l.scale * unit, l.scale * unit, l.scale * unit);
    const float pixel = 100.0f / h;  // world units per pixel
    D3DXMatrixTranslation(&at, -(px - w / 2.0f) * pixel, (h / 2.0f - py) * pixel, 0.0f);
    return scale * at;
}

}  // namespace

void tmFrontendCommon::DrawSprite(const HudSpriteLayout& l, float alpha, float dx, float dy) const {
    if (l.sprite == 0 || alpha <= 0.0f) return;
    tmDraw::GetInstance()->DrawSpriteAlpha(static_cast<int>(l.sprite), l.x + dx, l.y + dy, Clamp01(alpha),
                                           static_cast<int>(l.layer));
}

void tmFrontendCommon::DrawTimeOrDashes(const tmNumberFont& font, uint32_t ms, float x, float y, float scale, int layer,
                                        uint32_t colour) const {
    if (ms >= kNoTime)
        font.DrawBlankTime(x, y, scale, layer, colour, 1);
    else
        font.DrawTime(ms, x, y, scale, layer, colour, 1);
}

bool tmFrontendCommon::BestLap(uint32_t* ms) const {
    const int held = std::min(std::max(lap_.lapsDone, 0), tmHudLapRecord::kLapTimes);
    bool any = false;
    for (int i = 0; i < held; ++i)
        if (!any || lap_.lapTimes[i] < *ms) {
            *ms = lap_.lapTimes[i];
            any = true;
        }
    return any;
}

void tmFrontendCommon::Draw() {
    DrawRankAndLap();
    DrawTimes();
    DrawRecords();
    DrawCountdown();
    DrawBanner();
    DrawMiniMap();
    DrawWideOverlay();
    DrawPopup();
    DrawMessage();
    DrawFrameRate();
    DrawNotice();
}

void tmFrontendCommon::DrawRankAndLap() const {
    const L& l = RaceDisplayLayout;
    const HudSpriteLayout& base = l.rankBase[tmConfig::GetInstance().GetGameFlag1() ? 0 : 1];
    const float alpha = PanelAlpha(base);
    if (alpha <= 0.0f) return;
    DrawSprite(base, alpha);
    const uint32_t c = White(alpha);
    const int at = static_cast<int>(base.layer);
    const int rank = std::max(0, lap_.rank);
    if (rank >= 9)
        largeFont_.DrawNumber(static_cast<uint32_t>(rank + 1), 2, l.rankX, l.rankY, l.rankScale, at, c);
    else
        largeFont_.DrawNumber(static_cast<uint32_t>(rank + 1), 1, l.rankX + 12.0f, l.rankY, l.rankScale, at, c);
    const int total = std::max(0, lap_.lapTotal);
    const int current = std::max(0, std::min(lap_.lapsDone + 1, total));
    largeFont_.DrawNumber(static_cast<uint32_t>(current), 2, l.lapX, l.lapY, l.lapScale, at, c);
    largeFont_.DrawNumber(static_cast<uint32_t>(total), 2, l.lapTotalX, l.lapTotalY, l.lapTotalScale, at, c);
}

void tmFrontendCommon::DrawTimes() const {
    const L& l = RaceDisplayLayout;
    const tmConfig& cfg = tmConfig::GetInstance();
    const bool allDone = lap_.lapTotal > 0 && lap_.lapsDone >= lap_.lapTotal;
    // Race time on the HUD plane.
    float alpha = PanelAlpha(l.timeBase);
    if (alpha > 0.0f) {
        DrawSprite(l.timeBase, alpha);
        // The plate is a sprite rectangle on the HUD plane: queued before the glyphs, it lies under them.
        tmDraw::GetInstance()->DrawSpriteRect(static_cast<int>(l.raceTimePlate.model),
                                              tmHudPlace::Element(l.raceTimePlate), White(alpha), -1.0f, -1.0f, -1.0f,
                                              -1.0f, l.raceTimePlateWidth, l.raceTimePlateHeight);
        const bool record =
            allDone && static_cast<int>(lap_.raceTime) <= cfg.GetModeRecord(lap_.lapTotal, courseId_, machineId_);
        timeSheet_.DrawTime(lap_.raceTime, tmHudPlace::Element(l.raceTime), 0.0f, 0.0f, l.raceTimeScale,
                            record ? Tint(kRecordColour, alpha) : White(alpha));
    }
    // Up to three lap times ending with the current lap; only the 16 the record holds are shown.
    alpha = PanelAlpha(l.lapsBase);
    if (alpha <= 0.0f) return;
    DrawSprite(l.lapsBase, alpha);
    const int total = std::max(0, lap_.lapTotal);
    const int done = std::max(0, lap_.lapsDone);
    const int current = std::min(done + 1, total);  // 1-based, the last lap once all are done
    const int lapRecord = cfg.GetModeCourseRecord(courseId_, machineId_);
    const int first = std::max(1, current - 2);
    for (int lapNo = first, row = 0; lapNo <= current; ++lapNo, ++row) {
        const int index = lapNo - 1;
        const bool completed = index < done;
        uint32_t ms = 0;
        if (completed) {
            if (index >= tmHudLapRecord::kLapTimes) continue;
            ms = lap_.lapTimes[index];
        } else {
            if (done > tmHudLapRecord::kLapTimes) continue;
            uint32_t sum = 0;
            for (int i = 0; i < done; ++i) sum += lap_.lapTimes[i];
            ms = lap_.raceTime > sum ? lap_.raceTime - sum : 0u;
        }
        const uint32_t c = completed && static_cast<int>(ms) <= lapRecord ? Tint(kRecordColour, alpha) : White(alpha);
        const float y = l.lapRowY + l.lapRowStep * static_cast<float>(row);
        const int at = static_cast<int>(l.lapsBase.layer);
        smallFont_.DrawNumber(static_cast<uint32_t>(lapNo), 0, l.lapNumberX, y, l.lapRowScale, at, White(alpha));
        smallFont_.DrawTime(ms, l.lapTimeX, y, l.lapRowScale, at, c, 1);
    }
}

void tmFrontendCommon::DrawRecords() const {
    const L& l = RaceDisplayLayout;
    const float alpha = PanelAlpha(l.recordBase);
    if (alpha <= 0.0f) return;
    DrawSprite(l.recordBase, alpha);
    const tmConfig& cfg = tmConfig::GetInstance();
    const int laps = lap_.lapTotal;
    const int times[2][2] = {{cfg.GetRecord(laps, courseId_), cfg.GetModeRecord(laps, courseId_, machineId_)},
                             {cfg.GetCourseRecord(courseId_), cfg.GetModeCourseRecord(courseId_, machineId_)}};
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const int t = times[row][col];
            DrawTimeOrDashes(smallFont_, t < 0 ? kNoTime : static_cast<uint32_t>(t), l.recordX[col], l.recordY[row],
                             l.recordScale, static_cast<int>(l.recordBase.layer), White(alpha));
        }
}

void tmFrontendCommon::DrawCountdown() const {
    const L& l = RaceDisplayLayout;
    const int32_t c = lap_.countdown;
    const int32_t t = static_cast<int32_t>(lap_.raceTime);
    if (c > kCountdownShownMs) return;
    if (c <= 0 && t >= 1500) return;
    const int step = c > 0 ? c / kCountdownStepMs + 1 : 0;
    float alpha = 1.0f;
    if (c > 3000) alpha = 1.0f - static_cast<float>(c - 3000) / 250.0f;
    if (c <= 0 && t > 1250) alpha = 1.0f - static_cast<float>(t - 1250) / 250.0f;
    alpha = Clamp01(alpha);
    if (alpha <= 0.0f) return;
    for (const HudSpriteLayout& b : l.countdownBase) DrawSprite(b, alpha);
    if (step == 0) {
        for (const HudSpriteLayout& s : l.countdownStart) DrawSprite(s, alpha);
        return;
    }
    const int lit = std::max(0, 4 - step);  // steps 3, 2, 1 light one, two, three lamps
    for (int i = 0; i < lit && i < 3; ++i) DrawSprite(l.countdownLamps[i], alpha);
}

void tmFrontendCommon::DrawBanner() const {
    const L& l = RaceDisplayLayout;
    if (lap_.bannerTime <= 0) return;
    float v = 0.0f;
    const int phase = Phase(bannerStarts_, BannerPhases, kBannerPhases, static_cast<float>(lap_.bannerTime), &v);
    if (phase >= kBannerPhases - 1) return;  // phase 4: none
    const float w = v * v;
    const float slide = (1.0f - w) * 70.0f;
    DrawSprite(l.bannerParts[0], w, -slide);
    DrawSprite(l.bannerParts[1], w);
    DrawSprite(l.bannerParts[2], w, slide);
    if (phase == 1) DrawSprite(l.bannerFinish, w);
    if (phase != 2) return;
    if (tmRaceState::Get().setup.mode == kRaceModeSingle) {
        DrawSprite(l.bannerComplete, w);
        return;
    }
    HudSpriteLayout rank = l.bannerRank;
    rank.sprite = l.rankPictures[std::max(0, std::min(lap_.rank, 15))];
    DrawSprite(rank, w);
    uint32_t best = 0;
    if (!BestLap(&best)) return;
    DrawSprite(l.bannerBest, w);
    const int record = tmConfig::GetInstance().GetCourseRecord(courseId_);
    const uint32_t colour = static_cast<int>(best) == record ? 0xFFFF3232u : kBestLapColour;
    largeFont_.DrawTime(best, l.bannerTimeX, l.bannerTimeY, l.bannerTimeScale, static_cast<int>(l.bannerBest.layer),
                        Tint(colour, w), 1);
}

void tmFrontendCommon::DrawMiniMap() const {
    if (!tmConfig::GetInstance().GetGameFlag3()) return;
    const L& l = RaceDisplayLayout;
    tmDraw* draw = tmDraw::GetInstance();
    const HudModelLayout& m = l.map;
    // The map's frame: heading up, the local player at the centre.
    auto frame = [&](tmMatrixStack& s, float pushBack) {
        s.Translate(m.x, m.y, m.z + pushBack);
        s.Scale(m.scale, m.scale, m.scale);
        s.RotateY(m.angleY);
        s.RotateX(m.angleX);
        s.RotateY(-heading_);
    };
    const int mapModel = GetCourseMapModel(courseId_);
    if (mapModel != 0) {
        tmMatrixStack s(4);
        frame(s, 0.0f);
        s.Translate(-position_[0] * kMapScale, -position_[1] * kMapScale, -position_[2] * kMapScale);
        draw->SetWorldMatrix(*s.Top());
        draw->DrawModel(mapModel, tmShaderType::kFrontend, tmRenderLayer::kSecondView);
    }
    for (int r = 0; r < rows_.count; ++r) {
        if (r == rows_.player) continue;
        const tmGaugeRow& row = rows_.rows[r];
        tmMatrixStack s(4);
        frame(s, static_cast<float>(tmGaugeArray::kRows - (r + 1)) * 0.1f);
        s.Translate((row.position[0] - position_[0]) * kMapScale, (row.position[1] - position_[1]) * kMapScale,
                    (row.position[2] - position_[2]) * kMapScale);
        s.RotateY(row.heading);
        s.Scale(kMarkerScale, kMarkerScale, kMarkerScale);
        draw->SetWorldMatrix(*s.Top());
        draw->DrawModel(row.sameTeam ? kMarkerTeam : kMarkerRival, tmShaderType::kFrontend, tmRenderLayer::kSecondView);
    }
    {
        tmMatrixStack s(4);
        frame(s, 0.0f);
        s.RotateY(heading_ + 3.14159265f);  // undoes the map's turn: the own marker points up
        s.Scale(kOwnMarkerScale, kOwnMarkerScale, kOwnMarkerScale);
        draw->SetWorldMatrix(*s.Top());
        draw->DrawModel(kMarkerOwn, tmShaderType::kFrontend, tmRenderLayer::kSecondView);
    }
    // The second view's picture in its frame.
    draw->SetWorldMatrix(ScreenView(l.mapView, true));
    draw->DrawModel(static_cast<int>(l.mapView.model), tmShaderType::kDynamicSprite, tmRenderLayer::kAfterPostSecond);
    DrawSprite(l.mapFrame[0], PanelAlpha(l.mapFrame[0]));
    const int w = draw->GetBackBufferWidth(), h = draw->GetBackBufferHeight();
    if (h > 0 && static_cast<float>(w) / static_cast<float>(h) > kWideScreen)
        DrawSprite(l.mapFrame[1], PanelAlpha(l.mapFrame[1]));
}

void tmFrontendCommon::DrawWideOverlay() const {
    if (!tmConfig::GetInstance().GetGameFlag2()) return;
    const HudModelLayout& o = RaceDisplayLayout.wideOverlay;
    D3DXMATRIX stretch;
    D3DXMatrixScaling(&stretch, kWideStretch, 1.0f, 1.0f);
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetWorldMatrix(stretch * ScreenView(o, false));
    draw->DrawModel(static_cast<int>(o.model), tmShaderType::kDynamicSprite, tmRenderLayer::kAfterPostMirror);
}

void tmFrontendCommon::DrawPopup() const {
    const L& l = RaceDisplayLayout;
    if (popupTimer_ <= 0 || popupLap_ <= 0) return;
    float v = 0.0f;
    if (Phase(popupStarts_, PopupPhases, kPopupPhases, static_cast<float>(popupTimer_), &v) >= kPopupPhases) return;
    const float w = v * v;
    const float slide = (1.0f - w) * 27.5f;
    const int index = popupLap_ - 1;
    if (index >= tmHudLapRecord::kLapTimes) return;
    const uint32_t ms = lap_.lapTimes[index];
    const bool marked = static_cast<int>(ms) <= tmConfig::GetInstance().GetModeCourseRecord(courseId_, machineId_);
    DrawSprite(l.popupBase, w, 0.0f, -slide);
    if (marked) DrawSprite(l.popupRecord, w, 0.0f, -slide);
    largeFont_.DrawTime(ms, l.popupTimeX, l.popupTimeY - slide, l.popupTimeScale, static_cast<int>(l.popupBase.layer),
                        marked ? Tint(kRecordColour, w) : White(w), 1);
}

void tmFrontendCommon::DrawMessage() {
    if (message_ == 0) return;
    const L& l = RaceDisplayLayout;
    const HudMessage& m = HudMessages[std::max(1, std::min(message_, kHudMessages - 1))];
    DrawSprite(l.messageFrames[0], 1.0f);
    DrawSprite(l.messageFrames[1], 1.0f);
    const int at = static_cast<int>(l.messageFrames[0].layer);
    if (m.picture != 0)
        tmDraw::GetInstance()->DrawSprite(static_cast<int>(m.picture), l.messagePictureX, l.messagePictureY + m.offsetY,
                                          at);
    char text[sizeof m.text];
    std::copy(m.text, m.text + sizeof m.text, text);
    text[sizeof text - 1] = '\0';
    gridFont_.DrawString(text, l.messageTextX, l.messageTextY, l.messageTextScale, at, m.colour);
    message_ = 0;
}

void tmFrontendCommon::DrawFrameRate() const {
    if (!tmConfig::GetInstance().GetDisplayFlag()) return;
    const float rate = tmDraw::GetInstance()->GetFrameRate();
    const uint32_t value = rate > 0.0f && rate < 1e9f ? static_cast<uint32_t>(rate) : 0u;
    smallFont_.DrawNumber(value, 0, 10.0f, 0.0f, 1.0f, tmSpritePlacement::kBottomRight | tmSpritePlacement::kHudScaled,
                          0xFFFFFFFFu);
}

void tmFrontendCommon::DrawNotice() const {
    if (noticeTimer_ <= 0) return;
    const L& l = RaceDisplayLayout;
    const int t = noticeTimer_;
    float offset = 0.0f;
    if (t < 10) offset = static_cast<float>(10 - t) * 7.0f;
    if (t >= 110) offset = static_cast<float>(t - 110) * 7.0f;
    DrawSprite(l.noticeBase, 1.0f, -offset);
    const int at = static_cast<int>(l.noticeBase.layer);
    gridFont_.DrawString(noticeRow_.raceDone ? "GOAL" : "LAP", l.noticeWordX - offset, l.noticeWordY, l.noticeWordScale,
                         at, noticeRow_.raceDone ? 0xFFFFD21Eu : 0xFF2ADCFFu);
    if (tmDxFont* font = tmDxFont::GetInstance()) {
        char name[tmGaugeRow::kNameSize];
        std::copy(noticeRow_.name, noticeRow_.name + tmGaugeRow::kNameSize, name);
        name[tmGaugeRow::kNameSize - 1] = '\0';
        const float k = tmDraw::GetInstance()->GetHudScale();  // the panel is anchored top left
        font->SetPositionRaw(static_cast<int>((l.noticeNameX - offset) * k), static_cast<int>(l.noticeNameY * k));
        font->DrawText(name);
    }
    smallFont_.DrawTime(noticeRow_.time, l.noticeTimeX - offset, l.noticeTimeY, l.noticeTimeScale, at, 0xFFFFFFFFu,
                        noticeRow_.time >= 600000u ? 2 : 1);
}

void tmFrontendCommon::DrawFade() const {
    if (fade_ <= 0.0f) return;
    // A black cover over the whole window, whatever its shape.
    tmDraw::GetInstance()->DrawWindowCover(kFadeSprite, Tint(0x000000u, fade_));
}

void tmFrontendCommon::DrawViewer() const {
    const HudModelLayout& v = RaceDisplayLayout.viewerElement;
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetWorldMatrix(ScreenView(v, true));
    draw->DrawModel(static_cast<int>(v.model), tmShaderType::kDynamicSprite, tmRenderLayer::kAfterPostSecond);
}
