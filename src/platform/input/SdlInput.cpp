// SdlInput.cpp -- SDL2 keyboard, mouse and joysticks mapped to DIK codes and joystick records.
#include <SDL.h>

#include <cstring>

#include "platform/input/InputDevices.h"
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

int32_t ScaleAxis(Sint16 v) {
    // -32768..32767 onto -1000..1000, symmetric around 0.
    const int32_t a = v < -32767 ? -32767 : v;
    return a * 1000 / 32767;
}

uint32_t HatAngle(Uint8 hat) {
    switch (hat) {
        case SDL_HAT_UP: return 0;
        case SDL_HAT_RIGHTUP: return 4500;
        case SDL_HAT_RIGHT: return 9000;
        case SDL_HAT_RIGHTDOWN: return 13500;
        case SDL_HAT_DOWN: return 18000;
        case SDL_HAT_LEFTDOWN: return 22500;
        case SDL_HAT_LEFT: return 27000;
        case SDL_HAT_LEFTUP: return 31500;
        default: return JoyState::kHatCentred;
    }
}

// Adds the wheel notches of every event to a running count (120 per notch).
int SDLCALL WatchWheel(void* userdata, SDL_Event* e) {
    if (e->type == SDL_MOUSEWHEEL) {
        int sign = e->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        *static_cast<int32_t*>(userdata) += e->wheel.y * 120 * sign;
    }
    return 1;
}

class SdlInput : public InputDevices {
public:
    explicit SdlInput(Window& window) : window_(static_cast<SDL_Window*>(window.NativeHandle())) {}

    ~SdlInput() override {
        SDL_DelEventWatch(&WatchWheel, &wheel_);
        for (SDL_Joystick*& j : joys_) {
            if (j) SDL_JoystickClose(j);
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    bool Open() {
        SDL_AddEventWatch(&WatchWheel, &wheel_);
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return true;  // keyboard and mouse still work
        const int n = SDL_NumJoysticks();
        for (int i = 0; i < n && count_ < kMaxJoysticks; ++i) {
            if (SDL_Joystick* j = SDL_JoystickOpen(i)) {
                ids_[count_] = SDL_JoystickInstanceID(j);
                joys_[count_++] = j;
            }
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
        return true;
    }

    void CursorPosition(int32_t& x, int32_t& y) override {
        int gx = 0, gy = 0, wx = 0, wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
        x = gx - wx;
        y = gy - wy;
    }

    int JoystickCount() override { return count_; }

    bool ReadJoystick(int i, JoyState& s) override {
        if (i < 0 || i >= count_ || !joys_[i] || !SDL_JoystickGetAttached(joys_[i])) return false;
        SDL_Joystick* j = joys_[i];
        SDL_JoystickUpdate();
        s = JoyState();
        int32_t* axes[8] = {&s.x, &s.y, &s.z, &s.rx, &s.ry, &s.rz, &s.slider[0], &s.slider[1]};
        const int na = SDL_JoystickNumAxes(j);
        for (int a = 0; a < na && a < 8; ++a) *axes[a] = ScaleAxis(SDL_JoystickGetAxis(j, a));
        const int nh = SDL_JoystickNumHats(j);
        for (int h = 0; h < nh && h < 4; ++h) s.pov[h] = HatAngle(SDL_JoystickGetHat(j, h));
        const int nb = SDL_JoystickNumButtons(j);
        for (int b = 0; b < nb && b < 128; ++b) s.buttons[b] = SDL_JoystickGetButton(j, b) ? 0x80 : 0;
        return true;
    }

    bool ReopenJoystick(int i) override {
        if (i < 0 || i >= count_) return false;
        if (joys_[i] && SDL_JoystickGetAttached(joys_[i])) return true;
        if (joys_[i]) SDL_JoystickClose(joys_[i]);
        joys_[i] = nullptr;
        // Take the first attached device that no other slot holds.
        const int n = SDL_NumJoysticks();
        for (int d = 0; d < n; ++d) {
            const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(d);
            bool taken = false;
            for (int k = 0; k < count_; ++k) taken = taken || (k != i && joys_[k] && ids_[k] == id);
            if (taken) continue;
            if (SDL_Joystick* j = SDL_JoystickOpen(d)) {
                joys_[i] = j;
                ids_[i] = SDL_JoystickInstanceID(j);
                return true;
            }
        }
        return false;
    }

    bool HasFocus() override { return window_ && SDL_GetKeyboardFocus() == window_; }
    void SetCursorVisible(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

private:
    SDL_Window* window_;
    SDL_Joystick* joys_[kMaxJoysticks] = {nullptr, nullptr};
    SDL_JoystickID ids_[kMaxJoysticks] = {-1, -1};
    int count_ = 0;
    int32_t wheel_ = 0;
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
