// CourseArtBench.cpp -- time of one whole 1366 x 768 frame of a course's scenery (the static slots from the start
// line), on the path a software rasteriser takes and on the multi-pass path, against an empty frame in the same run.
// Needs a display (run under xvfb-run); prints a note and skips without one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <string>

#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmResource.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmTexture.h"
#include "table/CourseTable.h"
#include "table/yiResourceGroup.h"

#ifndef ZARVO_RUN_DIR
#define ZARVO_RUN_DIR "."
#endif

namespace {

// Course id 0 draws nothing: the cost of the frame itself.
void Frame(benchmark::State& state, bool multiPass) {
    const int courseId = static_cast<int>(state.range(0));
    char cwd[PATH_MAX];
    const std::string back = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (chdir(ZARVO_RUN_DIR) != 0) {  // the banks live in data/ of the run folder
        state.SkipWithError("no run folder");
        return;
    }
    gfx::GlOptions options;
    options.hidden = true;
    options.multiPassInSoftware = multiPass;
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
    s.environmentMap = 0;
    tmRender* r = tmRender::Create();
    if (!r->Initialize(dev.get(), s)) {
        state.SkipWithError("renderer set-up failed");
        tmRender::Destroy();
        (void)chdir(back.c_str());
        return;
    }
    yiResourceGroup::ResetState();
    const CourseRecord* rec = GetCourseRecord(courseId);
    const yiResourceGroup* group = rec ? yiResourceGroup::Get(rec->groupId) : nullptr;
    if (group) {
        group->Load();
        group->LoadTexture(rec->textureFolder, rec->gouraudMap);
        r->SetSampler6Texture(
            static_cast<sys::tmTexture*>(tmGetResourceHolder()->Find(sys::tmResource::kTexture, rec->gouraudMap)));
        r->SetLightDirectionDefault(rec->lightDirection);
    }
    // Behind the front row, a little above the road, looking down it.
    const yiVec3 g0 = rec ? rec->grid[0] : yiVec3{0, 0, 0}, g2 = rec ? rec->grid[2] : yiVec3{0, 0, -1};
    D3DXVECTOR3 dir(g0.x - g2.x, 0, g0.z - g2.z);
    D3DXVec3Normalize(&dir, &dir);
    const D3DXVECTOR3 start(g0.x, g0.y, g0.z), up(0, 1, 0);
    const D3DXVECTOR3 eye = start - dir * 160.0f + up * 60.0f, at = start + dir * 400.0f;
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, D3DX_PI / 3, 1366.0f / 768.0f, 5.0f, 40000.0f);
    for (auto _ : state) {
        r->SetViewMatrix(view);
        r->SetProjectionMatrix(projection);
        for (int i = 0; rec && i < kCourseParts; ++i) {
            const CourseModelSlot& slot = rec->parts[i];
            if (slot.model == 0 || !slot.draw) continue;
            D3DXMATRIX scale, move, world;
            D3DXMatrixScaling(&scale, slot.scale, slot.scale, slot.scale);
            D3DXMatrixTranslation(&move, slot.position.x, slot.position.y, slot.position.z);
            world = scale * move;
            r->SetWorldMatrix(world);
            r->DrawModel(slot.model, static_cast<uint32_t>(slot.shaderType), slot.layer);
        }
        r->Render();
        dev->endScene();
        dev->present();
        dev->beginScene();
    }
    state.SetLabel(multiPass ? "multi-pass" : "simple");
    r->SetSampler6Texture(nullptr);
    tmRender::Destroy();
    yiResourceGroup::ResetState();
    (void)chdir(back.c_str());
}

void BM_CourseSimple(benchmark::State& state) { Frame(state, false); }
void BM_CourseMultiPass(benchmark::State& state) { Frame(state, true); }

}  // namespace

// Course 0 (nothing), 5 (the most scenery) and 6 (the least).
BENCHMARK(BM_CourseSimple)->Arg(0)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CourseMultiPass)->Arg(0)->Arg(5)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_MAIN();
