// MachineFrameTest.cpp -- a whole race frame of sixteen boosting machines queued headless within the queue's
// capacities.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "machine/LookFixture.h"
#include "machine/tmMachineEffect.h"
#include "machine/tmMachineModel.h"
#include "platform/gfx/NullDevice.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmRenderQueue.h"
#include "tests/harness/WorkFolder.h"

namespace {

TEST(MachineFrame, SixteenBoostingMachinesQueueModelsParticlesAndTrailsWithoutDrops) {
    harness::WorkFolder folder(true);  // the run folder's banks
    ASSERT_TRUE(folder.Ok());
    gfx::NullDevice device;
    tmRenderSetting settings;
    settings.sceneTargetWidth = 64;
    settings.sceneTargetHeight = 64;
    settings.shadowMapSize = 32;
    tmRender* render = tmRender::Create();
    ASSERT_TRUE(render->Initialize(&device, settings));
    yiResourceGroup::ResetState();
    LoopRecorder sound;
    tmSimSound::Set(&sound);
    tmRaceState& race = tmRaceState::Get();
    race.setup = tmRaceSetup{};
    race.setup.count = 16;
    tmConfig::GetInstance().SetVideoFlag(1);
    tmConfig::GetInstance().SetDistanceLevel(0);
    ty_sEffectManager& effects = ty_sEffectManager::Instance();
    effects.Init();
    tyBoostTailManager& trails = tyBoostTailManager::Instance();
    ASSERT_TRUE(trails.Create(true, 2));

    // Sixteen machines on a grid, the player first, every one in its boost on rough ground.
    struct Entrant {
        std::unique_ptr<HandMachine> machine;
        tmMachineModel model;
        tmMachineEffect effect;
    };
    std::vector<std::unique_ptr<Entrant>> field;
    for (int i = 0; i < 16; ++i) {
        field.push_back(std::make_unique<Entrant>());
        Entrant& e = *field.back();
        e.machine = std::make_unique<HandMachine>(1 + i % 11, static_cast<float>(i % 4) * 30.0f,
                                                  static_cast<float>(i / 4) * 60.0f, i == 0);
        tmMachineCore& core = e.machine->core;
        race.cores[i] = &core;
        core.params.bstTimeUse = 240;
        core.params.bstTimeCharge = 90;
        core.boostFramesLeft = 200;
        core.bodyMode = core.previousBodyMode = 2;
        core.framesInBodyMode = 20;
        core.floorState = 4;
        core.kmh = 320;
        e.model.Init(core, e.machine->move);
        e.effect.Init(core, e.machine->move);
    }
    ASSERT_TRUE(field[0]->model.IsDrawable());

    D3DXMATRIX view, projection;
    const D3DXVECTOR3 eye(-40, 60, -120), at(45, 0, 90), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, 1.0f, 16.0f / 9.0f, 5.0f, 4000.0f);
    render->SetViewMatrix(view);
    render->SetProjectionMatrix(projection);
    render->SetSecondViewProjection(view, projection);
    effects.SetViewMatrix(view);

    // A few race steps (the particles and trails build up), then one frame.
    for (int step = 0; step < 30; ++step) {
        effects.DrawBatches();
        trails.ClearAll();
        for (auto& e : field) {
            e->machine->core.boostFramesLeft -= 1;
            e->model.Update();
            e->effect.Update();
        }
        effects.Update();
        trails.Update();
    }
    EXPECT_GT(effects.GetCount(), 500);
    for (auto& e : field) {
        e->model.Draw(false);
        e->effect.Draw(false);
    }
    trails.Draw();
    effects.Draw();

    tmRenderQueue* queue = render->GetQueue();
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->GetDropped(), 0);
    int items = 0;
    for (int layer = 0; layer < tmRenderLayer::kCount; ++layer) items += queue->GetLayerCount(layer);
    EXPECT_GT(items, 16 * 20);  // bodies, parts and shadow passes of every machine
    render->Render();

    for (auto& e : field) {
        e->effect.Release();
        e->model.Release();
    }
    field.clear();
    for (tmMachineCore*& c : race.cores) c = nullptr;
    trails.Release();
    effects.Release();
    tmSimSound::Set(nullptr);
    tmRender::Destroy();
    yiResourceGroup::ResetState();
}

}  // namespace
