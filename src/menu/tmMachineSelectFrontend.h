// tmMachineSelectFrontend.h -- the machine select's drawing: frame, side arrows, names, specs, transmission, cover.
#pragma once
#include <cstdint>

class tmSpriteTween;

// The sprites the machine select and the garage share: the bottom frame
// (select or garage variant), the side arrows with their lit parts, each
// machine's name plate and spec panel, the transmission choice, and a
// full-screen colour cover that hides each change of machine. Owned by its
// screen; loads the common and machine-select sprite groups and unloads them
// when deleted.
class tmMachineSelectFrontend {
public:
    enum Frame { kFrame = 0, kLeftArrow = 1, kRightArrow = 2, kFrames = 3 };
    enum Mission { kAutoOff = 0, kManualOff = 1, kAutoOn = 2, kManualOn = 3, kMissions = 4 };
    enum Variant { kSelect = 0, kGarage = 1 };
    static constexpr int kMachineSlots = 12;  // machine ids 0..11 (0 none)
    static constexpr uint32_t kKeepColour = 0x00FFFFFFu;
    static constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;
    static constexpr int kEnterWait = 30;
    static constexpr int kLeaveWait = 70;

    tmMachineSelectFrontend() = default;
    ~tmMachineSelectFrontend();
    tmMachineSelectFrontend(const tmMachineSelectFrontend&) = delete;
    tmMachineSelectFrontend& operator=(const tmMachineSelectFrontend&) = delete;

    void Init(int count, int variant);
    // One step showing `machine` (0: none).
    void Update(uint32_t machine);
    // Covering (1) or clearing (0); `snap` jumps the level; a colour other than kKeepColour replaces it.
    void SetCover(uint8_t direction, bool snap, uint32_t colour);
    void ShowTransmission(bool automatic);
    void HideTransmission();
    void Leave();
    // Busy while the step count since the last wait started is not above its limit (each Update counts one).
    bool IsBusy() const { return busyCounter_ <= busyLimit_; }
    bool IsCoverClear() const { return coverLevel_ <= 0.0f && coverDirection_ == 0; }
    bool IsCoverFull() const { return coverLevel_ >= 1.0f && coverDirection_ == 1; }
    void Draw(bool arrows) const;

    uint32_t GetShownMachine() const { return shown_; }
    float GetCoverLevel() const { return coverLevel_; }
    uint32_t GetCoverColour() const { return coverColour_; }
    uint8_t GetCoverDirection() const { return coverDirection_; }
    float GetArrowLevel(int side) const { return side == 0 ? arrowLevel_[0] : arrowLevel_[1]; }
    const tmSpriteTween* GetFrame(int f) const { return f >= 0 && f < kFrames ? frames_[f] : nullptr; }
    const tmSpriteTween* GetName(uint32_t m) const { return m < kMachineSlots ? names_[m] : nullptr; }
    const tmSpriteTween* GetMission(int i) const { return i >= 0 && i < kMissions ? missions_[i] : nullptr; }

private:
    void Release();

    tmSpriteTween* frames_[kFrames] = {};
    tmSpriteTween* names_[kMachineSlots] = {};
    tmSpriteTween* specs_[kMachineSlots] = {};
    tmSpriteTween* missions_[kMissions] = {};
    uint32_t shown_ = 0;
    int count_ = 0;
    int arrowCounter_[2] = {};
    float arrowLevel_[2] = {};
    int32_t busyCounter_ = 0;
    int32_t busyLimit_ = kEnterWait;
    uint32_t coverColour_ = kWhite;
    float coverLevel_ = 1.0f;
    uint8_t coverDirection_ = 0;
    int32_t steps_ = 0;
    bool loaded_ = false;
};
