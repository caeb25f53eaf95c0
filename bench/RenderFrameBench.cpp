// RenderFrameBench.cpp -- time of one whole frame (queue, render, present) on the
// OpenGL device, simple path against the multi-pass path, in the same run.
// Needs a display (run under xvfb-run); prints a note and skips without one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "platform/gfx/Device.h"
#include "sys/base/tmMath.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

struct Slots : tmSlotSource {
    sys::tmModel* model = nullptr;
    sys::tmModel* GetModelSlot(int s) override { return s == 1 ? model : nullptr; }
    sys::tmSprite* GetSpriteSlot(int) override { return nullptr; }
};

// A lit ground square in layout 7 (position, normal, uv).
gfx::Buffer Square(gfx::Device* dev, float half) {
    struct V {
        float p[3], n[3], uv[2];
    } v[6] = {{{-half, 0, -half}, {0, 1, 0}, {0, 0}}, {{half, 0, -half}, {0, 1, 0}, {1, 0}},
              {{-half, 0, half}, {0, 1, 0}, {0, 1}},  {{-half, 0, half}, {0, 1, 0}, {0, 1}},
              {{half, 0, -half}, {0, 1, 0}, {1, 0}},  {{half, 0, half}, {0, 1, 0}, {1, 1}}};
    gfx::Buffer vb = dev->createBuffer(gfx::BufferKind::Vertex, sizeof v, false);
    std::memcpy(dev->lockBuffer(vb, 0, 0), v, sizeof v);
    dev->unlockBuffer(vb);
    return vb;
}

void Frame(benchmark::State& state, bool multiPass) {
    char cwd[PATH_MAX];
    const std::string back = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (chdir(ZARVO_RUN_DIR) != 0) {  // the shader bank lives in data/ of the run folder
        state.SkipWithError("no run folder");
        return;
    }
    gfx::GlOptions options;
    options.hidden = true;
    options.multiPassInSoftware = true;
    std::string error;
    std::unique_ptr<gfx::Device> dev = gfx::CreateGlDevice(options, &error);
    if (!dev) {
        state.SkipWithError(("no OpenGL context: " + error).c_str());
        (void)chdir(back.c_str());
        return;
    }
    tmRenderSetting s;
    s.width = 1366;
    s.height = 768;
    s.gammaReport = 0;
    tmRender* r = tmRender::Create();
    Slots slots;
    r->SetResourceHolder(&slots);
    if (!multiPass) r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
    if (!r->Initialize(dev.get(), s)) {
        state.SkipWithError("renderer set-up failed");
        tmRender::Destroy();
        (void)chdir(back.c_str());
        return;
    }
    sys::tmShape shape;
    gfx::Material white;
    white.diffuse = {1, 1, 1, 1};
    shape.SetupFromBuffers(Square(dev.get(), 5), 2, 6, nullptr, white, gfx::Primitive::TriangleList, 7, 0);
    shape.featureFlags = 0x20;
    shape.customF = 0.5f;
    sys::tmModel model;
    model.AddShape(&shape);
    slots.model = &model;

    D3DXMATRIX view, projection, world;
    const D3DXVECTOR3 eye(0, 60, -120), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, D3DX_PI / 4, 1366.0f / 768.0f, 10.0f, 10000.0f);
    const int models = static_cast<int>(state.range(0));
    for (auto _ : state) {
        r->SetViewMatrix(view);
        r->SetProjectionMatrix(projection);
        for (int i = 0; i < models; ++i) {
            D3DXMatrixTranslation(&world, float(i % 20) * 12.0f - 114.0f, 0.0f, float(i / 20) * 12.0f - 60.0f);
            r->SetWorldMatrix(world);
            r->DrawModel(1, 0, 0);
        }
        r->Render();
        dev->endScene();
        dev->present();
        dev->beginScene();
    }
    state.SetLabel(multiPass ? "multi-pass" : "simple");
    slots.model = nullptr;
    tmRender::Destroy();
    (void)chdir(back.c_str());
}

void BM_FrameSimple(benchmark::State& state) { Frame(state, false); }
void BM_FrameMultiPass(benchmark::State& state) { Frame(state, true); }

}  // namespace

BENCHMARK(BM_FrameSimple)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_FrameMultiPass)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_MAIN();
