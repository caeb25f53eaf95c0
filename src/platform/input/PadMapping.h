// PadMapping.h -- turning what a pad reports into the joystick record the input service reads.
#pragma once
#include <cstdint>

#include "platform/input/InputDevices.h"

namespace platform {

// A pad read through a game-controller mapping (a pad whose layout is known):
// sticks -32768..32767 (down and right positive), triggers 0..32767 (0 at
// rest) and buttons named by their place on the pad. The button order is the
// mapping's own (SDL_GameControllerButton).
struct PadReading {
    enum Button : int {
        kA,
        kB,
        kX,
        kY,
        kBack,
        kGuide,
        kStart,
        kLeftStick,
        kRightStick,
        kLeftShoulder,
        kRightShoulder,
        kDpadUp,
        kDpadDown,
        kDpadLeft,
        kDpadRight,
        kButtonCount
    };
    int16_t leftX = 0, leftY = 0, rightX = 0, rightY = 0;
    int16_t leftTrigger = 0, rightTrigger = 0;
    bool buttons[kButtonCount] = {};
};

// A joystick of unknown layout as its driver numbers its parts. Hats are bit
// sets: 1 up, 2 right, 4 down, 8 left (SDL_HAT_*).
struct RawJoystickReading {
    static constexpr int kMaxAxes = 8;
    static constexpr int kMaxHats = 4;
    static constexpr int kMaxButtons = 128;
    enum HatBits : uint8_t { kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8 };
    int axisCount = 0;
    int16_t axes[kMaxAxes] = {};
    int hatCount = 0;
    uint8_t hats[kMaxHats] = {};
    int buttonCount = 0;
    bool buttons[kMaxButtons] = {};
};

// Where a mapped pad's parts land in the record: as a DirectInput driver
// shows an Xbox-style pad, which the default bindings and the pedal types
// assume. Both triggers share the Z axis (at rest 0, right trigger towards
// -1000, left towards +1000); slider 0 carries the same pedal axis; the right
// stick is Rx/Ry and its vertical also Z rotation; the D-pad is hat 0.
namespace pad {
constexpr int kTriggerFull = 1000;  // a trigger pulled fully, in record units
// Record button numbers of the mapped buttons.
enum RecordButton : int {
    kButtonA = 0,
    kButtonB = 1,
    kButtonX = 2,
    kButtonY = 3,
    kButtonLeftShoulder = 4,
    kButtonRightShoulder = 5,
    kButtonBack = 6,
    kButtonStart = 7,
    kButtonLeftStick = 8,
    kButtonRightStick = 9,
    kButtonGuide = 10,
};
}  // namespace pad

// A stick axis -32768..32767 onto -1000..1000, symmetric around 0.
int32_t ScaleAxis(int16_t value);
// A trigger 0..32767 onto 0..1000 (negative readings count as released).
int32_t ScaleTrigger(int16_t value);
// Hat bits to hundredths of a degree clockwise from up; JoyState::kHatCentred
// when centred or when the bits name no single direction.
uint32_t HatAngle(uint8_t bits);

// The record of a mapped pad.
JoyState JoyStateFromPad(const PadReading& pad);
// The record of an unmapped joystick: axes in order onto X, Y, Z, Rx, Ry,
// Rz, slider 0, slider 1; hats onto the four POVs; buttons in order.
JoyState JoyStateFromRaw(const RawJoystickReading& raw);

}  // namespace platform
