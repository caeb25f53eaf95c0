// tmFrontendCommon.cpp -- life, per-step logic (countdown sounds, notices, popup, fade) of the common display.
#include "frontend/tmFrontendCommon.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "machine/tmSimSound.h"
#include "sys/render/tmDraw.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {
constexpr int kCommonSpriteGroup = 13;
constexpr int kDisplaySpriteGroup = 19;
constexpr int kDebugFontSize = 20;
constexpr float kMsPerFrame = 1000.0f / 60.0f;
constexpr float kFadeStep = 0.05f;
}  // namespace

tmFrontendCommon::tmFrontendCommon() = default;

void tmFrontendCommon::Init() {
    if (const yiResourceGroup* g = yiResourceGroup::Get(group_)) g->Load();
    tmSpriteGroup::Load(kCommonSpriteGroup);
    tmSpriteGroup::Load(kDisplaySpriteGroup);
    // The notice's name scales with the race display, whatever the layout fit of the screen that shows it.
    debugFont_.Acquire(static_cast<int>(std::lround(kDebugFontSize * tmDraw::GetInstance()->GetHudScale())), false);
    timeSheet_.SetGrid(194, 512, 32, 21, 21, 0.65f);
    smallFont_.Setup(195, 512, 32, 21, 21, 21);
    largeFont_.Setup(198, 512, 32, 32, 32, 25);
    gridFont_.Setup(16, 512, 128, 20, 20, 16);
    // Phase starts are running sums of the durations (the banner's in ms, the popup's in frames).
    float sum = 0.0f;
    for (int i = 0; i <= kBannerPhases; ++i) {
        bannerStarts_[i] = sum * kMsPerFrame;
        if (i < kBannerPhases) sum += static_cast<float>(std::max(0, BannerPhases[i].frames));
    }
    sum = 0.0f;
    for (int i = 0; i <= kPopupPhases; ++i) {
        popupStarts_[i] = sum;
        if (i < kPopupPhases) sum += static_cast<float>(std::max(0, PopupPhases[i].frames));
    }
    lap_ = tmHudLapRecord{};
    rows_ = tmGaugeArray{};
    countdownStep_ = 4;
    frame_ = 0;
    fadeTarget_ = false;
    fade_ = 0.0f;
    message_ = 0;
    noticeTimer_ = 0;
    popupTimer_ = 0;
    popupLap_ = 0;
    lastLapsDone_ = 0;
    finished_ = 0;
}

void tmFrontendCommon::Reset() {
    countdownStep_ = 4;
    frame_ = 0;
}

void tmFrontendCommon::Release() {
    debugFont_.Release();
    tmSpriteGroup::Unload(kDisplaySpriteGroup);
    tmSpriteGroup::Unload(kCommonSpriteGroup);
    if (const yiResourceGroup* g = yiResourceGroup::Get(group_)) g->Unload();
}

void tmFrontendCommon::SetFadeTarget(bool show, bool immediate) {
    fadeTarget_ = show;
    if (immediate) fade_ = show ? 1.0f : 0.0f;
}

void tmFrontendCommon::ShowMessage(int id) { message_ = std::max(message_, id); }

void tmFrontendCommon::SetFinished() {
    finished_ = 1;
    frame_ = 1;
}

void tmFrontendCommon::Update(const tmHudLapRecord& lap, const tmHudMachineRecord& machine, const tmGaugeArray& rows) {
    lap_ = lap;
    std::copy(machine.position, machine.position + 3, position_);
    heading_ = machine.heading;
    courseId_ = machine.courseId;
    machineId_ = machine.machineId;
    rows_ = rows;
    rows_.count = std::max(0, std::min(rows_.count, tmGaugeArray::kRows));
    for (tmGaugeRow& r : rows_.rows) r.name[tmGaugeRow::kNameSize - 1] = '\0';
    if (frame_ > 0) ++frame_;
    const float target = fadeTarget_ ? 1.0f : 0.0f;
    if (fade_ < target) fade_ = std::min(target, fade_ + kFadeStep);
    if (fade_ > target) fade_ = std::max(target, fade_ - kFadeStep);
    UpdateCountdown();
    UpdateNotice();
    UpdatePopup();
}

void tmFrontendCommon::UpdateCountdown() {
    const int32_t c = lap_.countdown;
    // A countdown at or past zero is the start (a negative one is treated as zero).
    if (c <= 0) {
        if (countdownStep_ > 0) {
            tmSimSound::Get().Play(kStartSound);
            countdownStep_ = 0;
        }
        return;
    }
    const int step = c / kCountdownStepMs + 1;
    if (countdownStep_ > step) {
        tmSimSound::Get().Play(kCountdownSound);
        countdownStep_ = step;
    }
}

void tmFrontendCommon::UpdateNotice() {
    if (noticeTimer_ > 0 && ++noticeTimer_ > kNoticeFrames) noticeTimer_ = 0;
    if (noticeTimer_ != 0) return;
    for (int r = 0; r < rows_.count; ++r) {
        if (r == rows_.player) continue;
        const tmGaugeRow& row = rows_.rows[r];
        if (!row.lapDone && !row.raceDone) continue;
        noticeTimer_ = 1;
        noticeRow_ = row;
        return;
    }
}

void tmFrontendCommon::UpdatePopup() {
    if (lap_.lapsDone != lastLapsDone_) {
        if (lap_.lapsDone > lastLapsDone_) {
            popupTimer_ = 1;
            popupLap_ = lap_.lapsDone;
        }
        lastLapsDone_ = lap_.lapsDone;
        return;
    }
    if (popupTimer_ > 0) {
        float v = 0.0f;
        if (Phase(popupStarts_, PopupPhases, kPopupPhases, static_cast<float>(popupTimer_), &v) >= kPopupPhases)
            popupTimer_ = 0;
        else
            ++popupTimer_;
    }
}

float tmFrontendCommon::PanelAlpha(const HudSpriteLayout& l) const {
    const float f = static_cast<float>(frame_);
    if (f < static_cast<float>(l.fadeStart)) return 0.0f;
    if (l.fadeFrames <= 0) return 1.0f;
    return std::min((f - static_cast<float>(l.fadeStart)) / static_cast<float>(l.fadeFrames), 1.0f);
}

int tmFrontendCommon::Phase(const float* starts, const HudPhase* phases, int count, float t, float* v) {
    int phase = count;
    for (int i = 0; i < count; ++i)
        if (t >= starts[i] && t < starts[i + 1]) phase = i;
    *v = 0.0f;
    if (phase >= count) return count;
    const float start = starts[phase], span = starts[phase + 1] - start;
    const float along = span > 0.0f ? (t - start) / span : 1.0f;
    if (phases[phase].value > 0.0f)
        *v = 1.0f;  // full
    else if (phases[phase].value < 0.0f)
        *v = 1.0f - along;  // out
    else
        *v = along;  // in
    *v = std::max(0.0f, std::min(*v, 1.0f));
    return phase;
}
