// tmLapTimer.cpp -- step counting, lap closing and the hand-over of times to the records.
#include "race/tmLapTimer.h"

#include <cstdio>

#include "app/tmConfig.h"
#include "race/tmRaceState.h"

void tmLapTimer::Start(uint32_t courseId, uint32_t machineId, bool report) {
    total_ = tmLapTime{};
    for (tmLapTime& lap : laps_) lap = tmLapTime{};
    currentLap_ = 0;
    uint32_t laps = tmRaceState::Get().setup.laps;
    if (laps < 1 || laps > kMaxLaps) {
        // More laps than the timer holds would write past its lap list; none would finish at once.
        const uint32_t kept = laps < 1 ? 1 : kMaxLaps;
        std::fprintf(stderr, "lap timer: %u laps cannot be timed, %u used\n", laps, kept);
        laps = kept;
    }
    lapTotal_ = laps;
    stopped_ = 0;
    courseId_ = courseId;
    machineId_ = machineId;
    report_ = report ? 1 : 0;
}

void tmLapTimer::Tick() {
    if (currentLap_ >= lapTotal_ || stopped_) return;
    if (total_.frames < kMaxFrames) total_.frames += 1;
    tmLapTime& lap = laps_[currentLap_];
    if (lap.frames < kMaxFrames) lap.frames += 1;
}

void tmLapTimer::CompleteLap(float fraction) {
    if (currentLap_ >= lapTotal_) return;
    tmLapTime& lap = laps_[currentLap_];
    lap.fraction = fraction;
    if (report_)
        tmConfig::GetInstance().UpdateCourseRecord(static_cast<int>(ToMilliseconds(lap)), static_cast<int>(courseId_),
                                                   static_cast<int>(machineId_));
    currentLap_ += 1;
    if (currentLap_ == lapTotal_) {
        total_.fraction = fraction;
        if (report_)
            tmConfig::GetInstance().UpdateRecord(static_cast<int>(ToMilliseconds(total_)), static_cast<int>(lapTotal_),
                                                 static_cast<int>(courseId_), static_cast<int>(machineId_));
    }
}

uint32_t tmLapTimer::ToMilliseconds(const tmLapTime& time) {
    // The difference is taken to single precision, the product kept in double
    // so that 356400 steps give 5939999 ms rather than a rounded 5940000.
    const float steps = static_cast<float>(static_cast<double>(time.frames) - static_cast<double>(time.fraction));
    const double ms = static_cast<double>(steps) * static_cast<double>(16.666666f);
    return ms > 0.0 ? static_cast<uint32_t>(ms) : 0;
}

const tmLapTime& tmLapTimer::GetLap(int lap) const {
    static const tmLapTime kNone;
    return lap >= 0 && lap < kMaxLaps ? laps_[lap] : kNone;
}
