// tmMachineModel.h -- a machine's drawn body: pose by body mode with its transitions, and the attached parts.
#pragma once
#include <cstdint>

#include "machine/tmMachinePart.h"
#include "sys/base/tmMath.h"

struct MachineNode;
struct MachineSpec;
class tmMatrixStack;

// Draws one machine from its table record: the body pose of the core's body
// mode (12-frame transition tables between modes), up to 32 parts whose
// transforms follow the machine (wheels steer and spin, brake lamps light,
// brakes glow, spinners turn and lift, boost parts show in boost), a single
// far model with distance and the ghost's flicker. Holds the machine's model
// group while it lives. Made by the program's part factory for every machine
// of a race and of the machine viewer; reads the core, never writes it, and
// draws only through the drawing seam. A machine whose models did not load
// draws nothing.
class tmMachineModel final : public tmMachinePart {
public:
    static constexpr int kSettled = 12;  // transition counter of a settled pose
    static constexpr int kGlowMax = 40;
    static constexpr int kGlowShown = 20;  // the glow shows above this count

    tmMachineModel();
    ~tmMachineModel() override;

    void Init(tmMachineCore& core, tmMachineMove& move) override;
    void Update() override;
    // Queues the machine; extraPass adds the mirrored-view layer.
    void Draw(bool extraPass) override;
    // The floor reflection of the machine viewer.
    void DrawViewer() override;
    void Release();

    // ---- state, for the race display and tests ----
    const MachineNode* GetCurrentPose() const { return pose_; }
    int GetTransitionCounter() const { return transition_; }
    int GetGlowCounter() const { return glow_; }
    int GetLampCounter() const { return lamp_; }
    bool IsBrakeLampOn() const;
    bool IsGlowOn() const { return glow_ > kGlowShown; }
    float GetDrawnSteering() const { return steer_; }
    float GetWheelAngle() const { return wheelAngle_; }
    float GetSpinnerAngle() const { return spinnerAngle_; }
    float GetSpinnerLift() const { return spinnerLift_; }
    bool IsDrawable() const { return drawable_; }

private:
    void UpdatePose();
    void UpdateBrakeLamp();
    void UpdateGlow();
    void UpdateSpinner();
    // One entry under the core's world matrix (and a world-space mirror when given).
    void DrawPart(const MachineNode& entry, bool extraPass, const D3DXMATRIX* mirror, bool secondPass);
    void DrawAll(bool extraPass, const D3DXMATRIX* mirror, bool secondPass);

    tmMachineCore* core_ = nullptr;
    const MachineSpec* spec_ = nullptr;
    tmMatrixStack* stack_ = nullptr;  // owned
    float steer_ = 0.0f;
    float wheelStep_ = 0.0f;
    float wheelAngle_ = 0.0f;
    float spinnerRate_ = 0.0f;
    float spinnerAngle_ = 0.0f;
    float spinnerLift_ = 0.0f;
    const MachineNode* pose_ = nullptr;
    uint32_t lastBodyMode_ = 0;
    int32_t transition_ = kSettled;
    int32_t glow_ = 0;
    int32_t lamp_ = 0;
    int32_t drawCounter_ = 0;
    int32_t frameCounter_ = 0;
    bool groupLoaded_ = false;
    bool drawable_ = true;
};
