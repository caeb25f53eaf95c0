// tmSeqTestSound.h -- screen 6: one-shot sounds, the music streams and a machine's running loops by key.
#pragma once
#include <cstdint>

#include "test/tmTestScreen.h"

struct LoopSoundRecord;
struct MachineSpec;

// Keypad 0, 1, 2 and 3 play four one-shot sounds; the digit keys "1" to "0"
// stop the music when it plays and otherwise start one of ten streams; "D",
// "F", "G" and "H" stop the machine sound test when it runs and otherwise
// start one of its loops: the engine (every engine loop of the race state's
// first machine), the brake, the tire slide or the chassis rumble. While a
// loop runs its control value follows player 1's pedals and steering, so
// its volume and pitch curves can be heard. Shows the music's playing time
// and volume, the effects volume, each loop's voice and value and every engine
// voice's volume and pitch. Owns the loops and a stream it started.
class tmSeqTestSound : public tmTestScreen {
public:
    static constexpr int kId = 6;
    enum Loop { kEngine = 0, kBrake = 1, kSlide = 2, kChassis = 3, kLoops = 4 };
    static constexpr int kEngineVoices = 6;
    // One-shot sound ids of keypad 0, 1, 2 and 3.
    static const uint32_t kKeypadSounds[4];
    // Music stream ids of the digit keys "1" .. "9", "0".
    static const int kDigitStreams[10];

    ~tmSeqTestSound() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // The loop that runs (kLoops: none) and the voices it plays on (0: none).
    int GetRunningLoop() const { return running_; }
    int GetEngineVoice(int i) const { return i >= 0 && i < kEngineVoices ? engine_[i] : 0; }
    int GetVoice(int loop) const { return loop > kEngine && loop < kLoops ? voice_[loop] : 0; }
    float GetValue(int loop) const { return loop >= 0 && loop < kLoops ? value_[loop] : 0.0f; }

private:
    void StartLoop(int loop);
    void StopLoops();
    void SteerLoops();
    const MachineSpec* Machine() const;

    int running_ = kLoops;
    int engine_[kEngineVoices] = {};
    int voice_[kLoops] = {};  // brake, slide and chassis voices
    float value_[kLoops] = {};
    int32_t streamFrame_ = -1;  // the frame the test's stream started (-1: none)
    bool started_ = false;
};
