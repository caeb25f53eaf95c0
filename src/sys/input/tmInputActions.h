// tmInputActions.h -- names of the numbers input callers pass: actions, key codes, pedal types, pad assignments.
#pragma once

// The 16 logical buttons of each player, as tmPeripheral::IsPress,
// IsTrigger and IsRepeat take them. 0..3 are directions (bound key, stick and
// hat together, with auto-repeat); 4..15 are buttons (bound key or pad button).
namespace tmAction {
enum : int {
    kUp = 0,           // menu cursor up
    kDown = 1,         // menu cursor down
    kLeft = 2,         // menu cursor left; steers left
    kRight = 3,        // menu cursor right; steers right
    kDecide = 4,       // menu confirm (follows the accelerator's pad button)
    kCancel = 5,       // menu cancel (follows the brake's pad button)
    kPause = 6,        // pause menu in a race (default key Escape)
    kAccelerator = 7,  // accelerator of pedal type JOYPAD; also confirms in menus
    kBrake = 8,        // brake of pedal type JOYPAD; also cancels in menus
    kBoost = 9,        // boost
    kTransform = 10,   // body mode change; the replay select's delete key
    kGearUp = 11,      // shift up
    kGearDown = 12,    // shift down
    kViewChange = 13,  // race camera view change
    kSpare1 = 14,      // bound but read by nothing
    kSpare2 = 15,      // bound but read by nothing
    kCount = 16,
    kDirectionCount = 4,  // actions below this are directions
};
}  // namespace tmAction

// Player arguments of the action queries.
namespace tmPlayer {
enum : int {
    kAny = -1,  // either player's bindings count
    kOne = 0,
    kTwo = 1,
    kCount = 2,
};
}  // namespace tmPlayer

// Pedal types of tmPeripheral::SetPedalType (the controller options' DEVICE
// row and the saved key device): which control gives accelerator and brake.
namespace tmPedalType {
enum : int {
    kJoypad = 0,   // buttons: the accelerator and brake actions, 0 or 1
    kXbox360 = 1,  // one combined Z axis: negative accelerates, positive brakes
    kAnalog = 2,   // Z rotation (a second stick's vertical): up accelerates, down brakes
    kDfgt = 3,     // slider 0 (a wheel's combined pedals): negative accelerates, positive brakes
    kCount = 4,
};
}  // namespace tmPedalType

// Entries of the saved pad-button assignments (tmConfig::GetKeyAssign). Each
// entry 1..8 holds a pad button 0..15 for one action; entry 0 holds none.
namespace tmPadAssign {
enum : int {
    kAccel = 1,
    kBrake = 2,
    kBoost = 3,
    kTransform = 4,
    kGearUp = 5,
    kGearDown = 6,
    kViewChange = 7,
    kPause = 8,
    kCount = 9,  // entries 0..8
};

// The action entry `entry` binds; -1 for entry 0 and outside 1..8.
constexpr int ActionOf(int entry) {
    constexpr int kActions[kCount] = {-1,
                                      tmAction::kAccelerator,
                                      tmAction::kBrake,
                                      tmAction::kBoost,
                                      tmAction::kTransform,
                                      tmAction::kGearUp,
                                      tmAction::kGearDown,
                                      tmAction::kViewChange,
                                      tmAction::kPause};
    return entry >= 0 && entry < kCount ? kActions[entry] : -1;
}
}  // namespace tmPadAssign

// Key codes of tmPeripheral::IsKeyDown and IsKeyTriggered and of the key
// bindings: PC set-1 scan codes, numbered as DirectInput numbers them (DIK),
// extended keys at 128 + code. The keyboard state has one byte per code 0..255.
namespace tmKey {
enum : int {
    kEscape = 1,
    k1 = 2,
    k2 = 3,
    k3 = 4,
    k4 = 5,
    k5 = 6,
    k6 = 7,
    k7 = 8,
    k8 = 9,
    k9 = 10,
    k0 = 11,
    kMinus = 12,
    kEquals = 13,
    kBackspace = 14,
    kTab = 15,
    kQ = 16,
    kW = 17,
    kE = 18,
    kR = 19,
    kT = 20,
    kY = 21,
    kU = 22,
    kI = 23,
    kO = 24,
    kP = 25,
    kLeftBracket = 26,
    kRightBracket = 27,
    kReturn = 28,
    kLeftControl = 29,
    kA = 30,
    kS = 31,
    kD = 32,
    kF = 33,
    kG = 34,
    kH = 35,
    kJ = 36,
    kK = 37,
    kL = 38,
    kSemicolon = 39,
    kApostrophe = 40,
    kGrave = 41,
    kLeftShift = 42,
    kBackslash = 43,
    kZ = 44,
    kX = 45,
    kC = 46,
    kV = 47,
    kB = 48,
    kN = 49,
    kM = 50,
    kComma = 51,
    kPeriod = 52,
    kSlash = 53,
    kRightShift = 54,
    kNumpadMultiply = 55,
    kLeftAlt = 56,
    kSpace = 57,
    kCapsLock = 58,
    kF1 = 59,
    kF2 = 60,
    kF3 = 61,
    kF4 = 62,
    kF5 = 63,
    kF6 = 64,
    kF7 = 65,
    kF8 = 66,
    kF9 = 67,
    kF10 = 68,
    kNumLock = 69,
    kScrollLock = 70,
    kNumpad7 = 71,
    kNumpad8 = 72,
    kNumpad9 = 73,
    kNumpadMinus = 74,
    kNumpad4 = 75,
    kNumpad5 = 76,
    kNumpad6 = 77,
    kNumpadPlus = 78,
    kNumpad1 = 79,
    kNumpad2 = 80,
    kNumpad3 = 81,
    kNumpad0 = 82,
    kNumpadPeriod = 83,
    kIntlBackslash = 86,  // the extra key left of Z on ISO keyboards
    kF11 = 87,
    kF12 = 88,
    kNumpadEnter = 156,
    kRightControl = 157,
    kNumpadDivide = 181,
    kPrintScreen = 183,
    kRightAlt = 184,
    kPause = 197,
    kHome = 199,
    kUp = 200,
    kPageUp = 201,
    kLeft = 203,
    kRight = 205,
    kEnd = 207,
    kDown = 208,
    kPageDown = 209,
    kInsert = 210,
    kDelete = 211,
    kLeftWindows = 219,
    kRightWindows = 220,
    kApplication = 221,
    kCount = 256,  // codes 0..255
};
}  // namespace tmKey
