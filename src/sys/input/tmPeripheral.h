// tmPeripheral.h -- the input service: 16 actions per player, steering, pedals, keys and mouse.
#pragma once
#include <cstdint>

#include "platform/input/InputDevices.h"
#include "sys/input/tmInputActions.h"

// The one input object of the process. Created and polled once per logic
// step by the main loop; reads keyboard, mouse and up to two joysticks from a
// platform::InputDevices backend (not owned) and turns them into actions,
// analog controls and raw key queries for every screen, the race and the lobby.
class tmPeripheral {
public:
    static constexpr int kActions = tmAction::kCount;
    static constexpr int kPlayers = tmPlayer::kCount;
    static constexpr int kDirUp = tmAction::kUp, kDirDown = tmAction::kDown;
    static constexpr int kDirLeft = tmAction::kLeft, kDirRight = tmAction::kRight;
    static constexpr int kPadButtons = 16;  // pad buttons 0..15 can be bound and queried

    static void Create();
    static tmPeripheral* GetInstance();
    static void Destroy();

    tmPeripheral();
    ~tmPeripheral() { Release(); }
    tmPeripheral(const tmPeripheral&) = delete;
    tmPeripheral& operator=(const tmPeripheral&) = delete;

    // Binds the devices and applies the default bindings; 0 on success.
    int Init(platform::InputDevices* devices, bool windowed);
    void Release();
    // Reads every device once; a lost device reads as absent and is retried next step.
    int Update();
    // Counts the steps each direction is held. frameStart false: a further step of the same frame, on the
    // same reading of the devices (the main loop runs up to eight a frame).
    void UpdatePov(bool frameStart = true);
    void StorePrevious();
    bool IsMouseCaptured() const { return false; }

    // ---- actions (tmAction; player 0, 1 or -1 = either player) ----
    bool IsPress(int action, int player) const;
    bool IsTrigger(int action, int player) const;
    bool IsRepeat(int action, int player) const;
    bool IsDecideDown() const;
    bool IsDecideTriggered() const;
    bool IsCancelTriggered() const;
    bool IsPauseTriggered(int player) const { return IsTrigger(tmAction::kPause, player); }
    bool IsAction9Triggered(int player) const { return IsTrigger(tmAction::kBoost, player); }
    bool IsAction10Triggered(int player) const { return IsTrigger(tmAction::kTransform, player); }
    bool IsAction11Triggered(int player) const { return IsTrigger(tmAction::kGearUp, player); }
    bool IsAction12Triggered(int player) const { return IsTrigger(tmAction::kGearDown, player); }
    bool IsAction13Triggered(int player) const { return IsTrigger(tmAction::kViewChange, player); }

    // -1..1, positive = left. Player 0 or 1; any other reads 0.
    float GetSteering(int player) const;
    float GetAccelerator(int player) const;
    float GetBrake(int player) const;

    // ---- raw keys (tmKey codes) ----
    bool IsKeyDown(int dik) const;
    bool IsKeyTriggered(int dik) const;
    bool IsEscapeTriggered() const;
    bool IsTextKeyTriggered() const;

    // ---- joysticks ----
    bool IsJoyButtonTriggered(int button, int controller) const;
    bool IsStickPushedRight(int controller) const;
    bool IsStickPushedLeft(int controller) const;
    bool IsStickPushedUp(int controller) const;
    bool IsStickPushedDown(int controller) const;
    int GetTriggeredJoyButton(int controller) const;
    int GetControllerCount() const { return controllerCount_; }

    // ---- bindings ----
    void SetJoyButtonAssign(int action, int button, int player);
    // tmPedalType; any other type reads both pedals as 0.
    void SetPedalType(int type, int player);
    void SetDefaultAssign();
    int GetJoyButtonAssign(int action, int player) const;

    // ---- read directly by the lobby's widgets ----
    int32_t cursorX = 0, cursorY = 0;
    int32_t mouseMoveX = 0, mouseMoveY = 0, mouseWheel = 0;
    uint8_t mouseButton[3] = {};
    uint8_t mouseButtonPrev[3] = {};
    uint8_t mouseDoubleClick[3] = {};
    // Set while a text field is edited: keys then trigger no actions.
    uint8_t textEntryLock = 0;

private:
    void CountHeld(int player, int direction, bool held);
    bool CheckDoubleClick(bool pressed, int button);
    void UpdateCursorVisibility();
    bool PlayerHeld(int action, int p) const;
    bool PlayerTriggered(int action, int p) const;
    const platform::JoyState* Joy(int controller) const;
    const platform::JoyState* JoyPrev(int controller) const;
    bool PadByte(const platform::JoyState* s, int button) const;
    float Pedal(int player, bool brake) const;

    platform::InputDevices* devices_ = nullptr;
    float prevAccel_[kPlayers] = {};
    float prevBrake_[kPlayers] = {};
    uint8_t keys_[256] = {};
    uint8_t keysPrev_[256] = {};
    bool keyboardLost_ = false;
    int32_t keyBind_[kPlayers][kActions] = {};
    int32_t padBind_[kPlayers][kActions] = {};
    int32_t controllerIndex_[kPlayers] = {};
    int32_t pedalType_[kPlayers] = {};
    platform::JoyState joy_[platform::InputDevices::kMaxJoysticks];
    platform::JoyState joyPrev_[platform::InputDevices::kMaxJoysticks];
    bool joyPresent_[platform::InputDevices::kMaxJoysticks] = {};
    int controllerCount_ = 0;
    int repeatPeriod_ = 12;                 // steps
    int dirCount_[kPlayers][4] = {};        // steps held, as the repeat counts them
    bool dirCounted_[kPlayers][4] = {};     // the count moved on in this step
    bool dirFirstFrame_[kPlayers][4] = {};  // first held in the running frame
    int clickSteps_[3] = {};
    int32_t lastPressX_[3] = {-100, -100, -100};
    int32_t lastPressY_[3] = {-100, -100, -100};
    bool windowed_ = true;
    bool cursorShown_ = false;
};
