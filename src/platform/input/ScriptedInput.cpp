// ScriptedInput.cpp -- the test input backends: device states and text-entry events written by the test.
#include <cstring>

#include "platform/input/InputDevices.h"
#include "platform/input/TextInput.h"

namespace platform {

bool ScriptedInput::ReadKeyboard(uint8_t out[256]) {
    if (keyboardLost) {
        std::memset(out, 0, 256);
        return false;
    }
    std::memcpy(out, keys, 256);
    keyTaps_.Read(out);
    return true;
}

bool ScriptedInput::ReadMouse(MouseState& state) {
    state = mouse;
    buttonTaps_.Read(state.buttons);
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

// ---------------------------------------------------------------- text entry

bool ScriptedTextInput::Poll(TextInputEvent* event) {
    if (pending_.empty()) return false;
    *event = std::move(pending_.front());
    pending_.pop_front();
    return true;
}

void ScriptedTextInput::Discard(bool keysOnly) { DiscardPending(pending_, keysOnly); }

bool ScriptedTextInput::HasText() const {
    for (const TextInputEvent& e : pending_)
        if (e.kind != TextInputEvent::Kind::Key) return true;
    return false;
}

void ScriptedTextInput::Push(const TextInputEvent& event) {
    if (!active_) return;
    if (pending_.size() >= kMaxPending) pending_.pop_front();
    pending_.push_back(event);
}

void ScriptedTextInput::Type(const std::string& utf8) {
    TextInputEvent e;
    e.kind = TextInputEvent::Kind::Text;
    e.utf8 = utf8;
    Push(e);
}

void ScriptedTextInput::Compose(const std::string& utf8, int start, int length) {
    TextInputEvent e;
    e.kind = TextInputEvent::Kind::Composition;
    e.utf8 = utf8;
    e.start = start;
    e.length = length;
    Push(e);
}

void ScriptedTextInput::Press(EditKey key, bool shift, bool ctrl) {
    TextInputEvent e;
    e.kind = TextInputEvent::Kind::Key;
    e.key = key;
    e.shift = shift;
    e.ctrl = ctrl;
    Push(e);
}

}  // namespace platform
