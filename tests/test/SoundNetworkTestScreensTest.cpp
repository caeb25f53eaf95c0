// SoundNetworkTestScreensTest.cpp -- the sound test's keys on the generated banks and the network test over a hub.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "machine/tmMachineSound.h"
#include "menu/MenuRig.h"
#include "race/RaceHub.h"
#include "race/tmRaceNetwork.h"
#include "sys/input/tmInputActions.h"
#include "sys/sound/tmSound.h"
#include "sys/text/tmDxFont.h"
#include "table/MachineParts.h"
#include "table/MachineTable.h"
#include "table/SoundBankTable.h"
#include "test/TestScreenText.h"
#include "test/tmSeqTestNetwork.h"
#include "test/tmSeqTestSound.h"

using testscreens::DrawnLines;
using testscreens::HasLine;
using testscreens::TextDevice;

namespace {

// A menu rig whose sound engine has the game's banks and music on the test backend.
class SoundRig : public MenuRig {
public:
    SoundRig() {
        tmSound::SetPlayObserver(nullptr);
        tmSound::Destroy();
        tmSoundSetup setup = GameSoundSetup();
        setup.backend = platform::AudioBackend::Test;
        setup.folder = ZARVO_RUN_DIR "/";
        tmSound::Create(nullptr, setup);
        tmSound::SetPlayObserver([this](uint32_t id) { sounds.push_back(id); });
    }
    tmSound& Sound() { return *tmSound::GetInstance(); }
};

}  // namespace

TEST(TestSoundScreen, KeypadKeysPlayTheirFourSounds) {
    TextDevice text;
    SoundRig rig;
    ASSERT_TRUE(rig.Sound().IsEnabled());
    tmSeqTestSound screen;
    rig.Start(screen);
    for (int key : {tmKey::kNumpad0, tmKey::kNumpad1, tmKey::kNumpad2, tmKey::kNumpad3}) rig.Tap(key);
    EXPECT_EQ(rig.sounds, (std::vector<uint32_t>{0x1000e, 0x10035, 0x1000d, 0x10007}));
    rig.Finish();
}

TEST(TestSoundScreen, DigitKeysStartTheirStreamOrStopTheOneThatPlays) {
    TextDevice text;
    SoundRig rig;
    tmSeqTestSound screen;
    rig.Start(screen);
    const int streams[10] = {8, 12, 1, 3, 4, 5, 9, 10, 11, 2};
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        rig.Tap(tmKey::k1 + k);
        ASSERT_TRUE(rig.MusicPlaying());
        EXPECT_EQ(rig.MusicRow(), streams[k]);
        rig.Tap(tmKey::k1 + (k + 3) % 10);  // any digit stops what plays
        EXPECT_FALSE(rig.MusicPlaying());
    }
    // The playing time counts up from the start of the stream.
    rig.Tap(tmKey::k3);
    rig.Steps(125);
    const std::vector<std::string> lines = DrawnLines(screen);
    char song[64];
    std::snprintf(song, sizeof song, "Song[00:02] v(%2d)", tmConfig::GetInstance().GetBgmVolume());
    EXPECT_TRUE(HasLine(lines, song)) << lines[1];
    rig.Finish();
    EXPECT_FALSE(rig.MusicPlaying()) << "the test's stream stops with it";
}

TEST(TestSoundScreen, LetterKeysStartEachLoopAndAnyOfThemStopsTheRunningOne) {
    TextDevice text;
    SoundRig rig;
    tmSound& sound = rig.Sound();
    tmSeqTestSound screen;
    rig.Start(screen);
    const MachineSpec* spec = GetMachineSpec(kFirstMachineId);
    ASSERT_NE(spec, nullptr);
    ASSERT_NE(spec->soundTable, nullptr);

    // "D": every engine loop of the machine, on its own looping voice.
    rig.Tap(tmKey::kD);
    EXPECT_EQ(screen.GetRunningLoop(), tmSeqTestSound::kEngine);
    int engines = 0;
    for (int i = 0; i < tmSeqTestSound::kEngineVoices; ++i) {
        const uint32_t id = spec->soundTable->engineLoops[i].soundId;
        if (id == 0) continue;
        const int voice = screen.GetEngineVoice(i);
        ASSERT_GE(voice, tmSound::kFirstLoopSlot) << i;
        EXPECT_EQ(sound.SlotSoundId(voice), id) << i;
        EXPECT_TRUE(sound.IsVoicePlaying(voice));
        ++engines;
    }
    EXPECT_GT(engines, 0);
    // The accelerator drives their value; the status shows it and each voice's curves.
    rig.input.SetKey(tmKey::kZ, true);  // the keyboard's accelerator
    rig.Steps(2);
    const std::vector<std::string> lines = DrawnLines(screen);
    rig.input.SetKey(tmKey::kZ, false);
    char engine[96];
    std::snprintf(engine, sizeof engine, "En[%d](%s) i( 1.00)", engines, spec->displayName);
    EXPECT_TRUE(HasLine(lines, engine)) << lines[3];
    const int first = screen.GetEngineVoice(0);
    char curves[64];
    std::snprintf(curves, sizeof curves, "Ics0[%5.3f:%5.3f]", static_cast<double>(sound.GetVoiceVolume(first)),
                  static_cast<double>(sound.GetVoiceFrequencyRatio(first)));
    EXPECT_TRUE(HasLine(lines, curves));

    // Any letter stops what runs; the next one starts its own loop.
    rig.Tap(tmKey::kG);
    EXPECT_EQ(screen.GetRunningLoop(), tmSeqTestSound::kLoops);
    EXPECT_FALSE(sound.IsVoicePlaying(first));
    const struct {
        int key;
        int loop;
        uint32_t id;
    } kLoops[] = {
        {tmKey::kF, tmSeqTestSound::kBrake, LoopSoundParams[0].soundId},
        {tmKey::kG, tmSeqTestSound::kSlide, tmMachineSound::kSkidLoop.soundId},
        {tmKey::kH, tmSeqTestSound::kChassis, tmMachineSound::kAmbientLoops[tmMachineSound::kSurface4].soundId}};
    for (const auto& l : kLoops) {
        SCOPED_TRACE(l.key);
        rig.Tap(l.key);
        ASSERT_EQ(screen.GetRunningLoop(), l.loop);
        const int voice = screen.GetVoice(l.loop);
        ASSERT_GE(voice, tmSound::kFirstLoopSlot);
        EXPECT_EQ(sound.SlotSoundId(voice), l.id);
        char status[32];
        std::snprintf(status, sizeof status, "[%d] i( 0.00)", voice);
        bool shown = false;
        for (const std::string& line : DrawnLines(screen)) shown |= line.find(status) != std::string::npos;
        EXPECT_TRUE(shown) << status;
        rig.Tap(tmKey::kD);  // stops it
        EXPECT_FALSE(sound.IsVoicePlaying(voice));
        EXPECT_EQ(screen.GetRunningLoop(), tmSeqTestSound::kLoops);
    }
    EXPECT_EQ(LoopSoundParams[0].soundId, 0x20082u);

    // Leaving with a loop running stops it.
    rig.Tap(tmKey::kF);
    const int brake = screen.GetVoice(tmSeqTestSound::kBrake);
    ASSERT_GT(brake, 0);
    rig.Finish();
    EXPECT_FALSE(sound.IsVoicePlaying(brake));
    EXPECT_EQ(sound.CountPlayingVoices(), 0);
}

// ---- the network test over an in-process hub ----

class TestNetworkScreen : public ::testing::Test {
protected:
    void SetUp() override {
        tmConfig::GetInstance().SetPlayerName("HOSTA");
        tmRaceNetwork::Create(hub.MakeEndpoint(racetest::Loopback(1), racetest::Loopback(1)));
        rig.Start(screen);
    }
    void TearDown() override {
        rig.Finish();
        tmRaceNetwork::Destroy();
    }
    tmRaceNetwork& Session() { return *tmRaceNetwork::Get(); }

    TextDevice text;
    racetest::RaceHub hub;
    MenuRig rig;
    tmSeqTestNetwork screen;
};

TEST_F(TestNetworkScreen, HostsAGuestShowsItsPlayersAndTheirStatesAndClosesAgain) {
    EXPECT_TRUE(HasLine(DrawnLines(screen), "thread 0"));
    tmRaceState::Get().hostFlag = 0;
    rig.Tap(tmKey::k1);
    EXPECT_EQ(tmRaceState::Get().hostFlag, 1);
    ASSERT_TRUE(Session().IsOpen());
    ASSERT_TRUE(Session().IsHost());
    std::vector<std::string> lines = DrawnLines(screen);
    EXPECT_TRUE(HasLine(lines, "thread 1"));
    EXPECT_TRUE(HasLine(lines, "0:HOSTA(0.000000,0.000000)"));

    // A guest joins: its entry reaches the host, the host's table (sent every step) reaches it.
    tmConfig::GetInstance().SetPlayerName("GUESTB");
    tmRaceNetwork guest(hub.MakeEndpoint(racetest::Loopback(2), racetest::Loopback(1)));
    ASSERT_TRUE(guest.Start(false));
    guest.SetOwnStatus(3, 0);
    guest.Send(kNetMsgEntry);
    rig.Steps(2);
    ASSERT_EQ(Session().GetTable().count, 2u);
    guest.Poll();
    ASSERT_EQ(guest.GetTable().count, 2u);
    EXPECT_EQ(guest.FindOwnIndex(), 1);

    // "5" announces the host's own entry (machine 1, variant 0).
    rig.Tap(tmKey::k5);
    EXPECT_EQ(Session().GetOwnEntry().machine, 1u);
    EXPECT_EQ(Session().GetTable().entries[0].machine, 1u);

    // "6" sends the host's machine state made from its frame counter.
    const int frame = screen.GetFrameCount();
    rig.Tap(tmKey::k6);
    guest.Poll();
    EXPECT_FLOAT_EQ(guest.GetState(0).x, static_cast<float>(frame));
    EXPECT_FLOAT_EQ(guest.GetState(0).z, static_cast<float>(frame) * 0.5f);

    // The guest's state shows on its line of the host's screen.
    tmPeerMachineState state;
    state.x = 7.0f;
    state.z = -3.5f;
    guest.StoreOwnState(state);
    guest.Send(kNetMsgState);
    rig.Step();
    lines = DrawnLines(screen);
    EXPECT_TRUE(HasLine(lines, "1:GUESTB(7.000000,-3.500000)"));
    char own[64];
    std::snprintf(own, sizeof own, "0:HOSTA(%f,%f)", static_cast<double>(frame), frame * 0.5);
    EXPECT_TRUE(HasLine(lines, own));

    // "4" throws away what arrived before the session reads it.
    state.x = 99.0f;
    guest.StoreOwnState(state);
    guest.Send(kNetMsgState);
    rig.Tap(tmKey::k4);
    EXPECT_FLOAT_EQ(Session().GetState(1).x, 7.0f);

    // "3" closes the transport.
    rig.Tap(tmKey::k3);
    EXPECT_FALSE(Session().IsOpen());
    EXPECT_TRUE(HasLine(DrawnLines(screen), "thread 0"));
    guest.Stop();
}

TEST_F(TestNetworkScreen, JoinsAsAGuestSendsNoTableAndLeavingClosesTheSession) {
    // The screen's session plays the guest on a second address of the hub.
    tmRaceNetwork::Create(hub.MakeEndpoint(racetest::Loopback(2), racetest::Loopback(1)));
    tmRaceNetwork host(hub.MakeEndpoint(racetest::Loopback(1), racetest::Loopback(1)));
    ASSERT_TRUE(host.Start(true));
    rig.Tap(tmKey::k2);
    EXPECT_EQ(tmRaceState::Get().hostFlag, 0);
    ASSERT_TRUE(Session().IsOpen());
    EXPECT_FALSE(Session().IsHost());
    rig.Tap(tmKey::k5);
    host.Poll();
    ASSERT_EQ(host.GetTable().count, 2u);
    const uint32_t sent = Session().GetSentCount();
    rig.Steps(5);
    EXPECT_EQ(Session().GetSentCount(), sent) << "a guest sends no table";
    host.Send(kNetMsgTable);
    rig.Step();
    EXPECT_EQ(Session().GetTable().count, 2u);
    EXPECT_EQ(DrawnLines(screen).size(), 4u);  // title, thread, two players
    EXPECT_EQ(rig.Tap(tmKey::kEscape), kSeqDebugMenu);
    rig.Finish();
    EXPECT_FALSE(Session().IsOpen()) << "what the screen opened it closes";
    host.Stop();
}
