// MachineModelTest.cpp -- body poses through boosts, lamps and glow, part kinds, detail by distance, ghost and mirror.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "machine/LookFixture.h"
#include "machine/tmMachineModel.h"
#include "sys/render/tmRenderLayer.h"
#include "sys/resource/tmResourceHolder.h"

namespace {

class MachineModelTest : public LookTest {
protected:
    tmMachineModel& Model(HandMachine& m) {
        models_.push_back(std::make_unique<tmMachineModel>());
        models_.back()->Init(m.core, m.move);
        return *models_.back();
    }
    // The body slot shown after each of `frames` updates.
    static std::vector<uint32_t> Run(HandMachine& m, tmMachineModel& model, int frames) {
        std::vector<uint32_t> slots;
        for (int i = 0; i < frames; ++i) {
            model.Update();
            ++m.core.framesInBodyMode;
            slots.push_back(model.GetCurrentPose()->modelId);
        }
        return slots;
    }
    static std::vector<uint32_t> Repeat(uint32_t slot, int n) { return std::vector<uint32_t>(size_t(n), slot); }
    static std::vector<uint32_t> Join(std::vector<uint32_t> a, const std::vector<uint32_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    int Drawn(int slot) const {
        int n = 0;
        for (const DrawLog::Model& d : draw_.models) n += d.slot == slot;
        return n;
    }
    std::vector<std::unique_ptr<tmMachineModel>> models_;
};

TEST_F(MachineModelTest, PoseSlotsOfMachinesOneThreeAndFiveThroughABoost) {
    // Machine 1: drive pose 1, boost to 2 (list 2), second stage to 3 (list 4), back to 1 (list 5).
    HandMachine& torvin = Add(1, 0, 0, true, 0);
    tmMachineModel& m1 = Model(torvin);
    EXPECT_EQ(Run(torvin, m1, 13), Repeat(821, 13));
    torvin.SetMode(2);
    EXPECT_EQ(Run(torvin, m1, 14), Join({821, 825, 829}, Repeat(811, 11)));
    torvin.SetMode(3);
    EXPECT_EQ(Run(torvin, m1, 13), Join({811, 812, 813, 814, 815, 816, 817, 818, 819, 820, 842, 842}, Repeat(842, 1)));
    torvin.SetMode(1);
    EXPECT_EQ(Run(torvin, m1, 13), Join({842, 820, 818, 816, 814, 812, 829, 825, 821, 821, 821, 821}, {821}));

    // Machine 3: drive pose 1, boost through list 2 (its body changes on the last frame), back through list 3.
    HandMachine& quessa = Add(3, 40, 0, false, 1);
    tmMachineModel& m3 = Model(quessa);
    Run(quessa, m3, 13);
    quessa.SetMode(2);
    EXPECT_EQ(Run(quessa, m3, 13), Join(Repeat(955, 11), {965, 965}));
    quessa.SetMode(1);
    EXPECT_EQ(Run(quessa, m3, 13), Join(Repeat(965, 11), {955, 955}));

    // Machine 5: drive pose 0, boost 0 -> 2 through list 0 and back through list 1.
    HandMachine& dravik = Add(5, 80, 0, false, 2);
    tmMachineModel& m5 = Model(dravik);
    EXPECT_EQ(Run(dravik, m5, 13), Repeat(1025, 13));
    dravik.SetMode(2);
    EXPECT_EQ(Run(dravik, m5, 13),
              Join({1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1024, 1024, 1024}, {1024}));
    dravik.SetMode(0);
    EXPECT_EQ(Run(dravik, m5, 13),
              Join({1024, 1033, 1032, 1031, 1030, 1029, 1028, 1027, 1026, 1025, 1025, 1025}, {1025}));
}

TEST_F(MachineModelTest, APairWithoutATableKeepsTheBodyAndCountsOneFramePerUpdate) {
    // Machine 5 has lists only for 0 <-> 2: a change 0 -> 1 keeps pose 0's body for 12 frames.
    HandMachine& dravik = Add(5, 0, 0, true, 0);
    tmMachineModel& model = Model(dravik);
    Run(dravik, model, 13);
    dravik.SetMode(1);
    for (int frame = 1; frame <= 12; ++frame) {
        model.Update();
        EXPECT_EQ(model.GetTransitionCounter(), frame);
        EXPECT_EQ(model.GetCurrentPose()->modelId, 1025u) << frame;
    }
    model.Update();
    EXPECT_EQ(model.GetCurrentPose(), &dravik.core.spec->nodes[1]);
}

TEST_F(MachineModelTest, TheGlowNeedsMoreThanTwentyFramesOfHardBrakingAbove100) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    m.core.control.brake = 0.6f;
    m.core.kmh = 100.0f;  // not above 100: nothing builds up
    for (int i = 0; i < 30; ++i) model.Update();
    EXPECT_EQ(model.GetGlowCounter(), 0);
    m.core.kmh = 150.0f;
    for (int i = 1; i <= 20; ++i) {
        model.Update();
        EXPECT_FALSE(model.IsGlowOn()) << i;
    }
    model.Update();
    EXPECT_TRUE(model.IsGlowOn());
    // The hot brakes draw their glowing model; the cool ones do not.
    model.Draw(false);
    EXPECT_GT(Drawn(850), 0);
    EXPECT_EQ(Drawn(849), 0);
    // Once hot the counter keeps rising down to 1 km/h, up to 40, then cools one a frame.
    m.core.kmh = 50.0f;
    for (int i = 0; i < 30; ++i) model.Update();
    EXPECT_EQ(model.GetGlowCounter(), tmMachineModel::kGlowMax);
    m.core.control.brake = 0.0f;
    for (int i = 0; i < 19; ++i) model.Update();
    EXPECT_TRUE(model.IsGlowOn());
    model.Update();
    EXPECT_FALSE(model.IsGlowOn());
}

TEST_F(MachineModelTest, BrakeLampsLightAndBlinkWithTheGameFlag) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    tmConfig::GetInstance().SetGameFlag1(0);
    m.core.control.brake = 0.25f;
    model.Update();
    EXPECT_TRUE(model.IsBrakeLampOn());
    model.Draw(false);
    EXPECT_GT(Drawn(862), 0);
    EXPECT_EQ(Drawn(861), 0);
    m.core.control.brake = 0.0f;
    model.Update();
    EXPECT_FALSE(model.IsBrakeLampOn());
    // With the flag the lamp counts 1, 2, 0 and stays lit while it counts.
    tmConfig::GetInstance().SetGameFlag1(1);
    m.core.control.brake = 0.25f;
    model.Update();
    m.core.control.brake = 0.0f;
    EXPECT_EQ(model.GetLampCounter(), 1);
    model.Update();
    EXPECT_TRUE(model.IsBrakeLampOn());
    EXPECT_EQ(model.GetLampCounter(), 2);
    model.Update();
    EXPECT_EQ(model.GetLampCounter(), 0);
    EXPECT_FALSE(model.IsBrakeLampOn());
    tmConfig::GetInstance().SetGameFlag1(0);
}

TEST_F(MachineModelTest, WheelsSpinWithSpeedAndSteerWithTheDrawnAngle) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    m.core.kmh = 100.0f;
    m.core.params.handleDispRate = 1.5f;
    m.core.steeringAngle = 0.2f;
    model.Update();
    EXPECT_FLOAT_EQ(model.GetWheelAngle(), 0.9f);
    EXPECT_FLOAT_EQ(model.GetDrawnSteering(), 0.3f);
    for (int i = 0; i < 7; ++i) model.Update();
    EXPECT_NEAR(model.GetWheelAngle(), 7.2f - 6.2831855f, 1e-4f);
    // A front wheel (kind 4) turns with the steering: its axle is no longer along X.
    draw_.Clear();
    model.Draw(false);
    bool found = false;
    for (const DrawLog::Model& d : draw_.models)
        if (d.slot == 843 && d.layer == tmRenderLayer::kScene) {
            found = true;
            EXPECT_GT(std::fabs(d.world._13), 0.1f);
        }
    EXPECT_TRUE(found);
}

TEST_F(MachineModelTest, PartsShowWithTheirBodiesAndModes) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    model.Update();
    model.Draw(false);
    // Drive pose 1 is not the normal body: the nose wheel (kind 8) hides, the side fans (kind 9) show.
    EXPECT_EQ(Drawn(872), 0);
    EXPECT_GT(Drawn(873), 0);
    EXPECT_EQ(Drawn(865), 0);  // flames only in boost
    m.SetMode(2);
    for (int i = 0; i < 11; ++i) {
        model.Update();
        ++m.core.framesInBodyMode;
    }
    draw_.Clear();
    model.Draw(false);
    EXPECT_EQ(Drawn(865), 0);  // 11 frames into the boost body
    model.Update();
    ++m.core.framesInBodyMode;
    draw_.Clear();
    model.Draw(false);
    EXPECT_GT(Drawn(865), 0);
    EXPECT_GT(Drawn(875), 0);

    // Machine 2 hides its kind 14..17 parts in the bodies of its wheel table 0 (its drive pose 888).
    HandMachine& belmar = Add(2, 50, 0, false, 1);
    tmMachineModel& b = Model(belmar);
    b.Update();
    draw_.Clear();
    b.Draw(false);
    EXPECT_EQ(Drawn(919), 0);
    EXPECT_EQ(Drawn(922), 0);

    // Machine 5's front halo shows with its normal body, its rear one with the boost body.
    HandMachine& dravik = Add(5, 100, 0, false, 2);
    tmMachineModel& d = Model(dravik);
    d.Update();
    draw_.Clear();
    d.Draw(false);
    EXPECT_GT(Drawn(1042), 0);
    EXPECT_EQ(Drawn(1043), 0);
}

TEST_F(MachineModelTest, WheelTablesPlaceTheWheelsOfMachineThree) {
    HandMachine& m = Add(3, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    model.Update();
    model.Draw(false);
    // Body 955 (drive pose 1) puts the front-left wheel (kind 10, table 0) at (-5.75, 2.1, -16.45).
    for (const DrawLog::Model& d : draw_.models)
        if (d.slot == 968 && d.layer == tmRenderLayer::kScene) {
            D3DXVECTOR3 at;
            const D3DXVECTOR3 origin(0, 0, 0);
            D3DXVec3TransformCoord(&at, &origin, &d.world);
            // The world matrix turns the model by pi: x and z change sign.
            EXPECT_NEAR(at.x, 5.75f, 1e-3f);
            EXPECT_NEAR(at.y, 2.1f, 1e-3f);
            EXPECT_NEAR(at.z, 16.45f, 1e-3f);
            return;
        }
    ADD_FAILURE() << "wheel not drawn";
}

TEST_F(MachineModelTest, FarMachinesDrawTheirFarModelAndBeyondTheFarDistanceNothing) {
    tmConfig& config = tmConfig::GetInstance();
    config.SetDistanceLevel(0);  // near 1000, mid 2000, far 2500
    HandMachine& player = Add(1, 0, 0, true, 0);
    Model(player);
    HandMachine& other = Add(2, config.GetDistanceNear() + 10.0f, 0, false, 1);
    tmMachineModel& model = Model(other);
    model.Update();
    model.Draw(true);
    ASSERT_FALSE(draw_.models.empty());
    for (const DrawLog::Model& d : draw_.models) EXPECT_EQ(d.slot, 912);  // the far model alone
    // Every pass: scene, the mirrored view and the far shadow.
    EXPECT_EQ(draw_.models.size(), 3u);
    EXPECT_EQ(draw_.models[1].layer, tmRenderLayer::kMirrorView);
    EXPECT_EQ(draw_.models[2].layer, tmRenderLayer::kFarShadow);
    EXPECT_EQ(draw_.models[2].arg, tmShaderType::kRecordZ);
    // Replays use the mid distance for detail.
    race_->setup.mode = kRaceModeReplay;
    draw_.Clear();
    model.Draw(false);
    EXPECT_GT(draw_.models.size(), 3u);
    race_->setup.mode = kRaceModeSingle;
    other.Place(config.GetDistanceFar() + 1.0f, 0);
    draw_.Clear();
    model.Draw(false);
    EXPECT_TRUE(draw_.models.empty());
    // The player's own machine is always whole, wherever it is.
    player.Place(config.GetDistanceFar() * 2, 0);
    draw_.Clear();
    models_[0]->Update();
    models_[0]->Draw(false);
    EXPECT_GT(draw_.models.size(), 20u);
    EXPECT_EQ(draw_.models[0].flag, tmModelFlag::kPlayer);
}

TEST_F(MachineModelTest, AGhostFlickersAndOtherReplayedMachinesDoNot) {
    race_->setup.mode = kRaceModeGhost;
    Add(1, 0, 0, true, 0);
    HandMachine& ghost = Add(2, 20, 0, false, 1);
    ghost.core.controllerType = kControllerReplay;
    HandMachine& rival = Add(3, 40, 0, false, 2);
    tmMachineModel& g = Model(ghost);
    tmMachineModel& r = Model(rival);
    std::vector<bool> ghostShown, rivalShown;
    for (int i = 0; i < 4; ++i) {
        draw_.Clear();
        g.Draw(false);
        ghostShown.push_back(!draw_.models.empty());
        draw_.Clear();
        r.Draw(false);
        rivalShown.push_back(!draw_.models.empty());
    }
    EXPECT_EQ(ghostShown, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(rivalShown, (std::vector<bool>{true, true, true, true}));
}

TEST_F(MachineModelTest, TheViewerReflectionIsMirroredOnItsLayerUnderAReflectedLight) {
    HandMachine& m = Add(1, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    model.Update();
    draw_.light = D3DXVECTOR4(0.3f, -0.8f, 0.2f, 0.0f);
    model.DrawViewer();
    ASSERT_FALSE(draw_.models.empty());
    for (const DrawLog::Model& d : draw_.models) {
        EXPECT_EQ(d.layer, tmRenderLayer::kReversedCull);
        EXPECT_LT(d.world._22, 0.0f);  // y flipped
    }
    ASSERT_EQ(draw_.lightsSet.size(), 2u);
    EXPECT_GT(draw_.lightsSet[0].y, 0.0f);
    EXPECT_NEAR(D3DXVec4Length(&draw_.lightsSet[0]), 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(draw_.lightsSet[1].y, -0.8f);
}

TEST_F(MachineModelTest, AMachineWhoseModelsDidNotLoadDrawsNothing) {
    // The group counts as loaded, but its models never reached the cache (its bank was missing).
    yiResourceGroup::Get(GetMachineSpec(4)->bankGroup)->Load();
    tmResourceHolder cache;
    tmSetResourceHolder(&cache);
    HandMachine& m = Add(4, 0, 0, true, 0);
    tmMachineModel& model = Model(m);
    EXPECT_FALSE(model.IsDrawable());
    model.Update();
    model.Draw(true);
    model.DrawViewer();
    EXPECT_TRUE(draw_.models.empty());
    models_.clear();
    tmSetResourceHolder(nullptr);
}

}  // namespace
