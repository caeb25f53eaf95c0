// RenderQueueBench.cpp -- one frame of the render queue: 2000 models and 1000 sprites queued, flushed, walked, cleared.
#include <benchmark/benchmark.h>

#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace {
struct Scene : tmSlotSource {
    gfx::NullDevice dev;
    sys::tmTexture textures[8];
    sys::tmSpriteRecord record{"S", 0, 0, 0.25f, 0.25f};
    sys::tmSprite sprites[8];
    sys::tmShape shapes[64];
    sys::tmModel models[16];
    Scene() {
        dev.logCalls = false;
        tmSetDevice(&dev);
        for (int i = 0; i < 8; ++i) {
            textures[i].Setup(dev.createTexture({256, 256, 1, gfx::Format::A8R8G8B8, gfx::Usage::Static, false}),
                              nullptr, nullptr, 1 + i % 2);
            sprites[i].Set(&textures[i], &record);
        }
        for (int i = 0; i < 64; ++i) {
            shapes[i].shaderKind = uint32_t(i % 6);
            shapes[i].featureFlags = uint32_t(i * 37) & 0x7FF;
            shapes[i].alphaMode = uint32_t(i % 3);
            shapes[i].centre[2] = float(i);
            models[i / 4].AddShape(&shapes[i]);
        }
    }
    ~Scene() override { tmSetDevice(nullptr); }
    sys::tmModel* GetModelSlot(int s) override { return &models[s % 16]; }
    sys::tmSprite* GetSpriteSlot(int s) override { return &sprites[s % 8]; }
};
}  // namespace

// 2000 model calls of 4 shapes each over-fill the 8192 items, as a crowded
// frame would; the drop path is part of what is measured.
static void BM_QueueFrame(benchmark::State& state) {
    Scene scene;
    tmRenderQueue q;
    q.Initialize(&scene, 8192, 4096, 1024, 256);
    D3DXMATRIX world;
    for (auto _ : state) {
        for (int i = 0; i < 2000; ++i) {
            D3DXMatrixTranslation(&world, float(i % 50), 0, float(-i));
            q.SetWorld(world);
            q.AddModelBySlot(i, 0, i % 2 ? 0 : 1, 1.0f, -1);
        }
        for (int i = 0; i < 1000; ++i)
            q.AddSpriteBySlot(i / 100, float(i % 40) * 20, float(i / 40) * 20, 1, 1, 0xFFFFFFFF, i % 8,
                              i % 7 ? 0.0f : 0.5f, 8, 8, -1, -1, -1, -1);
        q.Flush(&scene.dev);
        int walked = 0;
        for (int l = 0; l < tmRenderQueue::kLayerCount; ++l) walked += q.GetLayerCount(l);
        benchmark::DoNotOptimize(walked);
        q.Clear();
    }
}
BENCHMARK(BM_QueueFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
