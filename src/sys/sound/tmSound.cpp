// tmSound.cpp -- voice pools, bank loading and checking, one-shots, shaped loops, category volumes, music.
#include "sys/sound/tmSound.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "format/BankCodec.h"
#include "sys/base/tmFile.h"
#include "sys/base/tmMemory.h"

namespace {

tmSound* g_instance = nullptr;

}  // namespace

// ---- lifetime -------------------------------------------------------------

int tmSound::Create(void* /*window*/, const tmSoundSetup& setup) {
    Destroy();
    g_instance = TM_NEW tmSound(setup);
    return 0;
}

tmSound* tmSound::GetInstance() { return g_instance; }

void tmSound::Destroy() {
    if (g_instance) {
        TM_DELETE(g_instance);
        g_instance = nullptr;
    }
}

tmSound::tmSound(const tmSoundSetup& setup)
    : m_banks(setup.banks), m_streams(setup.streams ? setup.streams : MusicStreamTable), m_folder(setup.folder) {
    m_engine = platform::AudioEngine::Create(setup.backend, setup.voiceLimit);
    if (!m_engine) return;  // no audio device: sound stays disabled

    // Every voice or none: a partial set would leave slots that cannot play.
    platform::AudioMixer& mixer = m_engine->Mixer();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int channels = slot >= kFirstLoopSlot ? 1 : 2;
        m_slots[slot].voice = mixer.CreateVoice(channels);
        m_slots[slot].kind = slot == kStreamSlot      ? tmSoundCategory::kMusic
                             : slot >= kFirstLoopSlot ? tmSoundCategory::kLoops
                                                      : tmSoundCategory::kEffects;
        if (m_slots[slot].voice < 0) {
            std::fprintf(stderr, "sound: cannot create voice %d; sound is off\n", slot);
            for (int i = 0; i < slot; ++i) mixer.DestroyVoice(m_slots[i].voice);
            for (Slot& s : m_slots) s = Slot{};
            m_engine.reset();
            return;
        }
    }
    m_enabled = true;
    for (int bank = 0; bank < kSoundBankCount; ++bank) LoadBank(bank);
    m_stream = TM_NEW tmSoundStream(&mixer, m_slots[kStreamSlot].voice, m_streams, m_folder);
}

tmSound::~tmSound() { Shutdown(); }

void tmSound::Shutdown() {
    if (!m_enabled) return;
    StopAll();
    for (int bank = 0; bank < kSoundBankCount; ++bank) UnloadBank(bank);
    TM_DELETE(m_stream);  // closes a running stream and joins its worker
    m_stream = nullptr;
    for (Slot& s : m_slots) {
        m_engine->Mixer().DestroyVoice(s.voice);
        s = Slot{};
    }
    m_engine.reset();
    m_enabled = false;
}

// ---- banks ----------------------------------------------------------------

bool tmSound::LoadBank(int bank) {
    if (!m_enabled || m_banks == nullptr) return true;
    if (bank < 0 || bank >= kSoundBankCount) return false;
    SoundBankDesc& desc = m_banks[bank];
    if (desc.fileName == nullptr || desc.directory == nullptr || desc.soundCount <= 0 || desc.fileImage) return true;

    desc.fileImage = TM_NEW std::string();
    const std::string path = m_folder.empty() ? std::string(desc.fileName) : m_folder + "/" + desc.fileName;
    if (!tmFileLoad(desc.fileImage, path.c_str())) {
        std::fprintf(stderr, "sound: cannot read %s\n", desc.fileName);
        return false;  // the empty image keeps it from being read again
    }
    zfmt::ScrambleWords(desc.key, reinterpret_cast<uint8_t*>(&(*desc.fileImage)[0]), desc.fileImage->size());
    const int count = std::max(desc.entryCount, 0);
    desc.formats = TM_NEW zfmt::WaveFormat[size_t(count) + 1];
    desc.voiceBuffers = TM_NEW platform::AudioBuffer[size_t(count) + 1];
    if (desc.formatKind < 1 || desc.formatKind > 3) return true;  // no entry is prepared
    int bad = 0;
    for (int i = 0; i < count; ++i) {
        PrepareEntry(desc, i);
        bad += desc.voiceBuffers[i].data == nullptr ? 1 : 0;
    }
    if (bad) std::fprintf(stderr, "sound: %s: %d of %d sounds are unplayable\n", desc.fileName, bad, count);
    return true;
}

// Checks one entry's RIFF image inside the bank and prepares its buffer; an
// entry that does not hold a whole, playable 16-bit 44100 Hz wave keeps a
// null buffer and cannot be played.
void tmSound::PrepareEntry(SoundBankDesc& desc, int index) {
    const SoundBankEntry& entry = desc.directory[index];
    const std::string& image = *desc.fileImage;
    if (uint64_t(entry.offset) + entry.size > image.size()) return;
    const uint8_t* wav = reinterpret_cast<const uint8_t*>(image.data()) + entry.offset;
    uint32_t fmtSize = 0, fmtOffset = 0, dataSize = 0, dataOffset = 0;
    zfmt::WaveFormat format;
    if (!zfmt::FindChunk(wav, entry.size, zfmt::kFmtId, fmtSize, fmtOffset)) return;
    if (uint64_t(fmtOffset) + fmtSize > entry.size || !zfmt::ParseWaveFormat(wav + fmtOffset, fmtSize, format)) return;
    if (format.channels != 1 && format.channels != 2) return;
    if (!zfmt::SameWaveFormat(format, zfmt::PcmFormat(format.channels))) return;
    if (!zfmt::FindChunk(wav, entry.size, zfmt::kDataId, dataSize, dataOffset)) return;
    if (uint64_t(dataOffset) + dataSize > entry.size) return;
    const uint32_t frameBytes = 2u * format.channels;
    const uint32_t bytes = dataSize - dataSize % frameBytes;
    if (bytes == 0) return;

    desc.formats[index] = format;
    platform::AudioBuffer& b = desc.voiceBuffers[index];
    b.data = wav + dataOffset;
    b.bytes = bytes;
    b.channels = format.channels;
    b.endOfStream = true;
    b.loopCount = entry.loop == 1 ? platform::AudioBuffer::kLoopInfinite : 0;
}

void tmSound::UnloadBank(int bank) {
    if (!m_enabled || m_banks == nullptr || bank < 0 || bank >= kSoundBankCount) return;
    StopAll();
    SoundBankDesc& desc = m_banks[bank];
    TM_DELETE(desc.fileImage);
    TM_DELETE_ARRAY(desc.formats);
    TM_DELETE_ARRAY(desc.voiceBuffers);
    desc.fileImage = nullptr;
    desc.formats = nullptr;
    desc.voiceBuffers = nullptr;
}

const platform::AudioBuffer* tmSound::BufferOf(uint32_t soundId) const {
    const uint32_t bank = SoundBankOf(soundId);
    const uint32_t entry = SoundEntryOf(soundId);
    if (m_banks == nullptr || bank >= uint32_t(kSoundBankCount)) return nullptr;
    const SoundBankDesc& desc = m_banks[bank];
    if (desc.voiceBuffers == nullptr || desc.entryCount <= 0 || entry >= uint32_t(desc.entryCount)) return nullptr;
    const platform::AudioBuffer& b = desc.voiceBuffers[entry];
    return b.data ? &b : nullptr;
}

// ---- playing --------------------------------------------------------------

int tmSound::PlayOnPool(int slot, int kind, uint32_t soundId, platform::AudioBuffer buffer) {
    if (slot < 0) return -1;
    platform::AudioMixer& mixer = m_engine->Mixer();
    Slot& s = m_slots[slot];
    s.kind = kind;
    s.soundId = soundId;
    s.record = nullptr;
    if (!mixer.SubmitBuffer(s.voice, buffer)) return -1;
    mixer.SetVolume(s.voice, m_categoryVolume[kind]);
    mixer.SetFrequencyRatio(s.voice, 1.0f);
    if (!mixer.Start(s.voice)) {
        mixer.FlushBuffers(s.voice);
        return -1;
    }
    return slot;
}

namespace {
tmSound::PlayObserver& Observer() {
    static tmSound::PlayObserver observer;
    return observer;
}
}  // namespace

void tmSound::SetPlayObserver(PlayObserver observer) { Observer() = std::move(observer); }

int tmSound::Play(uint32_t soundId) {
    if (Observer()) Observer()(soundId);
    if (!m_enabled) return -1;
    const platform::AudioBuffer* buffer = BufferOf(soundId);
    if (buffer == nullptr) return -1;
    platform::AudioBuffer once = *buffer;
    once.loopCount = 0;  // a one-shot always ends, also when its entry is a loop
    return PlayOnPool(FindFreeVoice(), tmSoundCategory::kEffects, soundId, once);
}

int tmSound::PlayLoop(const LoopSoundRecord* record, float value) {
    if (!m_enabled || record == nullptr) return -1;
    const platform::AudioBuffer* buffer = BufferOf(record->soundId);
    if (buffer == nullptr) return -1;
    const int slot = PlayOnPool(FindFreeVoiceHigh(), tmSoundCategory::kLoops, record->soundId, *buffer);
    if (slot < 0) return -1;
    m_slots[slot].record = record;
    ApplyLoopRecord(slot, value);
    return slot;
}

float tmSound::EvaluateCurve(const float curve[8], float v) {
    const float* x = curve;
    const float* y = curve + 4;
    if (v <= x[0]) return y[0];
    if (v >= x[3]) return y[3];
    int i = 1;
    while (i < 3 && v > x[i]) ++i;
    const float dx = std::fabs(x[i] - x[i - 1]);
    if (dx < 1e-6f) return (y[i] + y[i - 1]) / 2.0f;
    return y[i - 1] + (y[i] - y[i - 1]) * (v - x[i - 1]) / dx;
}

void tmSound::ApplyLoopRecord(int slot, float value) {
    const LoopSoundRecord* record = m_slots[slot].record;
    if (record == nullptr) return;
    m_engine->Mixer().SetFrequencyRatio(m_slots[slot].voice, EvaluateCurve(record->frequency, value));
    // SetVoiceVolume applies the loop category's volume (once).
    SetVoiceVolume(slot, EvaluateCurve(record->volume, value));
}

void tmSound::SetVoiceParameter(int slot, float value) {
    if (!m_enabled || !ValidSlot(slot)) return;
    ApplyLoopRecord(slot, value);
}

void tmSound::Stop(int slot) {
    if (!m_enabled || !ValidSlot(slot)) return;
    m_engine->Mixer().Stop(m_slots[slot].voice);
    m_engine->Mixer().FlushBuffers(m_slots[slot].voice);
}

void tmSound::Mute(int slot) { SetVoiceVolume(slot, 0.0f); }

void tmSound::StopAll() {
    if (!m_enabled) return;
    StopStream();
    for (int slot = 0; slot < kSlotCount; ++slot) Stop(slot);
}

// ---- music ----------------------------------------------------------------

bool tmSound::PlayStream(int streamId, bool preferBank) {
    if (!m_enabled) return true;
    if (m_streamPlaying) return false;
    if (streamId < 0 || streamId >= kMusicStreamCount) return false;
    m_engine->Mixer().SetVolume(m_slots[kStreamSlot].voice,
                                m_categoryVolume[tmSoundCategory::kMusic] * m_streams[streamId].volume);
    m_stream->Open(streamId, preferBank);
    m_streamPlaying = true;
    return true;
}

void tmSound::StopStream() {
    if (!m_enabled || !m_streamPlaying) return;
    m_stream->Close();
    m_streamPlaying = false;
}

// ---- volumes and state ----------------------------------------------------

void tmSound::SetCategoryVolume(int category, float volume) {
    if (category < 0 || category >= kCategoryCount || !std::isfinite(volume)) return;
    m_categoryVolume[category] = volume;
    if (category == tmSoundCategory::kMusic && m_enabled && m_streamPlaying)
        m_engine->Mixer().SetVolume(m_slots[kStreamSlot].voice, volume);
}

float tmSound::GetCategoryVolume(int category) const {
    return category >= 0 && category < kCategoryCount ? m_categoryVolume[category] : 0.0f;
}

void tmSound::SetVoiceVolume(int slot, float volume) {
    if (!m_enabled || !ValidSlot(slot)) return;
    if (!(volume > 0.0f)) volume = 0.0f;  // also NaN
    volume = std::min(volume, 1.0f);
    m_engine->Mixer().SetVolume(m_slots[slot].voice, volume * m_categoryVolume[m_slots[slot].kind]);
}

float tmSound::GetVoiceVolume(int slot) const {
    if (!m_enabled || !ValidSlot(slot)) return 0.0f;
    return m_engine->Mixer().GetVolume(m_slots[slot].voice);
}

void tmSound::SetVoiceFrequencyRatio(int slot, float ratio) {
    if (!m_enabled || !ValidSlot(slot)) return;
    m_engine->Mixer().SetFrequencyRatio(m_slots[slot].voice, ratio);
}

float tmSound::GetVoiceFrequencyRatio(int slot) const {
    if (!m_enabled || !ValidSlot(slot)) return 1.0f;
    return m_engine->Mixer().GetFrequencyRatio(m_slots[slot].voice);
}

bool tmSound::IsVoicePlaying(int slot) const {
    if (!m_enabled || !ValidSlot(slot)) return false;
    return m_engine->Mixer().BuffersQueued(m_slots[slot].voice) > 0;
}

int tmSound::CountPlayingVoices() const {
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) count += IsVoicePlaying(slot) ? 1 : 0;
    return count;
}

int tmSound::FindFreeVoice() const {
    if (!m_enabled) return -1;
    for (int slot = kFirstEffectSlot; slot <= kLastEffectSlot; ++slot)
        if (!IsVoicePlaying(slot)) return slot;
    return -1;
}

int tmSound::FindFreeVoiceHigh() const {
    if (!m_enabled) return -1;
    for (int slot = kFirstLoopSlot; slot <= kLastLoopSlot; ++slot)
        if (!IsVoicePlaying(slot)) return slot;
    return -1;
}

uint32_t tmSound::SlotSoundId(int slot) const { return ValidSlot(slot) ? m_slots[slot].soundId : 0; }

void tmSound::DrawRunCount(const Console& console) {
    if (!m_enabled || !console.setCursor || !console.print) return;
    char line[32];
    std::snprintf(line, sizeof line, "Sound ( Run:%4d )", CountPlayingVoices());
    console.setCursor(12, 5, 2);
    console.print(line);
}
