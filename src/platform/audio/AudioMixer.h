// AudioMixer.h -- software mixer: source voices with queued 16-bit PCM buffers mixed to stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace platform {

// One queued piece of 16-bit PCM audio. The data is not copied: it must stay
// valid until the buffer has played out or the voice was flushed.
// Frame positions count sample frames (one sample per channel).
struct AudioBuffer {
    static constexpr uint32_t kLoopInfinite = 255;

    const uint8_t* data = nullptr;
    uint32_t bytes = 0;        // whole frames are played; a trailing partial frame is ignored
    uint16_t channels = 0;     // 1 or 2; 0 = the voice's own channel count
    uint32_t playBegin = 0;    // first frame played
    uint32_t playLength = 0;   // 0 = to the end of the data
    uint32_t loopBegin = 0;    // loop region, inside the play region
    uint32_t loopLength = 0;   // 0 = to the end of the play region
    uint32_t loopCount = 0;    // repeats of the loop region; kLoopInfinite = until stopped
    bool endOfStream = false;  // informational: the last buffer of a piece
};

// Owns up to kMaxVoices source voices, all at 44100 Hz, mixed into one stereo
// 16-bit output. One lock guards every voice, so the main thread, a streaming
// thread and the device callback may call in at the same time. The mixer makes
// no calls back into its users. Created by AudioEngine (or directly by tests).
class AudioMixer {
public:
    static constexpr int kMaxVoices = 128;
    static constexpr int kSampleRate = 44100;
    static constexpr int kMaxQueuedBuffers = 64;
    static constexpr float kMaxFrequencyRatio = 2.0f;
    static constexpr float kMinFrequencyRatio = 1.0f / 1024.0f;

    // voiceLimit caps how many voices may exist (at most kMaxVoices).
    explicit AudioMixer(int voiceLimit = kMaxVoices);

    // A new stopped voice of 1 or 2 channels; -1 when none can be created.
    int CreateVoice(int channels);
    void DestroyVoice(int voice);

    // Queues a buffer behind the voice's others. False for a bad voice, an
    // empty or malformed buffer, or a full queue.
    bool SubmitBuffer(int voice, const AudioBuffer& buffer);
    bool Start(int voice);
    // Pauses at the current position; the queue is kept.
    bool Stop(int voice);
    // Drops queued buffers; a started voice keeps the one it is playing.
    bool FlushBuffers(int voice);
    // Buffers queued, counting the one now playing (0 for a bad voice).
    int BuffersQueued(int voice) const;
    bool IsStarted(int voice) const;

    bool SetVolume(int voice, float volume);
    float GetVolume(int voice) const;
    // Clamped to kMinFrequencyRatio..kMaxFrequencyRatio.
    bool SetFrequencyRatio(int voice, float ratio);
    float GetFrequencyRatio(int voice) const;

    // Mixes `frames` stereo frames (interleaved left, right) of every started
    // voice into `out`, clipping at the 16-bit range, and advances the voices.
    void Mix(int16_t* out, size_t frames);

private:
    struct Voice {
        bool exists = false;
        bool started = false;
        int channels = 2;
        float volume = 1.0f;
        float ratio = 1.0f;
        std::deque<AudioBuffer> queue;
        uint32_t pos = 0;         // frame in the front buffer
        double frac = 0.0;        // fraction towards the next frame
        uint32_t loopsLeft = 0;   // loops still to play of the front buffer
        bool positioned = false;  // pos/loopsLeft set up for the front buffer

        // Back to a voice that does not exist, keeping the queue's storage.
        void Reset() {
            queue.clear();
            exists = started = positioned = false;
            channels = 2;
            volume = ratio = 1.0f;
            pos = loopsLeft = 0;
            frac = 0.0;
        }
    };

    bool Valid(int voice) const;
    static uint32_t TotalFrames(const AudioBuffer& b);
    static uint32_t PlayEnd(const AudioBuffer& b);
    static uint32_t LoopEnd(const AudioBuffer& b);
    void Position(Voice& v);
    // Reads a frame of the front buffer (or of the one the cursor reaches next).
    static void ReadFrame(const AudioBuffer& b, int voiceChannels, uint32_t frame, float& l, float& r);
    // Frame after the current one: same buffer, the loop start, or the next buffer.
    void PeekNext(const Voice& v, float& l, float& r) const;
    // Moves the cursor one frame; pops finished buffers.
    void StepFrame(Voice& v);

    mutable std::mutex m_lock;
    int m_voiceLimit;
    int m_live = 0;  // voices that exist
    std::vector<Voice> m_voices;
    std::vector<float> m_accum;
};

}  // namespace platform
