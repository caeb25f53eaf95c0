// PadMapping.cpp -- mapped pads and raw joysticks onto the joystick record.
#include "platform/input/PadMapping.h"

namespace platform {

int32_t ScaleAxis(int16_t value) {
    const int32_t v = value < -32767 ? -32767 : value;
    return v * 1000 / 32767;
}

int32_t ScaleTrigger(int16_t value) {
    const int32_t v = value < 0 ? 0 : value;
    return v * pad::kTriggerFull / 32767;
}

uint32_t HatAngle(uint8_t bits) {
    using R = RawJoystickReading;
    switch (bits) {
        case R::kHatUp: return 0;
        case R::kHatUp | R::kHatRight: return 4500;
        case R::kHatRight: return 9000;
        case R::kHatDown | R::kHatRight: return 13500;
        case R::kHatDown: return 18000;
        case R::kHatDown | R::kHatLeft: return 22500;
        case R::kHatLeft: return 27000;
        case R::kHatUp | R::kHatLeft: return 31500;
        default: return JoyState::kHatCentred;
    }
}

JoyState JoyStateFromPad(const PadReading& in) {
    JoyState s;
    s.x = ScaleAxis(in.leftX);
    s.y = ScaleAxis(in.leftY);
    // One pedal axis from both triggers: released, or both pulled alike, reads 0.
    s.z = ScaleTrigger(in.leftTrigger) - ScaleTrigger(in.rightTrigger);
    s.rx = ScaleAxis(in.rightX);
    s.ry = ScaleAxis(in.rightY);
    s.rz = s.ry;
    s.slider[0] = s.z;
    s.slider[1] = 0;

    uint8_t hat = 0;
    if (in.buttons[PadReading::kDpadUp]) hat |= RawJoystickReading::kHatUp;
    if (in.buttons[PadReading::kDpadRight]) hat |= RawJoystickReading::kHatRight;
    if (in.buttons[PadReading::kDpadDown]) hat |= RawJoystickReading::kHatDown;
    if (in.buttons[PadReading::kDpadLeft]) hat |= RawJoystickReading::kHatLeft;
    s.pov[0] = HatAngle(hat);

    struct Place {
        PadReading::Button from;
        pad::RecordButton to;
    };
    static const Place kPlaces[] = {
        {PadReading::kA, pad::kButtonA},
        {PadReading::kB, pad::kButtonB},
        {PadReading::kX, pad::kButtonX},
        {PadReading::kY, pad::kButtonY},
        {PadReading::kLeftShoulder, pad::kButtonLeftShoulder},
        {PadReading::kRightShoulder, pad::kButtonRightShoulder},
        {PadReading::kBack, pad::kButtonBack},
        {PadReading::kStart, pad::kButtonStart},
        {PadReading::kLeftStick, pad::kButtonLeftStick},
        {PadReading::kRightStick, pad::kButtonRightStick},
        {PadReading::kGuide, pad::kButtonGuide},
    };
    for (const Place& p : kPlaces) s.buttons[p.to] = in.buttons[p.from] ? 0x80 : 0;
    return s;
}

JoyState JoyStateFromRaw(const RawJoystickReading& in) {
    JoyState s;
    int32_t* axes[RawJoystickReading::kMaxAxes] = {&s.x, &s.y, &s.z, &s.rx, &s.ry, &s.rz, &s.slider[0], &s.slider[1]};
    for (int a = 0; a < in.axisCount && a < RawJoystickReading::kMaxAxes; ++a) *axes[a] = ScaleAxis(in.axes[a]);
    for (int h = 0; h < in.hatCount && h < RawJoystickReading::kMaxHats; ++h) s.pov[h] = HatAngle(in.hats[h]);
    for (int b = 0; b < in.buttonCount && b < RawJoystickReading::kMaxButtons; ++b)
        s.buttons[b] = in.buttons[b] ? 0x80 : 0;
    return s;
}

}  // namespace platform
