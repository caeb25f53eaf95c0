// AudioMixer.cpp -- voice queues, loop regions, linear-interpolated resampling and the stereo mix.
#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace platform {

AudioMixer::AudioMixer(int voiceLimit) : m_voiceLimit(std::clamp(voiceLimit, 0, kMaxVoices)), m_voices(kMaxVoices) {}

bool AudioMixer::Valid(int voice) const { return voice >= 0 && voice < kMaxVoices && m_voices[voice].exists; }

int AudioMixer::CreateVoice(int channels) {
    if (channels != 1 && channels != 2) return -1;
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_live >= m_voiceLimit) return -1;
    for (int i = 0; i < kMaxVoices; ++i) {
        if (!m_voices[i].exists) {
            m_voices[i].Reset();
            m_voices[i].exists = true;
            m_voices[i].channels = channels;
            ++m_live;
            return i;
        }
    }
    return -1;
}

void AudioMixer::DestroyVoice(int voice) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice)) return;
    m_voices[voice].Reset();
    --m_live;
}

uint32_t AudioMixer::TotalFrames(const AudioBuffer& b) {
    uint32_t ch = b.channels ? b.channels : 1;
    return b.bytes / (2u * ch);
}

uint32_t AudioMixer::PlayEnd(const AudioBuffer& b) {
    return b.playLength ? b.playBegin + b.playLength : TotalFrames(b);
}

uint32_t AudioMixer::LoopEnd(const AudioBuffer& b) { return b.loopLength ? b.loopBegin + b.loopLength : PlayEnd(b); }

bool AudioMixer::SubmitBuffer(int voice, const AudioBuffer& buffer) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice)) return false;
    Voice& v = m_voices[voice];
    if (v.queue.size() >= static_cast<size_t>(kMaxQueuedBuffers)) return false;
    AudioBuffer b = buffer;
    if (b.channels == 0) b.channels = static_cast<uint16_t>(v.channels);
    if (b.channels != 1 && b.channels != 2) return false;
    if (b.data == nullptr) return false;
    // Sizes in 64 bits so that hostile lengths cannot wrap past the checks.
    const uint64_t total = TotalFrames(b);
    const uint64_t playEnd = b.playLength ? uint64_t(b.playBegin) + b.playLength : total;
    if (b.playBegin >= playEnd || playEnd > total) return false;
    if (b.loopCount == 0) {
        b.loopBegin = 0;
        b.loopLength = 0;
    } else {
        const uint64_t loopEnd = b.loopLength ? uint64_t(b.loopBegin) + b.loopLength : playEnd;
        if (b.loopBegin < b.playBegin || b.loopBegin >= loopEnd || loopEnd > playEnd) return false;
    }
    v.queue.push_back(b);
    return true;
}

bool AudioMixer::Start(int voice) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice)) return false;
    m_voices[voice].started = true;
    return true;
}

bool AudioMixer::Stop(int voice) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice)) return false;
    m_voices[voice].started = false;
    return true;
}

bool AudioMixer::FlushBuffers(int voice) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice)) return false;
    Voice& v = m_voices[voice];
    if (v.started && v.positioned && !v.queue.empty()) {
        v.queue.erase(v.queue.begin() + 1, v.queue.end());
    } else {
        v.queue.clear();
        v.positioned = false;
        v.frac = 0.0;
    }
    return true;
}

int AudioMixer::BuffersQueued(int voice) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return Valid(voice) ? static_cast<int>(m_voices[voice].queue.size()) : 0;
}

bool AudioMixer::IsStarted(int voice) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return Valid(voice) && m_voices[voice].started;
}

bool AudioMixer::SetVolume(int voice, float volume) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice) || !std::isfinite(volume)) return false;
    m_voices[voice].volume = volume;
    return true;
}

float AudioMixer::GetVolume(int voice) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return Valid(voice) ? m_voices[voice].volume : 0.0f;
}

bool AudioMixer::SetFrequencyRatio(int voice, float ratio) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!Valid(voice) || !std::isfinite(ratio)) return false;
    m_voices[voice].ratio = std::clamp(ratio, kMinFrequencyRatio, kMaxFrequencyRatio);
    return true;
}

float AudioMixer::GetFrequencyRatio(int voice) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return Valid(voice) ? m_voices[voice].ratio : 1.0f;
}

void AudioMixer::Position(Voice& v) {
    if (v.positioned || v.queue.empty()) return;
    v.pos = v.queue.front().playBegin;
    v.loopsLeft = v.queue.front().loopCount;
    v.positioned = true;
}

void AudioMixer::ReadFrame(const AudioBuffer& b, int, uint32_t frame, float& l, float& r) {
    const uint8_t* p = b.data + size_t(frame) * 2u * b.channels;
    l = static_cast<float>(static_cast<int16_t>(uint16_t(p[0] | p[1] << 8)));
    r = b.channels == 2 ? static_cast<float>(static_cast<int16_t>(uint16_t(p[2] | p[3] << 8))) : l;
}

void AudioMixer::PeekNext(const Voice& v, float& l, float& r) const {
    const AudioBuffer& b = v.queue.front();
    const uint32_t next = v.pos + 1;
    if (v.loopsLeft > 0 && next == LoopEnd(b)) {
        ReadFrame(b, v.channels, b.loopBegin, l, r);
    } else if (next < PlayEnd(b)) {
        ReadFrame(b, v.channels, next, l, r);
    } else if (v.queue.size() > 1) {
        const AudioBuffer& n = v.queue[1];
        ReadFrame(n, v.channels, n.playBegin, l, r);
    } else {
        ReadFrame(b, v.channels, v.pos, l, r);  // hold the last frame
    }
}

void AudioMixer::StepFrame(Voice& v) {
    const AudioBuffer& b = v.queue.front();
    ++v.pos;
    if (v.loopsLeft > 0 && v.pos == LoopEnd(b)) {
        v.pos = b.loopBegin;
        if (v.loopsLeft != AudioBuffer::kLoopInfinite) --v.loopsLeft;
    } else if (v.pos >= PlayEnd(b)) {
        v.queue.pop_front();
        v.positioned = false;
        Position(v);
    }
}

void AudioMixer::Mix(int16_t* out, size_t frames) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_accum.assign(frames * 2, 0.0f);
    for (Voice& v : m_voices) {
        if (!v.exists || !v.started) continue;
        for (size_t i = 0; i < frames && !v.queue.empty(); ++i) {
            Position(v);
            float l, r;
            ReadFrame(v.queue.front(), v.channels, v.pos, l, r);
            if (v.frac > 0.0) {
                float nl, nr;
                PeekNext(v, nl, nr);
                const float t = static_cast<float>(v.frac);
                l += (nl - l) * t;
                r += (nr - r) * t;
            }
            m_accum[i * 2] += l * v.volume;
            m_accum[i * 2 + 1] += r * v.volume;
            v.frac += v.ratio;
            while (v.frac >= 1.0 && !v.queue.empty()) {
                v.frac -= 1.0;
                StepFrame(v);
            }
        }
        if (v.queue.empty()) v.frac = 0.0;
    }
    for (size_t i = 0; i < frames * 2; ++i) {
        const float s = std::nearbyint(std::clamp(m_accum[i], -32768.0f, 32767.0f));
        out[i] = static_cast<int16_t>(s);
    }
}

}  // namespace platform
