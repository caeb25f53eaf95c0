// MachineTrials.h -- headless trials of one machine: flat-floor runs, a skid pad and laps.
#pragma once

#include <memory>

class tmCourse;

// What the trials measure of one machine.
struct MachineTrialResult {
    float topKmh = 0.0f;         // full throttle in the normal body
    float aeroTopKmh = 0.0f;     // in the aero body; 0 for machines that keep one shape
    float boostPeakKmh = 0.0f;   // highest speed of a full boost begun at top speed
    float secondPeakKmh = 0.0f;  // the same with the second stage called; 0 for one-stage boosts
    float secondsTo200 = 0.0f;   // from standstill; -1 when never reached
    float lateral = 0.0f;        // m/s^2 on a full-lock circle held near 200 km/h
    float computerLap[3] = {};   // best lap (s) of the computer driver alone; -1 when it did not finish
    float keyboardLap[3] = {};   // the same driven with the keys only (brake assist on)
};

// Runs the trials. Owns a flat floor course, the scripted pad and the race
// state set-up while it lives; expects the working folder to be the run folder.
class MachineTrials {
public:
    static constexpr int kCircuits[3] = {2, 3, 5};

    MachineTrials();
    ~MachineTrials();
    MachineTrials(const MachineTrials&) = delete;
    MachineTrials& operator=(const MachineTrials&) = delete;

    MachineTrialResult Run(int machineId);

private:
    struct State;
    std::unique_ptr<State> state_;
};
