// tmLapTimer.h -- one machine's race and lap times, counted in logic steps of 1/60 s.
#pragma once
#include <cstdint>

// A time value: whole steps and the fraction of the last step not used, worth frames - fraction steps.
struct tmLapTime {
    uint32_t frames = 0;
    float fraction = 0.0f;
};

// Counts the race time and the lap times of one machine. The machine core
// owns it, starts it when the race is set up, ticks it once per logic step
// while the machine races and closes a lap when the machine crosses the line
// part-way through a step. With reporting on (the local player outside replay
// viewing) it hands each lap and the finished race to the records of
// tmConfig. Reads no clock: time is the number of steps ticked.
class tmLapTimer {
public:
    static constexpr int kMaxLaps = 32;
    static constexpr uint32_t kMaxFrames = 356400;  // 99 minutes

    // Every field is set by Start.
    tmLapTimer() = default;

    // Clears every time, takes the lap total from the race state (kept within
    // 1..32, the laps the timer holds) and stores the record keys.
    void Start(uint32_t courseId, uint32_t machineId, bool report);
    // One logic step of the race and of the current lap, each capped at 99 minutes.
    void Tick();
    // Closes the current lap `fraction` of a step before the step's end; the
    // last lap also closes the race. Ignored once every lap is done.
    void CompleteLap(float fraction);
    // trunc(16.666666 x (frames - fraction)) in milliseconds.
    static uint32_t ToMilliseconds(const tmLapTime& time);

    void SetStopped(bool stopped) { stopped_ = stopped ? 1 : 0; }
    bool IsStopped() const { return stopped_ != 0; }

    // ---- read by the machine core, the HUD and the race ----
    const tmLapTime& GetTotal() const { return total_; }
    // Lap 0..31; an index outside gives a zero time.
    const tmLapTime& GetLap(int lap) const;
    uint32_t GetCurrentLap() const { return currentLap_; }  // also the completed laps
    uint32_t GetLapTotal() const { return lapTotal_; }
    bool IsFinished() const { return currentLap_ >= lapTotal_; }
    uint32_t GetCourseId() const { return courseId_; }
    uint32_t GetMachineId() const { return machineId_; }
    bool IsReporting() const { return report_ != 0; }

private:
    tmLapTime total_;
    tmLapTime laps_[kMaxLaps];
    uint32_t currentLap_ = 0;
    uint32_t lapTotal_ = 0;
    uint32_t courseId_ = 0;
    uint32_t machineId_ = 0;
    uint8_t report_ = 0;
    uint8_t stopped_ = 0;
};
