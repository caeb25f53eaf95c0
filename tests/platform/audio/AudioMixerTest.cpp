// AudioMixerTest.cpp -- the software mixer pulled headless: queues, loops, rates, volumes, limits.
#include "platform/audio/AudioMixer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using platform::AudioBuffer;
using platform::AudioMixer;

namespace {

// Interleaved 16-bit samples as little-endian bytes.
std::vector<uint8_t> Pcm(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t s : samples) {
        bytes.push_back(uint8_t(uint16_t(s)));
        bytes.push_back(uint8_t(uint16_t(s) >> 8));
    }
    return bytes;
}

AudioBuffer BufferOf(const std::vector<uint8_t>& bytes, uint16_t channels) {
    AudioBuffer b;
    b.data = bytes.data();
    b.bytes = static_cast<uint32_t>(bytes.size());
    b.channels = channels;
    return b;
}

std::vector<int16_t> Pull(AudioMixer& mixer, size_t frames) {
    std::vector<int16_t> out(frames * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

std::vector<int16_t> Left(const std::vector<int16_t>& stereo) {
    std::vector<int16_t> l;
    for (size_t i = 0; i < stereo.size(); i += 2) l.push_back(stereo[i]);
    return l;
}

}  // namespace

TEST(AudioMixer, PlaysStereoExactlyThenFreesTheQueue) {
    AudioMixer mixer;
    int v = mixer.CreateVoice(2);
    ASSERT_GE(v, 0);
    auto pcm = Pcm({100, -100, 200, -200, 300, -300});
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 2)));
    EXPECT_EQ(mixer.BuffersQueued(v), 1);
    // Not started yet: silence and nothing consumed.
    EXPECT_EQ(Pull(mixer, 2), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(mixer.BuffersQueued(v), 1);
    mixer.Start(v);
    EXPECT_EQ(Pull(mixer, 5), (std::vector<int16_t>{100, -100, 200, -200, 300, -300, 0, 0, 0, 0}));
    EXPECT_EQ(mixer.BuffersQueued(v), 0);
}

TEST(AudioMixer, MonoGoesToBothChannelsAndBuffersFollowEachOther) {
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    auto a = Pcm({1, 2});
    auto b = Pcm({3, 4, 5});
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(a, 0)));
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(b, 0)));
    EXPECT_EQ(mixer.BuffersQueued(v), 2);
    mixer.Start(v);
    EXPECT_EQ(Pull(mixer, 5), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5}));
    EXPECT_EQ(mixer.BuffersQueued(v), 0);
}

TEST(AudioMixer, LoopRegionRepeatsSeamlesslyAndCountsDown) {
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    auto pcm = Pcm({10, 20, 30, 40, 50});
    AudioBuffer b = BufferOf(pcm, 1);
    b.loopBegin = 1;
    b.loopLength = 2;  // frames 1..2 repeat
    b.loopCount = 2;
    ASSERT_TRUE(mixer.SubmitBuffer(v, b));
    mixer.Start(v);
    EXPECT_EQ(Left(Pull(mixer, 10)), (std::vector<int16_t>{10, 20, 30, 20, 30, 20, 30, 40, 50, 0}));
    EXPECT_EQ(mixer.BuffersQueued(v), 0);

    // Infinite loop over the whole buffer: it keeps its queue entry and wraps exactly.
    AudioBuffer inf = BufferOf(pcm, 1);
    inf.loopCount = AudioBuffer::kLoopInfinite;
    ASSERT_TRUE(mixer.SubmitBuffer(v, inf));
    auto out = Left(Pull(mixer, 5003));
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], 10 * (1 + int(i % 5))) << i;
    EXPECT_EQ(mixer.BuffersQueued(v), 1);
}

TEST(AudioMixer, InterpolatesAcrossTheLoopPointWithoutAJump) {
    // A triangle period looped at half speed: every output step stays small.
    std::vector<int16_t> tri;
    for (int i = 0; i < 100; ++i) tri.push_back(int16_t(i < 50 ? i * 400 : (100 - i) * 400));
    auto pcm = Pcm(tri);
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    AudioBuffer b = BufferOf(pcm, 1);
    b.loopCount = AudioBuffer::kLoopInfinite;
    ASSERT_TRUE(mixer.SubmitBuffer(v, b));
    mixer.SetFrequencyRatio(v, 0.5f);
    mixer.Start(v);
    auto out = Left(Pull(mixer, 1000));
    for (size_t i = 1; i < out.size(); ++i) ASSERT_LE(std::abs(out[i] - out[i - 1]), 200) << i;
}

TEST(AudioMixer, FrequencyRatioSpeedsUpAndIsClampedAtTwo) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 100; ++i) ramp.push_back(int16_t(i * 10));
    auto pcm = Pcm(ramp);
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 1)));
    mixer.SetFrequencyRatio(v, 3.0f);
    EXPECT_FLOAT_EQ(mixer.GetFrequencyRatio(v), 2.0f);
    mixer.Start(v);
    auto out = Left(Pull(mixer, 50));
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 20);
    EXPECT_EQ(out[49], 980);
    EXPECT_EQ(mixer.BuffersQueued(v), 0);

    // Half speed interpolates between neighbouring frames.
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 1)));
    mixer.SetFrequencyRatio(v, 0.5f);
    out = Left(Pull(mixer, 4));
    EXPECT_EQ(out, (std::vector<int16_t>{0, 5, 10, 15}));
}

TEST(AudioMixer, VolumesScaleSumAndClip) {
    auto loud = Pcm({30000, -30000});
    AudioMixer mixer;
    int a = mixer.CreateVoice(2);
    int b = mixer.CreateVoice(2);
    ASSERT_TRUE(mixer.SubmitBuffer(a, BufferOf(loud, 2)));
    ASSERT_TRUE(mixer.SubmitBuffer(b, BufferOf(loud, 2)));
    mixer.SetVolume(a, 0.5f);
    mixer.SetVolume(b, 0.25f);
    mixer.Start(a);
    mixer.Start(b);
    EXPECT_EQ(Pull(mixer, 1), (std::vector<int16_t>{22500, -22500}));
    ASSERT_TRUE(mixer.SubmitBuffer(a, BufferOf(loud, 2)));
    ASSERT_TRUE(mixer.SubmitBuffer(b, BufferOf(loud, 2)));
    mixer.SetVolume(a, 1.0f);
    mixer.SetVolume(b, 1.0f);
    EXPECT_EQ(Pull(mixer, 1), (std::vector<int16_t>{32767, -32768}));
}

TEST(AudioMixer, StopKeepsTheQueueUntilFlushed) {
    auto pcm = Pcm({1, 2, 3, 4});
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 1)));
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 1)));
    mixer.Start(v);
    EXPECT_EQ(Left(Pull(mixer, 2)), (std::vector<int16_t>{1, 2}));
    // Started: a flush keeps the buffer that is playing.
    mixer.FlushBuffers(v);
    EXPECT_EQ(mixer.BuffersQueued(v), 1);
    mixer.Stop(v);
    EXPECT_EQ(Left(Pull(mixer, 1)), (std::vector<int16_t>{0}));
    EXPECT_EQ(mixer.BuffersQueued(v), 1);
    mixer.Start(v);
    EXPECT_EQ(Left(Pull(mixer, 1)), (std::vector<int16_t>{3}));
    mixer.Stop(v);
    mixer.FlushBuffers(v);
    EXPECT_EQ(mixer.BuffersQueued(v), 0);
    // A fresh buffer after a stop-and-flush starts from its beginning.
    ASSERT_TRUE(mixer.SubmitBuffer(v, BufferOf(pcm, 1)));
    mixer.Start(v);
    EXPECT_EQ(Left(Pull(mixer, 1)), (std::vector<int16_t>{1}));
}

TEST(AudioMixer, RefusesMalformedBuffersAndBadVoices) {
    auto pcm = Pcm({1, 2, 3, 4});
    AudioMixer mixer;
    int v = mixer.CreateVoice(1);
    AudioBuffer b = BufferOf(pcm, 1);
    AudioBuffer nodata = b;
    nodata.data = nullptr;
    EXPECT_FALSE(mixer.SubmitBuffer(v, nodata));
    AudioBuffer empty = b;
    empty.bytes = 1;  // less than one frame
    EXPECT_FALSE(mixer.SubmitBuffer(v, empty));
    AudioBuffer past = b;
    past.playBegin = 2;
    past.playLength = 0xFFFFFFFFu;  // would wrap in 32 bits
    EXPECT_FALSE(mixer.SubmitBuffer(v, past));
    AudioBuffer loopOut = b;
    loopOut.loopCount = 1;
    loopOut.loopBegin = 3;
    loopOut.loopLength = 2;
    EXPECT_FALSE(mixer.SubmitBuffer(v, loopOut));
    AudioBuffer badChannels = b;
    badChannels.channels = 3;
    EXPECT_FALSE(mixer.SubmitBuffer(v, badChannels));
    EXPECT_EQ(mixer.BuffersQueued(v), 0);

    EXPECT_FALSE(mixer.SubmitBuffer(-1, b));
    EXPECT_FALSE(mixer.SubmitBuffer(AudioMixer::kMaxVoices, b));
    EXPECT_FALSE(mixer.Start(77));
    EXPECT_EQ(mixer.BuffersQueued(77), 0);
    EXPECT_FLOAT_EQ(mixer.GetFrequencyRatio(77), 1.0f);

    for (int i = 0; i < AudioMixer::kMaxQueuedBuffers; ++i) ASSERT_TRUE(mixer.SubmitBuffer(v, b));
    EXPECT_FALSE(mixer.SubmitBuffer(v, b));
}

TEST(AudioMixer, VoiceLimitIsHonoured) {
    AudioMixer full;
    for (int i = 0; i < AudioMixer::kMaxVoices; ++i) ASSERT_EQ(full.CreateVoice(i % 2 + 1), i);
    EXPECT_EQ(full.CreateVoice(2), -1);
    full.DestroyVoice(5);
    EXPECT_EQ(full.CreateVoice(2), 5);

    AudioMixer limited(3);
    EXPECT_GE(limited.CreateVoice(2), 0);
    EXPECT_GE(limited.CreateVoice(2), 0);
    EXPECT_GE(limited.CreateVoice(1), 0);
    EXPECT_EQ(limited.CreateVoice(1), -1);
    EXPECT_EQ(limited.CreateVoice(4), -1);
}
