// tmSeqTestSound.cpp -- the sound test: one-shots, music streams, a machine's loops and their status lines.
#include "test/tmSeqTestSound.h"

#include <cmath>

#include "app/tmConfig.h"
#include "machine/tmMachineSound.h"
#include "race/tmRaceState.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/sound/tmSound.h"
#include "sys/text/tmConsole.h"
#include "table/MachineParts.h"
#include "table/MachineTable.h"

namespace {

constexpr int kFontHeight = 14;
constexpr int kFramesPerSecond = 60;
const int kKeypadKeys[4] = {tmKey::kNumpad0, tmKey::kNumpad1, tmKey::kNumpad2, tmKey::kNumpad3};
const int kLoopKeys[tmSeqTestSound::kLoops] = {tmKey::kD, tmKey::kF, tmKey::kG, tmKey::kH};
const char* const kLoopNames[tmSeqTestSound::kLoops] = {"En", "Br", "Sl", "Ch"};

bool Pressed(int key) {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && in->IsKeyTriggered(key);
}

// The fixed loop record of the brake, slide and chassis tests.
const LoopSoundRecord* LoopRecord(int loop) {
    switch (loop) {
        case tmSeqTestSound::kBrake: return &LoopSoundParams[0];
        case tmSeqTestSound::kSlide: return &tmMachineSound::kSkidLoop;
        case tmSeqTestSound::kChassis: return &tmMachineSound::kAmbientLoops[tmMachineSound::kSurface4];
        default: return nullptr;
    }
}

int Voice(int slot) { return slot > 0 ? slot : 0; }

}  // namespace

const uint32_t tmSeqTestSound::kKeypadSounds[4] = {0x1000e, 0x10035, 0x1000d, 0x10007};
const int tmSeqTestSound::kDigitStreams[10] = {8, 12, 1, 3, 4, 5, 9, 10, 11, 2};

tmSeqTestSound::~tmSeqTestSound() {
    if (started_) Term();
}

void tmSeqTestSound::Init() {
    KeepDebugFont(kFontHeight, false);
    running_ = kLoops;
    for (int& v : engine_) v = 0;
    for (int i = 0; i < kLoops; ++i) voice_[i] = 0, value_[i] = 0.0f;
    streamFrame_ = -1;
    frameCount_ = 0;
    started_ = true;
}

const MachineSpec* tmSeqTestSound::Machine() const {
    const uint32_t id = tmRaceState::Get().entrants[0].machineId;
    const MachineSpec* spec = GetMachineSpec(static_cast<int>(id));
    return spec ? spec : GetMachineSpec(kFirstMachineId);
}

void tmSeqTestSound::StartLoop(int loop) {
    tmSound* sound = tmSound::GetInstance();
    if (!sound) return;
    running_ = loop;
    if (loop == kEngine) {
        const MachineSpec* spec = Machine();
        const MachineSoundTable* table = spec ? spec->soundTable : nullptr;
        for (int i = 0; table && i < kEngineVoices; ++i)
            if (table->engineLoops[i].soundId > 0) engine_[i] = Voice(sound->PlayLoop(&table->engineLoops[i], 0.0f));
        return;
    }
    if (const LoopSoundRecord* record = LoopRecord(loop)) voice_[loop] = Voice(sound->PlayLoop(record, 0.0f));
}

void tmSeqTestSound::StopLoops() {
    tmSound* sound = tmSound::GetInstance();
    for (int& v : engine_) {
        if (sound && v > 0) sound->Stop(v);
        v = 0;
    }
    for (int i = 0; i < kLoops; ++i) {
        if (sound && voice_[i] > 0) sound->Stop(voice_[i]);
        voice_[i] = 0;
        value_[i] = 0.0f;
    }
    running_ = kLoops;
}

// The running loop's value follows the pedals: engine by the accelerator, the
// brake by the brake, the slide by the steering, the chassis by the accelerator.
void tmSeqTestSound::SteerLoops() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    const float accelerator = in ? in->GetAccelerator(tmPlayer::kOne) : 0.0f;
    const float brake = in ? in->GetBrake(tmPlayer::kOne) : 0.0f;
    const float steering = in ? std::fabs(in->GetSteering(tmPlayer::kOne)) : 0.0f;
    tmSound* sound = tmSound::GetInstance();
    if (!sound || running_ == kLoops) return;
    const float inputs[kLoops] = {accelerator, brake, steering, accelerator};
    value_[running_] = inputs[running_] < 0.0f ? 0.0f : inputs[running_] > 1.0f ? 1.0f : inputs[running_];
    if (running_ == kEngine) {
        for (int v : engine_)
            if (v > 0) sound->SetVoiceParameter(v, value_[kEngine]);
    } else if (voice_[running_] > 0) {
        sound->SetVoiceParameter(voice_[running_], value_[running_]);
    }
}

int tmSeqTestSound::Update() {
    if (LeaveTriggered()) return kNextId;
    tmSound* sound = tmSound::GetInstance();
    for (int k = 0; k < 4; ++k)
        if (Pressed(kKeypadKeys[k]) && sound) sound->Play(kKeypadSounds[k]);
    for (int k = 0; k < 10; ++k) {
        if (!Pressed(tmKey::k1 + k) || !sound) continue;
        if (sound->IsStreamPlaying()) {
            sound->StopStream();
            streamFrame_ = -1;
        } else if (sound->PlayStream(kDigitStreams[k], false)) {
            streamFrame_ = frameCount_;
        }
    }
    for (int loop = 0; loop < kLoops; ++loop) {
        if (!Pressed(kLoopKeys[loop])) continue;
        if (running_ != kLoops)
            StopLoops();
        else
            StartLoop(loop);
    }
    SteerLoops();
    ++frameCount_;
    return 0;
}

void tmSeqTestSound::Draw() {
    PrintTitle("TestSound ( %4d )");
    tmSound* sound = tmSound::GetInstance();
    if (sound) {
        const tmSound::Console console = {&tmConsole::SetCursor,
                                          [](const char* line) { tmConsole::Printf("%s", line); }};
        sound->DrawRunCount(console);
    }
    const tmConfig& cfg = tmConfig::GetInstance();
    const bool playing = sound && sound->IsStreamPlaying() && streamFrame_ >= 0;
    const int seconds = playing ? (frameCount_ - streamFrame_) / kFramesPerSecond : 0;
    PrintLine(1, "Song[%02d:%02d] v(%2d)", seconds / 60, seconds % 60, cfg.GetBgmVolume());
    PrintLine(2, "Se v(%2d) f(%5.2f)", cfg.GetSeVolume(),
              static_cast<double>(sound ? sound->GetCategoryVolume(tmSoundCategory::kEffects) : 0.0f));
    int engineVoices = 0;
    for (int v : engine_) engineVoices += v > 0;
    const MachineSpec* spec = Machine();
    PrintLine(3, "En[%d](%s) i(%5.2f)", engineVoices, spec ? spec->displayName : "",
              static_cast<double>(value_[kEngine]));
    for (int loop = kBrake; loop < kLoops; ++loop)
        PrintLine(3 + loop, "%s[%d] i(%5.2f)", kLoopNames[loop], voice_[loop], static_cast<double>(value_[loop]));
    // Each engine loop's voice: its volume and pitch as the curves give them.
    for (int i = 0, row = 7; sound && i < kEngineVoices; ++i)
        if (engine_[i] > 0)
            PrintLine(row++, "Ics%d[%5.3f:%5.3f]", i, static_cast<double>(sound->GetVoiceVolume(engine_[i])),
                      static_cast<double>(sound->GetVoiceFrequencyRatio(engine_[i])));
}

void tmSeqTestSound::Term() {
    StopLoops();
    tmSound* sound = tmSound::GetInstance();
    if (sound && streamFrame_ >= 0 && sound->IsStreamPlaying()) sound->StopStream();
    streamFrame_ = -1;
    DropDebugFont();
    started_ = false;
}
