// tmSeqCourseViewerTest.cpp -- the course viewer: table rows to models, windows and fades, the yard's turn, the
// background colours, the references it gives back, and the generated yard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/tmCameraCtrl.h"
#include "format/BinaryMesh.h"
#include "format/ExtDbText.h"
#include "menu/MenuRig.h"
#include "platform/fs/FileSystem.h"
#include "platform/gfx/NullDevice.h"
#include "sys/data/BankFixture.h"
#include "sys/data/tmExtDataBase.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmResourceHolder.h"
#include "test/tmSeqCourseViewer.h"
#include "utility/tmMouseCtrlMatrix.h"

namespace {

// Keeps the models queued by pointer and the clear colours asked for.
class ViewerDraw : public DrawLog {
public:
    struct Queued {
        const sys::tmModel* model;
        D3DXMATRIX world;
        float alpha;
    };
    std::vector<Queued> queued;
    std::vector<uint32_t> clears;
    const void* cube = reinterpret_cast<const void*>(1);  // never bound
    const void* ramp = reinterpret_cast<const void*>(1);

    int DrawModelPtr(sys::tmModel* model, uint32_t, int, float alpha) override {
        queued.push_back({model, world, alpha});
        return 0;
    }
    void SetClearColor(uint32_t argb) override { clears.push_back(argb); }
    void ResetClearColor() override { clears.push_back(0xFF000000u); }
    void SetSampler9CubeTexture(sys::tmCubeTexture* c) override { cube = c; }
    void SetSampler6Texture(sys::tmTexture* t) override { ramp = t; }
};

// One model row of a table under test.
struct Row {
    std::string file;
    float pos[3], rot[3];
    int begin, end;
    float alphaBegin, alphaEnd;
};

std::string TableText(const std::vector<Row>& rows) {
    zfmt::ExtDbWriter t;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        char name[16], pos[16];
        std::snprintf(name, sizeof name, "Model%02d", static_cast<int>(i));
        std::snprintf(pos, sizeof pos, "Model%02dPos", static_cast<int>(i));
        t.String(name, "PX", "Pos", r.file);
        const char* const p[3] = {"PX", "PY", "PZ"};
        const char* const q[3] = {"RX", "RY", "RZ"};
        for (int k = 0; k < 3; ++k) {
            t.Float(pos, p[k], "Pos", r.pos[k]);
            t.Float(pos, q[k], "Pos", r.rot[k]);
        }
        t.Int(pos, "AnimBegin", "Pos", r.begin);
        t.Int(pos, "AnimEnd", "Pos", r.end);
        t.Float(pos, "AlphaBegin", "Pos", r.alphaBegin);
        t.Float(pos, "AlphaEnd", "Pos", r.alphaEnd);
    }
    return t.Text();
}

// One triangle, enough for the cache to make a model of.
std::vector<uint8_t> Triangle() {
    std::vector<zfmt::BinaryMeshVertex> v(3);
    v[1].position[0] = 1.0f;
    v[2].position[2] = 1.0f;
    zfmt::MaterialRecord m;
    return zfmt::WriteBinaryMesh(v, {0, 1, 2}, {0}, {}, {m});
}

// The viewer over a table of its own: a bank holding only that table, the
// named model files in the test's folder, a null device and a cache.
class CourseViewerTest : public ::testing::Test {
protected:
    CourseViewerTest() {
        tmSetDevice(&device_);
        tmSetResourceHolder(&cache_);
    }
    void Open(const std::vector<Row>& rows, const std::vector<std::string>& files) {
        bank_ = std::make_unique<TestBank>(
            "rd.dat", std::vector<zfmt::BankMember>{Member(zfmt::ExtDbTableFile("CourseViewer"), TableText(rows))},
            0x5A5A1234u, false);
        sys::tmExtDataBase::SetBank(&bank_->Info());
        const std::vector<uint8_t> mesh = Triangle();
        for (const char* dir : {"data", "data/CourseViewer", "data/CourseViewer/model"})
            ASSERT_TRUE(platform::MakeDirectory(dir));
        for (const std::string& f : files)
            ASSERT_TRUE(platform::WriteFileAtomic("data/CourseViewer/model/" + f, mesh.data(), mesh.size()));
        rig_.Start(screen_);
    }
    void TearDown() override {
        rig_.Finish();
        sys::tmExtDataBase::SetBank(nullptr);
        tmSetResourceHolder(nullptr);
        tmSetDevice(nullptr);
    }
    // The models queued by one draw, in row order.
    std::vector<ViewerDraw::Queued> Frame() {
        draw_.queued.clear();
        screen_.Draw();
        return draw_.queued;
    }
    const sys::tmModel* Handle(int row) const { return screen_.GetModel(row).handle; }

    MenuRig rig_{false};
    ViewerDraw draw_;
    gfx::NullDevice device_;
    tmResourceHolder cache_;
    std::unique_ptr<TestBank> bank_;
    tmSeqCourseViewer screen_;
};

bool Near(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    for (int i = 0; i < 16; ++i)
        if (std::fabs(a.m[i / 4][i % 4] - b.m[i / 4][i % 4]) > 1e-4f) return false;
    return true;
}

}  // namespace

TEST_F(CourseViewerTest, EmptyTableShowsOnlyTheBackgroundAndTheFrameStaysZero) {
    Open({}, {});
    EXPECT_EQ(screen_.GetAnimationLength(), 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rig_.Step(), 0);
        EXPECT_EQ(screen_.GetAnimationFrame(), 0);
        EXPECT_TRUE(draw_.queued.empty());
    }
    EXPECT_EQ(screen_.GetFrameCount(), 5);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kModel), 0);
    // The background cycles black, red, green, blue and back.
    ASSERT_FALSE(draw_.clears.empty());
    EXPECT_EQ(draw_.clears.front(), 0xFF000000u);
    for (uint32_t want : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF000000u}) {
        rig_.Tap(tmKey::kB);
        EXPECT_EQ(draw_.clears.back(), want);
    }
}

TEST_F(CourseViewerTest, WindowsFadesAndTheLoop) {
    Open({{"always.ybm", {1, 2, 3}, {0, 0, 0}, -1, -1, 0.5f, 0.9f},
          {"fading.ybm", {0, 0, 0}, {0, 0, 0}, 2, 6, 0.0f, 1.0f},
          {"", {0, 0, 0}, {0, 0, 0}, -1, -1, 1.0f, 1.0f},  // an empty cell: no model
          {"missing.ybm", {0, 0, 0}, {0, 0, 0}, 0, 3, 1.0f, 1.0f},
          {"one.ybm", {0, 0, 0}, {0, 0, 0}, 4, 4, 0.3f, 0.8f},
          {"half.ybm", {0, 0, 0}, {0, 0, 0}, 3, -1, 0.7f, 0.1f}},
         {"always.ybm", "fading.ybm", "one.ybm", "half.ybm"});
    EXPECT_EQ(screen_.GetModel(0).name, "CourseViewer\\model\\always.ybm");
    EXPECT_TRUE(screen_.GetModel(2).name.empty());
    EXPECT_EQ(Handle(3), nullptr);  // its file is missing: never drawn
    ASSERT_NE(Handle(0), nullptr);
    ASSERT_NE(Handle(1), nullptr);
    // The longest window ends at 6: seven frames, then back to 0.
    EXPECT_EQ(screen_.GetAnimationLength(), 7);
    std::vector<int> frames;
    for (int f = 0; f < 9; ++f) {
        const int frame = screen_.GetAnimationFrame();
        frames.push_back(frame);
        const std::vector<ViewerDraw::Queued> q = Frame();
        std::vector<float> fading, one;
        int always = 0, half = 0;
        for (const ViewerDraw::Queued& m : q) {
            if (m.model == Handle(0)) {
                ++always;
                EXPECT_FLOAT_EQ(m.alpha, 0.5f);
            }
            if (m.model == Handle(5)) {
                ++half;
                EXPECT_FLOAT_EQ(m.alpha, 0.7f);  // one end missing: no window
            }
            if (m.model == Handle(1)) fading.push_back(m.alpha);
            if (m.model == Handle(4)) one.push_back(m.alpha);
        }
        EXPECT_EQ(always, 1) << frame;
        EXPECT_EQ(half, 1) << frame;
        if (frame >= 2 && frame <= 6) {
            ASSERT_EQ(fading.size(), 1u) << frame;
            EXPECT_NEAR(fading[0], (frame - 2) / 4.0f, 1e-5f) << frame;
        } else {
            EXPECT_TRUE(fading.empty()) << frame;
        }
        EXPECT_EQ(one.size(), frame == 4 ? 1u : 0u) << frame;
        if (!one.empty()) {
            EXPECT_FLOAT_EQ(one[0], 0.3f);
        }
        rig_.Step();
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 0, 1}));
}

TEST_F(CourseViewerTest, TheMouseTurnsTheYardExceptUnderTheFreeLook) {
    Open({{"m.ybm", {4, 0, -2}, {0, 90, 0}, -1, -1, 1.0f, 1.0f}}, {"m.ybm"});
    D3DXMATRIX turn, place, plain;
    D3DXMatrixRotationY(&turn, 3.14159265f / 2);
    D3DXMatrixTranslation(&place, 4, 0, -2);
    plain = turn * place;
    ASSERT_EQ(Frame().size(), 1u);
    EXPECT_TRUE(Near(Frame()[0].world, plain));
    // A drag turns the yard in the ground-drive camera.
    rig_.input.mouse.buttons[0] = 0x80;
    rig_.input.mouse.dx = 60;
    rig_.input.mouse.dy = 25;
    rig_.Step();
    rig_.input.mouse.buttons[0] = 0;
    const D3DXMATRIX yard = screen_.GetMouseMatrix()->GetMatrix();
    EXPECT_FALSE(Near(yard, D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1)));
    EXPECT_TRUE(Near(Frame()[0].world, plain * yard));
    // The free look (camera index 1, mode 5) draws without the turn and does not move it.
    rig_.Tap(tmKey::kP);
    ASSERT_EQ(screen_.GetCameraIndex(), 1);
    EXPECT_EQ(screen_.GetCamera()->GetMode(), 5);
    EXPECT_TRUE(Near(Frame()[0].world, plain));
    rig_.input.mouse.buttons[0] = 0x80;
    rig_.input.mouse.dx = 40;
    rig_.Step();
    rig_.input.mouse.buttons[0] = 0;
    rig_.Tap(tmKey::kA);  // no reset either
    EXPECT_TRUE(Near(screen_.GetMouseMatrix()->GetMatrix(), yard));
    // The fixed camera (mode 4) shows the turn again, and A puts it back.
    rig_.Tap(tmKey::kP);
    EXPECT_EQ(screen_.GetCamera()->GetMode(), 4);
    EXPECT_TRUE(Near(Frame()[0].world, plain * yard));
    rig_.Tap(tmKey::kA);
    EXPECT_TRUE(Near(Frame()[0].world, plain));
    rig_.Tap(tmKey::kP);
    EXPECT_EQ(screen_.GetCamera()->GetMode(), 6);
}

TEST_F(CourseViewerTest, LeavingReturnsToTheDebugMenuAndGivesEverythingBack) {
    Open({{"a.ybm", {0, 0, 0}, {0, 0, 0}, -1, -1, 1, 1}, {"a.ybm", {5, 0, 0}, {0, 0, 0}, -1, -1, 1, 1}}, {"a.ybm"});
    EXPECT_EQ(screen_.GetCamera()->GetMode(), 6);
    EXPECT_NEAR(screen_.GetCamera()->GetFov(), 0.7853982f, 1e-6f);
    EXPECT_EQ(Frame().size(), 2u);  // one file, two placements
    const sys::tmResource* model = cache_.Find(sys::tmResource::kModel, "CourseViewer\\model\\a.ybm");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetRefCount(), 2);
    for (int key : {tmKey::kReturn, tmKey::kNumpadEnter, tmKey::kEscape}) {
        rig_.input.SetKey(key, true);
        EXPECT_EQ(rig_.Step(), kSeqDebugMenu) << key;
        rig_.input.SetKey(key, false);
        rig_.Step();
    }
    rig_.Tap(tmKey::kB);
    rig_.Finish();
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kModel), 0);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kMesh), 0);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kTexture), 0);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kCubeTexture), 0);
    EXPECT_EQ(draw_.clears.back(), 0xFF000000u);  // the clear colour back to black
    EXPECT_EQ(screen_.GetCamera(), nullptr);
}

// The generated yard: every placement's model and both textures load from the run folder's data.
TEST(CourseViewerContent, TheGeneratedYardLoadsWhole) {
    MenuRig rig(true);
    ViewerDraw draw;
    gfx::NullDevice device;
    tmResourceHolder cache;
    tmSetDevice(&device);
    tmSetResourceHolder(&cache);
    tmSeqCourseViewer screen;
    rig.Start(screen);
    int rows = 0;
    for (int i = 0; i < tmSeqCourseViewer::kModels; ++i) {
        const tmSeqCourseViewer::Model& m = screen.GetModel(i);
        if (m.name.empty()) continue;
        ++rows;
        EXPECT_NE(m.handle, nullptr) << m.name;
    }
    EXPECT_GE(rows, 6);
    EXPECT_GT(screen.GetAnimationLength(), 1);
    EXPECT_NE(draw.cube, nullptr);
    EXPECT_NE(draw.cube, reinterpret_cast<const void*>(1));
    EXPECT_NE(draw.ramp, nullptr);
    EXPECT_NE(draw.ramp, reinterpret_cast<const void*>(1));
    // Across the loop some models fade and some come and go.
    size_t fewest = 100, most = 0;
    bool faded = false;
    for (int f = 0; f < screen.GetAnimationLength(); ++f) {
        draw.queued.clear();
        screen.Draw();
        fewest = std::min(fewest, draw.queued.size());
        most = std::max(most, draw.queued.size());
        for (const ViewerDraw::Queued& q : draw.queued) faded |= q.alpha > 0.05f && q.alpha < 0.95f;
        rig.Step();
    }
    EXPECT_LT(fewest, most);
    EXPECT_TRUE(faded);
    rig.Finish();
    EXPECT_EQ(cache.GetCount(sys::tmResource::kModel), 0);
    tmSetResourceHolder(nullptr);
    tmSetDevice(nullptr);
}
