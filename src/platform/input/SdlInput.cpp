// SdlInput.cpp -- SDL2 keyboard, mouse and joysticks mapped to DIK codes and joystick records.
#include <SDL.h>

#include <cstring>

#include "platform/input/InputDevices.h"
#include "platform/input/PadMapping.h"
#include "platform/window/Window.h"

namespace platform {
namespace {

struct KeyMap {
    SDL_Scancode sdl;
    uint8_t dik;
};

const KeyMap kKeys[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
};

constexpr bool SameButton(PadReading::Button ours, SDL_GameControllerButton sdl) {
    return static_cast<int>(ours) == static_cast<int>(sdl);
}
static_assert(SameButton(PadReading::kA, SDL_CONTROLLER_BUTTON_A) &&
                  SameButton(PadReading::kBack, SDL_CONTROLLER_BUTTON_BACK) &&
                  SameButton(PadReading::kGuide, SDL_CONTROLLER_BUTTON_GUIDE) &&
                  SameButton(PadReading::kLeftShoulder, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) &&
                  SameButton(PadReading::kDpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
                  static_cast<int>(PadReading::kButtonCount) == static_cast<int>(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) + 1,
              "pad buttons follow SDL's game-controller order");
static_assert(RawJoystickReading::kHatUp == SDL_HAT_UP && RawJoystickReading::kHatRight == SDL_HAT_RIGHT &&
                  RawJoystickReading::kHatDown == SDL_HAT_DOWN && RawJoystickReading::kHatLeft == SDL_HAT_LEFT,
              "hat bits are SDL's");

PadReading ReadPad(SDL_GameController* c) {
    PadReading r;
    r.leftX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    r.leftY = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    r.rightX = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    r.rightY = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY);
    r.leftTrigger = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    r.rightTrigger = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (int b = 0; b < PadReading::kButtonCount; ++b)
        r.buttons[b] = SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)) != 0;
    return r;
}

RawJoystickReading ReadRaw(SDL_Joystick* j) {
    RawJoystickReading r;
    r.axisCount = SDL_JoystickNumAxes(j);
    for (int a = 0; a < r.axisCount && a < RawJoystickReading::kMaxAxes; ++a) r.axes[a] = SDL_JoystickGetAxis(j, a);
    r.hatCount = SDL_JoystickNumHats(j);
    for (int h = 0; h < r.hatCount && h < RawJoystickReading::kMaxHats; ++h) r.hats[h] = SDL_JoystickGetHat(j, h);
    r.buttonCount = SDL_JoystickNumButtons(j);
    for (int b = 0; b < r.buttonCount && b < RawJoystickReading::kMaxButtons; ++b)
        r.buttons[b] = SDL_JoystickGetButton(j, b) != 0;
    return r;
}

// One opened device: a pad SDL has a game-controller mapping for (read by
// its named parts), or a joystick of unknown layout (read by raw axes).
struct OpenDevice {
    SDL_GameController* pad = nullptr;
    SDL_Joystick* joystick = nullptr;  // the pad's own when pad is set
    SDL_JoystickID id = -1;

    bool Attached() const { return joystick && SDL_JoystickGetAttached(joystick); }
    void Close() {
        if (pad) {
            SDL_GameControllerClose(pad);
        } else if (joystick) {
            SDL_JoystickClose(joystick);
        }
        *this = OpenDevice();
    }
};

// Opens device index d, through the game-controller mapping when SDL has one.
OpenDevice OpenDeviceAt(int d, bool mappings) {
    OpenDevice o;
    if (mappings && SDL_IsGameController(d)) {
        o.pad = SDL_GameControllerOpen(d);
        if (o.pad) o.joystick = SDL_GameControllerGetJoystick(o.pad);
    }
    if (!o.joystick) {
        o.pad = nullptr;
        o.joystick = SDL_JoystickOpen(d);
    }
    if (o.joystick) o.id = SDL_JoystickInstanceID(o.joystick);
    return o;
}

class SdlInput : public InputDevices {
public:
    explicit SdlInput(Window& window) : window_(static_cast<SDL_Window*>(window.NativeHandle())) {}

    ~SdlInput() override {
        SDL_DelEventWatch(&SdlInput::Watch, this);
        for (OpenDevice& d : devices_) d.Close();
        if (subsystem_) SDL_QuitSubSystem(subsystem_);
    }

    bool Open() {
        SDL_AddEventWatch(&SdlInput::Watch, this);
        // The game-controller subsystem brings the joysticks with it; without
        // it every device is read by its raw axes.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
            subsystem_ = SDL_INIT_GAMECONTROLLER;
            mappings_ = true;
        } else if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {
            subsystem_ = SDL_INIT_JOYSTICK;
        } else {
            return true;  // keyboard and mouse still work
        }
        const int n = SDL_NumJoysticks();
        for (int i = 0; i < n && count_ < kMaxJoysticks; ++i) {
            OpenDevice d = OpenDeviceAt(i, mappings_);
            if (d.joystick) devices_[count_++] = d;
        }
        return true;
    }

    bool ReadKeyboard(uint8_t keys[256]) override {
        std::memset(keys, 0, 256);
        int n = 0;
        const Uint8* state = SDL_GetKeyboardState(&n);
        if (!state) return false;
        for (const KeyMap& k : kKeys) {
            if (k.sdl < n && state[k.sdl]) keys[k.dik] = 0x80;
        }
        keyPresses_.Read(keys);
        return true;
    }

    bool ReadMouse(MouseState& s) override {
        int dx = 0, dy = 0;
        const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
        s.dx = dx;
        s.dy = dy;
        s.wheel = wheel_;
        wheel_ = 0;
        std::memset(s.buttons, 0, sizeof s.buttons);
        s.buttons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
        s.buttons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
        s.buttons[2] = (buttons & SDL_BUTTON_MMASK) ? 0x80 : 0;
        buttonPresses_.Read(s.buttons);
        return true;
    }

    void CursorPosition(int32_t& x, int32_t& y) override {
        int gx = 0, gy = 0, wx = 0, wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
        x = gx - wx;
        y = gy - wy;
        // In the pixels of the picture, which a full screen larger than it shows scaled between bars.
        WindowToPicture(x, y);
    }

    int JoystickCount() override { return count_; }

    bool ReadJoystick(int i, JoyState& s) override {
        if (i < 0 || i >= count_ || !devices_[i].Attached()) return false;
        const OpenDevice& d = devices_[i];
        if (d.pad) {
            SDL_GameControllerUpdate();
            s = JoyStateFromPad(ReadPad(d.pad));
        } else {
            SDL_JoystickUpdate();
            s = JoyStateFromRaw(ReadRaw(d.joystick));
        }
        return true;
    }

    bool ReopenJoystick(int i) override {
        if (i < 0 || i >= count_) return false;
        if (devices_[i].Attached()) return true;
        devices_[i].Close();
        // Take the first attached device that no other slot holds.
        const int n = SDL_NumJoysticks();
        for (int d = 0; d < n; ++d) {
            const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(d);
            bool taken = false;
            for (int k = 0; k < count_; ++k) taken = taken || (k != i && devices_[k].joystick && devices_[k].id == id);
            if (taken) continue;
            OpenDevice o = OpenDeviceAt(d, mappings_);
            if (o.joystick) {
                devices_[i] = o;
                return true;
            }
        }
        return false;
    }

    bool HasFocus() override { return window_ && SDL_GetKeyboardFocus() == window_; }
    void SetCursorVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

private:
    // The window's event pump drains SDL's queue, so events are caught as they enter it: the wheel's
    // notches add up (120 each), and presses are latched for the next reading of the keys or buttons.
    static int SDLCALL Watch(void* self, SDL_Event* e) {
        static_cast<SdlInput*>(self)->Catch(*e);
        return 1;
    }

    void Catch(const SDL_Event& e) {
        switch (e.type) {
            case SDL_MOUSEWHEEL:
                wheel_ += e.wheel.y * 120 * (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1);
                break;
            case SDL_KEYDOWN:
                if (const uint8_t dik = SdlScancodeToDik(e.key.keysym.scancode); dik && !e.key.repeat)
                    keyPresses_.Press(dik);
                break;
            case SDL_MOUSEBUTTONDOWN:
                buttonPresses_.Press(e.button.button == SDL_BUTTON_LEFT     ? 0
                                     : e.button.button == SDL_BUTTON_RIGHT  ? 1
                                     : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                                            : -1);
                break;
            default: break;
        }
    }

    SDL_Window* window_;
    OpenDevice devices_[kMaxJoysticks];
    int count_ = 0;
    Uint32 subsystem_ = 0;
    bool mappings_ = false;
    int32_t wheel_ = 0;
    PressLatch<256> keyPresses_;
    PressLatch<8> buttonPresses_;
};

}  // namespace

uint8_t SdlScancodeToDik(int scancode) {
    for (const KeyMap& k : kKeys) {
        if (k.sdl == scancode) return k.dik;
    }
    return 0;
}

std::unique_ptr<InputDevices> CreateSdlInput(Window& window) {
    auto in = std::make_unique<SdlInput>(window);
    if (!in->Open()) return nullptr;
    return in;
}

}  // namespace platform
