// tmCourseDisplayTest.cpp -- screenshots of every course layout drawn by the course object from above its start.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include "content_tables.h"
#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kW = 320;
constexpr int kH = 180;

std::string ShotDir() {
    const std::string dir = std::string(ZARVO_RUN_DIR) + "/../shots";
    mkdir(dir.c_str(), 0755);
    return dir;
}

// ARGB words (top row first) to an RGB PNG.
void WritePng(const std::string& path, const std::vector<uint32_t>& argb, int w, int h) {
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < argb.size() && i * 3 + 2 < rgb.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(argb[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(argb[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(argb[i]);
    }
    EXPECT_NE(stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3), 0) << path;
}

// The renderer on a hidden OpenGL window, working in a folder of its own with
// the run folder's data (shader and content banks) linked in.
class CourseDisplayTest : public harness::GlFixture {
protected:
    CourseDisplayTest() : GlFixture({0, 0, false, true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmRenderSetting s = harness::TestRenderSetting(kW, kH);
        r_ = tmRender::Create();
        ASSERT_TRUE(r_->Initialize(dev.get(), s));
        yiResourceGroup::ResetState();
    }
    void TearDown() override {
        tmRender::Destroy();
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }

    // Draws the course from above and behind its first grid slot, looking down the road.
    std::vector<uint32_t> DrawCourse(int courseId) {
        std::vector<uint32_t> shot;
        tmCourse course;
        if (!course.Init(courseId)) return shot;
        const CourseRecord* rec = course.GetRecord();
        const tmCollision* col = course.GetCollision();
        const yiVec3 g = rec->grid[0];
        D3DXVECTOR3 start(g.x, g.y, g.z), ahead = start + D3DXVECTOR3(0, 0, 1);
        const int n = col->GetSectionCount();
        if (n > 0) {
            const tmCollision::Section& s = col->GetSections(0)[(rec->startSection[0] + 6 + n) % n];
            ahead = (s.a + s.b) * 0.5f;
        }
        D3DXVECTOR3 dir = ahead - start;
        dir.y = 0;
        if (D3DXVec3Length(&dir) < 1e-3f) dir = D3DXVECTOR3(0, 0, 1);
        D3DXVec3Normalize(&dir, &dir);
        const D3DXVECTOR3 eye = start - dir * 120.0f + D3DXVECTOR3(0, 60.0f, 0);
        const D3DXVECTOR3 at = start + dir * 200.0f, up(0, 1, 0);
        D3DXMATRIX view, proj;
        D3DXMatrixLookAtRH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 3, float(kW) / kH, 5.0f, 40000.0f);
        r_->SetViewMatrix(view);
        r_->SetProjectionMatrix(proj);
        r_->SetNearFar(5.0f, 40000.0f);
        r_->SetLightDirectionDefault(course.GetLightDirection());
        course.Update();
        course.Draw(0);
        r_->Render();
        uint32_t w = 0, h = 0;
        EXPECT_TRUE(dev->readPixels(dev->backBuffer(), 0, &shot, &w, &h));
        course.Release();
        return shot;
    }

    tmRender* r_ = nullptr;
};

// Screen pixel of a world point under a view and projection.
void Project(const D3DXMATRIX& viewProj, const D3DXVECTOR3& p, int* x, int* y) {
    D3DXVECTOR3 ndc;
    D3DXVec3TransformCoord(&ndc, &p, &viewProj);
    *x = static_cast<int>((ndc.x + 1.0f) * 0.5f * kW);
    *y = static_cast<int>((1.0f - ndc.y) * 0.5f * kH);
}

// The resource group that holds a model.
int GroupOf(const char* model) {
    for (int id = 0; id < kResourceGroupCount; ++id) {
        const yiResourceGroup* g = yiResourceGroup::Get(id);
        for (int i = 0; g && i < g->modelCount; ++i)
            if (std::string(g->models[i]) == model) return id;
    }
    return -1;
}

// A scenery slot, a cube-face-only slot and an animated object, each a textured
// cube, drawn by the course through the renderer: the slot and the object
// appear where their matrices put them, the cube-face slot does not.
TEST_F(CourseDisplayTest, SceneryAndObjectsReachTheFrame) {
    CourseRecord record = *GetCourseRecord(2);
    record.groupId = GroupOf("Test02\\model\\cube_with_tex.ybm");
    ASSERT_GE(record.groupId, 0);
    for (CourseModelSlot& s : record.parts) s = CourseModelSlot{};
    record.parts[0] = {content::MDL_CUBE_WITH_TEX, {0.0f, 0.0f, 0.0f}, 10.0f, 0, 0, 1, 0};
    record.parts[1] = {content::MDL_CUBE_WITH_TEX, {40.0f, 0.0f, 0.0f}, 10.0f, 0, 0, 0, 1};
    CourseObject bird{};
    bird.model = content::MDL_CUBE_WITH_TEX;
    bird.position = {-40.0f, 0.0f, 0.0f};
    bird.rotation = {0.0f, 0.6f, 0.0f};
    bird.life = -1;
    bird.respawnDelay = -1;
    record.objects = &bird;
    record.objectCount = 1;

    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));
    const D3DXVECTOR3 eye(0.0f, 30.0f, 120.0f), at(0.0f, 0.0f, 0.0f), up(0, 1, 0);
    D3DXMATRIX view, proj;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 3, float(kW) / kH, 5.0f, 2000.0f);
    r_->SetViewMatrix(view);
    r_->SetProjectionMatrix(proj);
    const float light[4] = {-0.3f, -1.0f, -0.5f, -1.0f};
    r_->SetLightDirectionDefault(light);
    course.Draw(0);
    r_->Render();
    std::vector<uint32_t> shot;
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(dev->readPixels(dev->backBuffer(), 0, &shot, &w, &h));
    ASSERT_EQ(w, static_cast<uint32_t>(kW));
    WritePng(ShotDir() + "/course_scenery.png", shot, kW, kH);
    course.Release();

    const D3DXMATRIX vp = view * proj;
    auto drawn = [&](const D3DXVECTOR3& p) {
        int x, y;
        Project(vp, p, &x, &y);
        EXPECT_TRUE(x > 0 && x < kW && y > 0 && y < kH);
        return (shot[static_cast<size_t>(y) * kW + x] & 0xFFFFFF) != (shot[0] & 0xFFFFFF);
    };
    EXPECT_TRUE(drawn({0.0f, 0.0f, 0.0f})) << "static slot missing";
    EXPECT_TRUE(drawn({-40.0f, 0.0f, 0.0f})) << "animated object missing";
    EXPECT_FALSE(drawn({40.0f, 0.0f, 0.0f})) << "cube-face slot in the normal view";
    EXPECT_EQ(shot[static_cast<size_t>(kH - 2) * kW + 2] & 0xFFFFFF, shot[0] & 0xFFFFFF);
}

// Every layout, forward and reversed, drawn from above and behind its first
// grid slot, looking down the road; each picture and one sheet of all twelve
// side by side are written for a person to compare. The frames must be whole
// and the layouts must not all look alike.
TEST_F(CourseDisplayTest, EveryCourseFromAboveItsStart) {
    const std::string dir = ShotDir();
    constexpr int kCols = 4, kRows = 3;
    std::vector<uint32_t> sheet(static_cast<size_t>(kW) * kCols * kH * kRows, 0xFF000000u);
    std::set<std::vector<uint32_t>> distinct;
    for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
        SCOPED_TRACE(id);
        const std::vector<uint32_t> shot = DrawCourse(id);
        ASSERT_EQ(shot.size(), static_cast<size_t>(kW) * kH);
        WritePng(dir + "/course_" + std::to_string(id) + ".png", shot, kW, kH);
        distinct.insert(shot);
        const int cell = id - kFirstCircuitId;
        const int ox = (cell % kCols) * kW, oy = (cell / kCols) * kH;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                sheet[static_cast<size_t>(oy + y) * kW * kCols + ox + x] = shot[static_cast<size_t>(y) * kW + x];
    }
    EXPECT_GT(distinct.size(), 1u);
    WritePng(dir + "/courses_all.png", sheet, kW * kCols, kH * kRows);
}

}  // namespace
