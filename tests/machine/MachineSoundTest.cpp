// MachineSoundTest.cpp -- the player's loops: start muted, engine by rpm, brake, skid, crowd, wind, rumbles, mute,
// stop.
#include <gtest/gtest.h>

#include <cmath>

#include "content_tables.h"
#include "machine/LookFixture.h"
#include "machine/tmMachineSound.h"
#include "race/tmLapTimer.h"
#include "sys/base/tmMemory.h"
#include "table/CourseTable.h"

namespace {

class MachineSoundTest : public LookTest {
protected:
    tmMachineSound& Sound(HandMachine& m) {
        m.core.params.revMin = 1500;
        m.core.params.revLimit = 12500;
        sounds_.push_back(std::make_unique<tmMachineSound>());
        sounds_.back()->Init(m.core, m.move);
        return *sounds_.back();
    }
    // Race time of the machine's lap timer, in steps.
    static void RaceFor(HandMachine& m, int steps) {
        if (!m.core.lapTimer) {
            m.core.lapTimer = TM_NEW tmLapTimer;
            m.core.lapTimer->Start(3, 1, false);
        }
        for (int i = 0; i < steps; ++i) m.core.lapTimer->Tick();
    }
    std::vector<std::unique_ptr<tmMachineSound>> sounds_;
};

TEST_F(MachineSoundTest, StartPlaysEveryLoopMutedAndTheFirstUpdateGivesThemValues) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    // Six engine loops, two brake loops, the skid and four ambient loops.
    ASSERT_EQ(sound_.loops.size(), 13u);
    for (const LoopRecorder::Loop& l : sound_.loops) {
        EXPECT_TRUE(l.muted);
        EXPECT_EQ(l.value, 0.0f);
    }
    EXPECT_EQ(sound_.loops[0].record, &m.core.spec->soundTable->engineLoops[0]);
    s.Update();
    for (const LoopRecorder::Loop& l : sound_.loops) EXPECT_FALSE(l.muted);
    // Starting again plays nothing new.
    s.Start();
    EXPECT_EQ(sound_.loops.size(), 13u);
    // Hiding mutes once; the next update sets the values again.
    s.SetHidden(true);
    EXPECT_TRUE(sound_.loops[0].muted);
    s.Update();
    EXPECT_FALSE(sound_.loops[0].muted);
    s.Stop();
    for (const LoopRecorder::Loop& l : sound_.loops) EXPECT_TRUE(l.stopped);
}

TEST_F(MachineSoundTest, TheEngineValueRunsFromRevMinToRevLimit) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.rpm = 1000;
    s.Update();
    EXPECT_EQ(s.GetEngineValue(), 0.0f);
    m.core.rpm = 7000;
    s.Update();
    EXPECT_FLOAT_EQ(s.GetEngineValue(), 0.5f);
    EXPECT_FLOAT_EQ(sound_.loops[3].value, 0.5f);
    m.core.rpm = 14000;
    s.Update();
    EXPECT_EQ(s.GetEngineValue(), 1.0f);
    // A machine without a rev range idles instead of dividing by zero.
    m.core.params.revLimit = m.core.params.revMin;
    s.Update();
    EXPECT_EQ(s.GetEngineValue(), 0.0f);
}

TEST_F(MachineSoundTest, BrakingBuildsSlowlyAndFadesFastScaledBelow100) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.kmh = 200;
    m.core.control.brake = 0.5f;
    for (int i = 0; i < 100; ++i) s.Update();
    EXPECT_NEAR(s.GetBrakeValue(), 0.5f, 1e-4f);
    m.core.kmh = 50;
    s.Update();
    EXPECT_NEAR(s.GetBrakeValue(), 0.505f * 0.5f, 1e-4f);
    m.core.control.brake = 0.0f;
    s.Update();
    EXPECT_NEAR(s.GetBrakeValue(), 0.405f * 0.5f, 1e-4f);
    for (int i = 0; i < 5; ++i) s.Update();
    EXPECT_EQ(s.GetBrakeValue(), 0.0f);
    // The brake loops are audible: their volume curves are not all zero.
    for (const LoopSoundRecord& r : LoopSoundParams) {
        float loudest = 0.0f;
        for (int i = 4; i < 8; ++i) loudest = std::max(loudest, r.volume[i]);
        EXPECT_GT(loudest, 0.1f);
    }
}

TEST_F(MachineSoundTest, SkidFollowsTheDriftAngleWrappedAcrossPlusMinusPi) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.kmh = 150;
    m.core.rotation.y = D3DX_PI - 0.002f;
    m.core.heading = -D3DX_PI + 0.002f;  // straight, seen across pi
    for (int i = 0; i < 40; ++i) s.Update();
    EXPECT_EQ(s.GetSkidValue(), 0.0f);
    m.core.heading = m.core.rotation.y - 0.2f;  // target 0.4
    for (int i = 0; i < 40; ++i) s.Update();
    EXPECT_NEAR(s.GetSkidValue(), 0.4f, 0.03f);
    // The skid record follows piece-one's layout: silent at 0, full at 1, pitch rising 0.85 to 1.2.
    EXPECT_EQ(tmMachineSound::kSkidLoop.soundId, content::SND_SKID_01);
    EXPECT_EQ(tmMachineSound::kSkidLoop.volume[4], 0.0f);
    EXPECT_EQ(tmMachineSound::kSkidLoop.volume[7], 1.0f);
    EXPECT_FLOAT_EQ(tmMachineSound::kSkidLoop.frequency[4], 0.85f);
    static_assert(sizeof(LoopSoundRecord) == 68, "loop records are 68 bytes");
}

TEST_F(MachineSoundTest, TheCrowdStaysSilentForTheFirstFifteenSeconds) {
    race_->setup.course = 3;
    const CourseRecord* course = GetCourseRecord(3);
    ASSERT_NE(course, nullptr);
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.section = std::min(course->soundSectionFrom, course->soundSectionTo);  // in the stretch
    ASSERT_TRUE(IsOutsideSoundSections(*course, m.core.section));
    RaceFor(m, 60);
    for (int i = 0; i < 60 * 13; ++i) {
        m.core.lapTimer->Tick();
        s.Update();
    }
    EXPECT_LT(tmLapTimer::ToMilliseconds(m.core.lapTimer->GetTotal()), 15000u);
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kCrowd), 0.0f);
    RaceFor(m, 60 * 2);
    for (int i = 0; i < 50; ++i) s.Update();
    EXPECT_NEAR(s.GetAmbientValue(tmMachineSound::kCrowd), 0.5f, 1e-4f);
    // Out of the stretch it falls again.
    m.core.section = (course->soundSectionFrom + course->soundSectionTo) / 2;
    if (!IsOutsideSoundSections(*course, m.core.section)) {
        for (int i = 0; i < 20; ++i) s.Update();
        EXPECT_NEAR(s.GetAmbientValue(tmMachineSound::kCrowd), 0.3f, 1e-4f);
    }
}

TEST_F(MachineSoundTest, WindIsFullAt600InNormalBodyAndAtMostSevenTenthsOtherwise) {
    HandMachine& m = Add(5, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.bodyMode = 0;
    m.core.kmh = 600;
    s.Update();
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kWind), 1.0f);
    m.core.kmh = 500;
    s.Update();
    EXPECT_FLOAT_EQ(s.GetAmbientValue(tmMachineSound::kWind), 0.5f);
    for (uint32_t mode : {1u, 2u, 3u}) {
        m.core.bodyMode = mode;
        m.core.kmh = 900;
        s.Update();
        EXPECT_LE(s.GetAmbientValue(tmMachineSound::kWind), 0.7f + 1e-6f);
        EXPECT_GT(s.GetAmbientValue(tmMachineSound::kWind), 0.69f);
    }
    m.core.kmh = 350;
    s.Update();
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kWind), 0.0f);
}

TEST_F(MachineSoundTest, RumblesFollowTheirSurfaceAbove30) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineSound& s = Sound(m);
    m.core.kmh = 65;
    m.core.floorState = 4;
    s.Update();
    EXPECT_FLOAT_EQ(s.GetAmbientValue(tmMachineSound::kSurface4), 0.5f);
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kSurface3), 0.0f);
    m.core.floorState = 3;
    m.core.kmh = 30;
    s.Update();
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kSurface3), 0.0f);
    m.core.kmh = 150;
    s.Update();
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kSurface3), 1.0f);
    EXPECT_EQ(s.GetAmbientValue(tmMachineSound::kSurface4), 0.0f);
}

}  // namespace
