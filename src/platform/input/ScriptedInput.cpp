// ScriptedInput.cpp -- the test input backend: states written by the test.
#include <cstring>

#include "platform/input/InputDevices.h"

namespace platform {

bool ScriptedInput::ReadKeyboard(uint8_t out[256]) {
    if (keyboardLost) {
        std::memset(out, 0, 256);
        return false;
    }
    std::memcpy(out, keys, 256);
    return true;
}

bool ScriptedInput::ReadMouse(MouseState& state) {
    state = mouse;
    mouse.dx = mouse.dy = mouse.wheel = 0;  // motion is relative to the last read
    return true;
}

bool ScriptedInput::ReadJoystick(int i, JoyState& state) {
    if (i < 0 || i >= joystickCount || i >= kMaxJoysticks || joyLost[i]) return false;
    state = joy[i];
    return true;
}

bool ScriptedInput::ReopenJoystick(int i) {
    ++reopenCalls;
    return i >= 0 && i < joystickCount && i < kMaxJoysticks && !joyLost[i];
}

}  // namespace platform
