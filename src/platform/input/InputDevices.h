// InputDevices.h -- keyboard, mouse and joystick states in the shapes the input code reads.
#pragma once
#include <cstdint>
#include <memory>

namespace platform {

class Window;

// One joystick's state: axes -1000..1000, sliders, four hats in hundredths of
// a degree (kHatCentred when centred) and 128 buttons (bit 7 set = held).
struct JoyState {
    static constexpr uint32_t kHatCentred = 0xFFFFFFFFu;
    int32_t x = 0, y = 0, z = 0;
    int32_t rx = 0, ry = 0, rz = 0;
    int32_t slider[2] = {0, 0};
    uint32_t pov[4] = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
    uint8_t buttons[128] = {};
};

// The mouse since the last read: relative motion, wheel (120 per notch) and buttons held.
struct MouseState {
    int32_t dx = 0, dy = 0, wheel = 0;
    uint8_t buttons[8] = {};  // 0 left, 1 right, 2 middle; 0x80 = held
};

// Keys or buttons pressed since the last reading of their state. A tap or a quick click whose press and
// release both fall between two readings is gone from the state; the next reading shows it held, once,
// and the one after released, so no press is lost however slow the frames. A key pressed again after a
// reading showed it held reads released first: each press gets a reading of its own, so two clicks before
// one reading stay a double click (at most three presses wait).
template <int N>
class PressLatch {
public:
    void Press(int i) {
        if (i >= 0 && i < N && pending_[i] < kMaxPending) ++pending_[i];
    }
    // Sets or clears bit 7 of state[i] (the state as it is now) for the presses since the last call.
    void Read(uint8_t* state) {
        for (int i = 0; i < N; ++i) {
            if (heldLast_[i] && pending_[i]) {
                state[i] &= 0x7F;  // released and pressed again since: the release first
            } else if (pending_[i]) {
                state[i] |= 0x80;
                --pending_[i];
            }
            heldLast_[i] = (state[i] & 0x80) != 0;
        }
    }

private:
    static constexpr uint8_t kMaxPending = 3;
    uint8_t pending_[N] = {};
    bool heldLast_[N] = {};
};

// The input devices of one window. Keys are indexed by the PC set-1 scan
// codes (DIK numbering: Esc 1, Return 28, Space 57, arrows 200/203/205/208).
// The SDL backend reads the real devices; ScriptedInput is the test backend.
class InputDevices {
public:
    static constexpr int kMaxJoysticks = 2;
    virtual ~InputDevices() = default;

    // False when the keyboard cannot be read now (lost); keys are then cleared.
    virtual bool ReadKeyboard(uint8_t keys[256]) = 0;
    // False when the mouse cannot be read now.
    virtual bool ReadMouse(MouseState& state) = 0;
    // Cursor position in client coordinates (negative above or left of the window).
    virtual void CursorPosition(int32_t& x, int32_t& y) = 0;
    // Joysticks found at start (at most kMaxJoysticks).
    virtual int JoystickCount() = 0;
    // False when joystick i is lost (unplugged).
    virtual bool ReadJoystick(int i, JoyState& state) = 0;
    // Tries once to get a lost joystick back.
    virtual bool ReopenJoystick(int i) = 0;
    virtual bool HasFocus() = 0;
    virtual void SetCursorVisible(bool visible) = 0;
};

// Reads SDL's keyboard, mouse and joysticks for the given window; null when SDL cannot start.
std::unique_ptr<InputDevices> CreateSdlInput(Window& window);

// SDL scan code to DIK code (0 when unmapped).
uint8_t SdlScancodeToDik(int scancode);

// Test backend: the test writes the states a step should see, and may tap keys and buttons between readings.
class ScriptedInput : public InputDevices {
public:
    uint8_t keys[256] = {};
    MouseState mouse;
    int32_t cursorX = 0, cursorY = 0;
    int joystickCount = 0;
    JoyState joy[kMaxJoysticks];
    bool joyLost[kMaxJoysticks] = {false, false};
    bool keyboardLost = false;
    bool focus = true;
    bool cursorVisible = true;
    int reopenCalls = 0;

    void SetKey(int dik, bool down) {
        if (dik >= 0 && dik < 256) keys[dik] = down ? 0x80 : 0;
    }
    // A key or mouse button (0 left, 1 right, 2 middle) pressed and released before the next reading.
    void TapKey(int dik) { keyTaps_.Press(dik); }
    void TapButton(int button) { buttonTaps_.Press(button); }

    bool ReadKeyboard(uint8_t out[256]) override;
    bool ReadMouse(MouseState& state) override;
    void CursorPosition(int32_t& x, int32_t& y) override {
        x = cursorX;
        y = cursorY;
    }
    int JoystickCount() override { return joystickCount; }
    bool ReadJoystick(int i, JoyState& state) override;
    bool ReopenJoystick(int i) override;
    bool HasFocus() override { return focus; }
    void SetCursorVisible(bool visible) override { cursorVisible = visible; }

private:
    PressLatch<256> keyTaps_;
    PressLatch<8> buttonTaps_;
};

}  // namespace platform
