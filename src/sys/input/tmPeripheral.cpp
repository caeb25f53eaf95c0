// tmPeripheral.cpp -- actions, directions with repeat, steering and pedals, mouse clicks.
#include "sys/input/tmPeripheral.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/window/Window.h"

namespace {

tmPeripheral* g_instance = nullptr;

struct DefaultBinding {
    int32_t key, pad;
};
// By action; the same for both players. The directions have no pad button:
// the stick and the hat move them.
const DefaultBinding kDefaults[tmAction::kCount] = {
    {tmKey::kUp, -1},    {tmKey::kDown, -1},     {tmKey::kLeft, -1}, {tmKey::kRight, -1},  // directions
    {tmKey::kReturn, 0}, {tmKey::kBackspace, 1},                                           // decide, cancel
    {tmKey::kEscape, 8}, {tmKey::kZ, 2},         {tmKey::kA, 3},                           // pause, accelerator, brake
    {tmKey::kS, 0},      {tmKey::kX, 1},                                                   // boost, transform
    {tmKey::kUp, 7},     {tmKey::kDown, 6},      {tmKey::kSpace, 9},  // gear up, gear down, view change
    {tmKey::kQ, 4},      {tmKey::kF8, 5},                             // spares
};

// The HRESULT-style failure of Init and Update (E_FAIL).
constexpr int kFailed = static_cast<int>(0x80004005u);
// Steps between two repeats of a held direction (held counts 1, 13, 25, ...).
constexpr int kRepeatPeriod = 12;
// A second press within this many steps and less than this many pixels away is a double click.
constexpr int kDoubleClickSteps = 30, kDoubleClickPixels = 8;

// Axis values past which the stick or hat moves a menu direction.
constexpr int kDirectionThreshold = 950;
// Stick positions at which IsStickPushed* reports a push (half-way).
constexpr int kPushRight = 501, kPushLeft = -500;

// Per pedal type: the pedal axis's dead zone and full travel (axis units),
// and the steering's dead zone and full lock.
struct PedalSpec {
    float dead, full, steerDead, steerFull;
};
const PedalSpec kPedals[tmPedalType::kCount] = {
    {0, 0, 220, 950},      // kJoypad: buttons
    {10, 950, 220, 950},   // kXbox360: Z
    {220, 950, 220, 950},  // kAnalog: Z rotation
    {0, 1000, 100, 700},   // kDfgt: slider 0
};

bool ValidAction(int a) { return a >= 0 && a < tmAction::kCount; }
bool Down(const uint8_t* keys, int dik) { return dik >= 0 && dik < tmKey::kCount && (keys[dik] & 0x80) != 0; }

}  // namespace

void tmPeripheral::Create() {
    if (!g_instance) g_instance = new tmPeripheral();
}

tmPeripheral* tmPeripheral::GetInstance() { return g_instance; }

void tmPeripheral::Destroy() {
    delete g_instance;
    g_instance = nullptr;
}

tmPeripheral::tmPeripheral() { SetDefaultAssign(); }

int tmPeripheral::Init(platform::InputDevices* devices, bool windowed) {
    std::memset(keys_, 0, sizeof keys_);
    std::memset(keysPrev_, 0, sizeof keysPrev_);
    for (int i = 0; i < platform::InputDevices::kMaxJoysticks; ++i) {
        joy_[i] = platform::JoyState();
        joyPrev_[i] = platform::JoyState();
        joyPresent_[i] = false;
    }
    repeatPeriod_ = kRepeatPeriod;
    std::memset(dirCount_, 0, sizeof dirCount_);
    std::memset(dirCounted_, 0, sizeof dirCounted_);
    std::memset(dirFirstFrame_, 0, sizeof dirFirstFrame_);
    cursorX = cursorY = mouseMoveX = mouseMoveY = mouseWheel = 0;
    for (int b = 0; b < 3; ++b) {
        mouseButton[b] = mouseButtonPrev[b] = mouseDoubleClick[b] = 0;
        clickSteps_[b] = 0;
        lastPressX_[b] = lastPressY_[b] = -100;
    }
    for (int p = 0; p < kPlayers; ++p) prevAccel_[p] = prevBrake_[p] = 0.0f;
    windowed_ = windowed;
    cursorShown_ = false;
    SetDefaultAssign();
    devices_ = devices;
    controllerCount_ = 0;
    if (!devices_) {
        platform::ShowMessageBox("Interface System", "DirectInput の初期化に失敗しました。");
        return kFailed;
    }
    controllerCount_ = devices_->JoystickCount();
    if (controllerCount_ > platform::InputDevices::kMaxJoysticks)
        controllerCount_ = platform::InputDevices::kMaxJoysticks;
    if (controllerCount_ < 0) controllerCount_ = 0;
    for (int i = 0; i < controllerCount_; ++i) joyPresent_[i] = true;
    return 0;
}

void tmPeripheral::Release() {
    devices_ = nullptr;
    controllerCount_ = 0;
}

void tmPeripheral::SetDefaultAssign() {
    for (int p = 0; p < kPlayers; ++p) {
        controllerIndex_[p] = 0;
        pedalType_[p] = tmPedalType::kJoypad;
        for (int a = 0; a < kActions; ++a) {
            keyBind_[p][a] = kDefaults[a].key;
            padBind_[p][a] = kDefaults[a].pad;
        }
    }
}

void tmPeripheral::SetJoyButtonAssign(int action, int button, int player) {
    if (!ValidAction(action) || player < 0 || player >= kPlayers) return;
    padBind_[player][action] = button;
    // The pedal buttons also confirm and cancel in menus.
    if (action == tmAction::kAccelerator) padBind_[player][tmAction::kDecide] = button;
    if (action == tmAction::kBrake) padBind_[player][tmAction::kCancel] = button;
}

int tmPeripheral::GetJoyButtonAssign(int action, int player) const {
    if (!ValidAction(action) || player < 0 || player >= kPlayers) return -1;
    return padBind_[player][action];
}

void tmPeripheral::SetPedalType(int type, int player) {
    if (player >= 0 && player < kPlayers) pedalType_[player] = type;
}

// ---------------------------------------------------------------- per step

int tmPeripheral::Update() {
    if (!devices_) return kFailed;

    // Keyboard: only while the window has the focus. A lost keyboard reads
    // as no keys and is asked again next step.
    if (devices_->HasFocus()) {
        const bool ok = devices_->ReadKeyboard(keys_);
        if (!ok) std::memset(keys_, 0, sizeof keys_);
        if (!ok && !keyboardLost_) std::fprintf(stderr, "input: keyboard lost\n");
        keyboardLost_ = !ok;
    } else {
        std::memset(keys_, 0, sizeof keys_);
    }

    platform::MouseState m;
    if (!devices_->ReadMouse(m)) {
        for (int b = 0; b < 3; ++b) mouseButton[b] = 0;
    } else {
        mouseMoveX = m.dx;
        mouseMoveY = m.dy;
        mouseWheel = m.wheel;
        for (int b = 0; b < 3; ++b) {
            mouseButtonPrev[b] = mouseButton[b];
            mouseButton[b] = (m.buttons[b] & 0x80) ? 1 : 0;
        }
        for (int b = 0; b < 3; ++b) {
            mouseDoubleClick[b] = CheckDoubleClick(mouseButton[b] && !mouseButtonPrev[b], b) ? 1 : 0;
        }
        devices_->CursorPosition(cursorX, cursorY);
        UpdateCursorVisibility();
    }

    for (int i = 0; i < controllerCount_; ++i) {
        if (!joyPresent_[i]) {
            if (!devices_->ReopenJoystick(i)) continue;
            joyPresent_[i] = true;
        }
        if (!devices_->ReadJoystick(i, joy_[i])) {
            std::fprintf(stderr, "input: controller %d lost\n", i);
            joyPresent_[i] = false;
            joy_[i] = platform::JoyState();
        }
    }
    return 0;
}

bool tmPeripheral::CheckDoubleClick(bool pressed, int b) {
    bool result = false;
    if (pressed) {
        result = clickSteps_[b] != 0 && clickSteps_[b] < kDoubleClickSteps &&
                 std::abs(cursorX - lastPressX_[b]) < kDoubleClickPixels &&
                 std::abs(cursorY - lastPressY_[b]) < kDoubleClickPixels;
        clickSteps_[b] = 0;
        lastPressX_[b] = cursorX;
        lastPressY_[b] = cursorY;
    }
    if (clickSteps_[b] < 0x7FFFFFFF) ++clickSteps_[b];
    return result;
}

// The pointer shows while the window is in the background, and in a window
// also above the client area; over the game it is hidden.
void tmPeripheral::UpdateCursorVisibility() {
    bool show;
    if (!devices_->HasFocus()) {
        show = true;
    } else {
        show = windowed_ && cursorY < 0;
    }
    if (show != cursorShown_) {
        devices_->SetCursorVisible(show);
        cursorShown_ = show;
    }
}

void tmPeripheral::UpdatePov(bool frameStart) {
    const int T = kDirectionThreshold;
    if (frameStart) std::memset(dirFirstFrame_, 0, sizeof dirFirstFrame_);
    for (int p = 0; p < kPlayers; ++p) {
        bool flag[4] = {false, false, false, false};
        const int c = controllerIndex_[p];
        const bool hasController = c >= 0 && c < controllerCount_;
        if (hasController) {
            const platform::JoyState& s = joy_[c];
            const bool active = static_cast<int32_t>(s.pov[0]) >= 0;
            const int angle = active ? static_cast<int>(s.pov[0] / 100) : 0;
            flag[kDirUp] = s.y < -T || (active && (angle > 310 || angle < 50));
            flag[kDirDown] = s.y > T || (active && angle > 130 && angle < 230);
            flag[kDirLeft] = s.x < -T || (active && angle > 220 && angle < 320);
            flag[kDirRight] = s.x > T || (active && angle > 40 && angle < 140);
        }
        for (int d = 0; d < 4; ++d) {
            bool held;
            if (textEntryLock) {
                held = hasController && flag[d];
            } else {
                held = flag[d] || Down(keys_, keyBind_[p][d]);
            }
            CountHeld(p, d, held);
        }
    }
}

// The frame that first sees a direction counts one held step, however many steps it runs on that one
// reading: a short press that slow frames stretch over sixteen steps then counts nine and moves a menu
// once, and a held key first repeats after about the same time at eight steps a frame as at one.
void tmPeripheral::CountHeld(int p, int d, bool held) {
    int& n = dirCount_[p][d];
    bool& counted = dirCounted_[p][d];
    if (!held) {
        n = 0;
        counted = dirFirstFrame_[p][d] = false;
    } else if (n == 0) {
        n = 1;
        counted = dirFirstFrame_[p][d] = true;
    } else {
        counted = !dirFirstFrame_[p][d] && n < 0x7FFFFFFF;
        if (counted) ++n;
    }
}

void tmPeripheral::StorePrevious() {
    std::memcpy(keysPrev_, keys_, sizeof keys_);
    for (int i = 0; i < controllerCount_; ++i) joyPrev_[i] = joy_[i];
    for (int p = 0; p < kPlayers; ++p) {
        prevAccel_[p] = GetAccelerator(p);
        prevBrake_[p] = GetBrake(p);
    }
}

// ---------------------------------------------------------------- actions

const platform::JoyState* tmPeripheral::Joy(int c) const {
    return (c >= 0 && c < controllerCount_) ? &joy_[c] : nullptr;
}

const platform::JoyState* tmPeripheral::JoyPrev(int c) const {
    return (c >= 0 && c < controllerCount_) ? &joyPrev_[c] : nullptr;
}

bool tmPeripheral::PadByte(const platform::JoyState* s, int button) const {
    return s && button >= 0 && button < 128 && s->buttons[button] != 0;
}

bool tmPeripheral::PlayerHeld(int action, int p) const {
    if (action < tmAction::kDirectionCount) return dirCount_[p][action] >= 1;
    return Down(keys_, keyBind_[p][action]) || PadByte(Joy(controllerIndex_[p]), padBind_[p][action]);
}

bool tmPeripheral::PlayerTriggered(int action, int p) const {
    if (action < tmAction::kDirectionCount) return dirCounted_[p][action] && dirCount_[p][action] == 1;
    return (!textEntryLock && IsKeyTriggered(keyBind_[p][action])) ||
           IsJoyButtonTriggered(padBind_[p][action], controllerIndex_[p]);
}

bool tmPeripheral::IsPress(int action, int player) const {
    if (!ValidAction(action) || player < -1 || player >= kPlayers) return false;
    if (player == -1) return PlayerHeld(action, 0) || PlayerHeld(action, 1);
    return PlayerHeld(action, player);
}

bool tmPeripheral::IsTrigger(int action, int player) const {
    if (!ValidAction(action) || player < -1 || player >= kPlayers) return false;
    if (player == -1) return PlayerTriggered(action, 0) || PlayerTriggered(action, 1);
    return PlayerTriggered(action, player);
}

bool tmPeripheral::IsRepeat(int action, int player) const {
    if (!ValidAction(action) || player < -1 || player >= kPlayers) return false;
    if (action >= tmAction::kDirectionCount) return IsTrigger(action, player);
    auto rep = [&](int p) {
        const int n = dirCount_[p][action];
        return dirCounted_[p][action] && n >= 1 && (n - 1) % repeatPeriod_ == 0;
    };
    return player == -1 ? (rep(0) || rep(1)) : rep(player);
}

// The menus read player one only; a pedal pressed past this counts as a button.
namespace {
constexpr float kPedalPress = 0.9f;
constexpr int kMenuPlayer = tmPlayer::kOne;
}  // namespace

bool tmPeripheral::IsDecideDown() const {
    return IsPress(tmAction::kDecide, kMenuPlayer) || IsPress(tmAction::kAccelerator, kMenuPlayer) ||
           GetAccelerator(kMenuPlayer) > kPedalPress;
}

bool tmPeripheral::IsDecideTriggered() const {
    return IsTrigger(tmAction::kDecide, kMenuPlayer) || IsTrigger(tmAction::kAccelerator, kMenuPlayer) ||
           (GetAccelerator(kMenuPlayer) > kPedalPress && prevAccel_[kMenuPlayer] < kPedalPress);
}

bool tmPeripheral::IsCancelTriggered() const {
    return IsTrigger(tmAction::kCancel, kMenuPlayer) || IsTrigger(tmAction::kBrake, kMenuPlayer) ||
           (GetBrake(kMenuPlayer) > kPedalPress && prevBrake_[kMenuPlayer] < kPedalPress);
}

// ---------------------------------------------------------------- analog

float tmPeripheral::GetSteering(int player) const {
    if (player < 0 || player >= kPlayers) return 0.0f;
    const platform::JoyState* s = Joy(player);
    const int type = pedalType_[player];
    const PedalSpec& spec = kPedals[type == tmPedalType::kDfgt ? tmPedalType::kDfgt : tmPedalType::kJoypad];
    const float dead = spec.steerDead;
    const float full = spec.steerFull;
    float v = s ? -static_cast<float>(s->x) : 0.0f;
    if (v > 0) v = v - dead > 0 ? v - dead : 0.0f;
    if (v < 0) v = v + dead < 0 ? v + dead : 0.0f;
    const float range = full - dead;
    if (v > range) v = range;
    v /= range;
    if (v > 1.0f) v = 1.0f;
    if (v < -1.0f) v = -1.0f;
    if (IsPress(tmAction::kLeft, player)) v = 1.0f;
    if (IsPress(tmAction::kRight, player)) v = -1.0f;
    return v;
}

float tmPeripheral::Pedal(int player, bool brake) const {
    if (player < 0 || player >= kPlayers) return 0.0f;
    const int type = pedalType_[player];
    if (type == tmPedalType::kJoypad)
        return IsPress(brake ? tmAction::kBrake : tmAction::kAccelerator, player) ? 1.0f : 0.0f;
    if (type < 0 || type >= tmPedalType::kCount) return 0.0f;
    const platform::JoyState* s = Joy(player);
    if (!s) return 0.0f;
    const int32_t raw = type == tmPedalType::kXbox360 ? s->z : type == tmPedalType::kAnalog ? s->rz : s->slider[0];
    const float axis = static_cast<float>(raw);
    const PedalSpec& spec = kPedals[type];
    float v = 0.0f;
    if (!brake && axis < -spec.dead) v = -axis;
    if (brake && axis > spec.dead) v = axis;
    if (v > 0) v -= spec.dead;
    if (v < 0) v = 0.0f;
    const float travel = spec.full - spec.dead;
    v = (v < travel ? v : travel) / travel;
    return v > 1.0f ? 1.0f : v;
}

float tmPeripheral::GetAccelerator(int player) const { return Pedal(player, false); }
float tmPeripheral::GetBrake(int player) const { return Pedal(player, true); }

// ---------------------------------------------------------------- raw keys and pads

bool tmPeripheral::IsKeyDown(int dik) const { return Down(keys_, dik); }

bool tmPeripheral::IsKeyTriggered(int dik) const { return Down(keys_, dik) && !Down(keysPrev_, dik); }

bool tmPeripheral::IsEscapeTriggered() const { return !textEntryLock && IsKeyTriggered(tmKey::kEscape); }

// Keys that type something in a text field (both ends of each range included).
bool tmPeripheral::IsTextKeyTriggered() const {
    static const int kRanges[][2] = {
        {tmKey::kReturn, tmKey::kReturn},   {tmKey::kNumpadEnter, tmKey::kNumpadEnter},
        {tmKey::kSpace, tmKey::kSpace},     {tmKey::k1, tmKey::kEquals},
        {tmKey::kQ, tmKey::kRightBracket},  {tmKey::kA, tmKey::kGrave},
        {tmKey::kBackslash, tmKey::kSlash}, {tmKey::kNumpad7, tmKey::kNumpadPeriod},
        {tmKey::kComma, tmKey::kCapsLock},
    };
    for (const auto& r : kRanges) {
        for (int k = r[0]; k <= r[1]; ++k) {
            if (IsKeyTriggered(k)) return true;
        }
    }
    return false;
}

bool tmPeripheral::IsJoyButtonTriggered(int button, int controller) const {
    if (button < 0 || button >= kPadButtons) return false;
    const platform::JoyState* now = Joy(controller);
    const platform::JoyState* prev = JoyPrev(controller);
    return now && (now->buttons[button] & 0x80) && !(prev->buttons[button] & 0x80);
}

bool tmPeripheral::IsStickPushedRight(int c) const {
    const platform::JoyState* n = Joy(c);
    return n && n->x >= kPushRight && JoyPrev(c)->x < kPushRight;
}

bool tmPeripheral::IsStickPushedLeft(int c) const {
    const platform::JoyState* n = Joy(c);
    return n && n->x < kPushLeft && JoyPrev(c)->x >= kPushLeft;
}

bool tmPeripheral::IsStickPushedUp(int c) const {
    const platform::JoyState* n = Joy(c);
    return n && n->y < kPushLeft && JoyPrev(c)->y >= kPushLeft;
}

bool tmPeripheral::IsStickPushedDown(int c) const {
    const platform::JoyState* n = Joy(c);
    return n && n->y >= kPushRight && JoyPrev(c)->y < kPushRight;
}

int tmPeripheral::GetTriggeredJoyButton(int c) const {
    if (IsStickPushedRight(c) || IsStickPushedLeft(c) || IsStickPushedUp(c) || IsStickPushedDown(c)) return -1;
    for (int b = 0; b < kPadButtons; ++b) {
        if (IsJoyButtonTriggered(b, c)) return b;
    }
    return -1;
}
