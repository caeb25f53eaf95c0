// tmCourseTest.cpp -- course loading and release, texture references, scenery slots and animated objects.
#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

#include "course/tmCollision.h"
#include "course/tmCourse.h"
#include "course/tmRouteTable.h"
#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmResourceHolder.h"
#include "table/yiResourceGroup.h"
#include "tests/course/DrawRecorder.h"

namespace {

using Draw = DrawRecorder::ModelDraw;

// A null device, the cache on the generated name tables and the run folder as
// working folder, where the generated banks are; a recorder as the drawer.
class CourseTest : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[PATH_MAX];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
        tmSetDevice(&device_);
        tmSetResourceHolder(&cache_);
        yiResourceGroup::ResetState();
    }
    void TearDown() override {
        tmSetResourceHolder(nullptr);
        tmSetDevice(nullptr);
        yiResourceGroup::ResetState();
        (void)chdir(cwd_.c_str());
    }
    int Refs(int type, const char* name) {
        const sys::tmResource* r = cache_.Find(type, name);
        return r ? r->GetRefCount() : 0;
    }
    const void* Find(int type, const char* name) { return cache_.Find(type, name); }
    // A copy of course 2's record with no scenery and no objects, for cases that set their own.
    CourseRecord Bare() {
        CourseRecord r = *GetCourseRecord(2);
        for (CourseModelSlot& s : r.parts) s = CourseModelSlot{};
        r.objects = nullptr;
        r.objectCount = 0;
        return r;
    }

    std::string cwd_;
    gfx::NullDevice device_;
    tmResourceHolder cache_;
    DrawRecorder rec_;
};

CourseObject Object(int model, yiVec3 pos, yiVec3 velocity, int life, int delay) {
    CourseObject o{};
    o.model = model;
    o.position = pos;
    o.velocity = velocity;
    o.life = life;
    o.respawnDelay = delay;
    return o;
}

int CountDraws(const DrawRecorder& rec, int slot, Draw::Kind kind) {
    int n = 0;
    for (const Draw& d : rec.models) n += d.slot == slot && d.kind == kind;
    return n;
}

D3DXVECTOR3 Apply(const D3DXMATRIX& m, const D3DXVECTOR3& p) {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &p, &m);
    return out;
}

// ---- loading and release ----

TEST_F(CourseTest, IdWithoutRecordLoadsNothing) {
    for (int id : {0, 14, -1, 1000}) {
        tmCourse course;
        EXPECT_FALSE(course.Init(id));
        EXPECT_EQ(course.GetRecord(), nullptr);
        EXPECT_EQ(course.GetCollision(), nullptr);
        EXPECT_EQ(course.GetRouteTable(), nullptr);
        EXPECT_EQ(course.GetLightDirection(), nullptr);
        EXPECT_EQ(course.GetMusicId(), 0u);
        course.Update();
        course.Draw(1);
        course.Release();
    }
    EXPECT_TRUE(rec_.models.empty());
    EXPECT_TRUE(rec_.bindings.empty());
    EXPECT_TRUE(rec_.vectors.empty());
    EXPECT_EQ(yiResourceGroup::CurrentGroupId(), -1);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kTexture), 0);
}

TEST_F(CourseTest, InitLoadsGroupCollisionRouteAndBindsTheCourseTextures) {
    const CourseRecord* record = GetCourseRecord(2);
    tmCourse course;
    ASSERT_TRUE(course.Init(2));
    EXPECT_EQ(course.GetCourseId(), 2);
    EXPECT_EQ(course.GetRecord(), record);
    EXPECT_TRUE(yiResourceGroup::IsLoaded(record->groupId));
    EXPECT_EQ(course.GetMusicId(), static_cast<uint32_t>(record->musicId));
    EXPECT_EQ(course.GetLightDirection(), record->lightDirection);

    ASSERT_NE(course.GetCollision(), nullptr);
    ASSERT_NE(course.GetRouteTable(), nullptr);
    EXPECT_GT(course.GetCollision()->GetSectionCount(), 0);
    EXPECT_EQ(course.GetRouteTable()->GetSectionCount(), course.GetCollision()->GetSectionCount());

    const void* cube = Find(sys::tmResource::kCubeTexture, record->cubeMap);
    const void* ramp = Find(sys::tmResource::kTexture, record->gouraudMap);
    const void* post = Find(sys::tmResource::kTexture, tmCourse::kPostProcessTexture);
    ASSERT_NE(cube, nullptr);
    ASSERT_NE(ramp, nullptr);
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(rec_.Bound(9), cube);
    EXPECT_EQ(rec_.Bound(6), ramp);
    EXPECT_EQ(rec_.Bound(10), post);
    ASSERT_EQ(rec_.vectors.size(), 1u);
    EXPECT_EQ(rec_.vectors[0], D3DXVECTOR3(record->lightColour[0], record->lightColour[1], record->lightColour[2]));
    ASSERT_EQ(course.GetObjectCount(), record->objectCount);
    for (int i = 0; i < course.GetObjectCount(); ++i) EXPECT_EQ(course.GetObject(i)->templateIndex, i);
    EXPECT_EQ(course.GetObject(course.GetObjectCount()), nullptr);
    EXPECT_EQ(course.GetFrameCount(), 0u);

    // Release gives everything back and unbinds the textures it freed.
    course.Release();
    EXPECT_FALSE(yiResourceGroup::IsLoaded(record->groupId));
    EXPECT_EQ(Find(sys::tmResource::kCubeTexture, record->cubeMap), nullptr);
    EXPECT_EQ(Find(sys::tmResource::kTexture, record->gouraudMap), nullptr);
    EXPECT_EQ(Find(sys::tmResource::kTexture, tmCourse::kPostProcessTexture), nullptr);
    EXPECT_EQ(rec_.Bound(9), nullptr);
    EXPECT_EQ(rec_.Bound(6), nullptr);
    EXPECT_EQ(rec_.Bound(10), nullptr);
    EXPECT_EQ(device_.liveTextures(), 0);
    EXPECT_EQ(course.GetRecord(), nullptr);
    EXPECT_NE(course.GetCollision(), nullptr);  // kept until the course is deleted
    course.Release();                           // a second release finds nothing to give back
}

TEST_F(CourseTest, TexturesCachedBeforeInitAreNotFreedByRelease) {
    const CourseRecord* record = GetCourseRecord(3);
    // Another owner already holds the course's ramp and the post-process texture.
    ASSERT_TRUE(yiResourceGroup::Get(record->groupId)->LoadTexture(record->textureFolder, record->gouraudMap));
    ASSERT_TRUE(yiResourceGroup::Get(32)->LoadTexture(tmCourse::kPostProcessFolder, tmCourse::kPostProcessTexture));
    ASSERT_EQ(Refs(sys::tmResource::kTexture, record->gouraudMap), 1);

    tmCourse first, second;
    ASSERT_TRUE(first.Init(3));
    ASSERT_TRUE(second.Init(3));
    EXPECT_EQ(Refs(sys::tmResource::kTexture, record->gouraudMap), 3);
    EXPECT_EQ(Refs(sys::tmResource::kTexture, tmCourse::kPostProcessTexture), 3);
    EXPECT_EQ(Refs(sys::tmResource::kCubeTexture, record->cubeMap), 2);

    first.Release();
    EXPECT_EQ(Refs(sys::tmResource::kTexture, record->gouraudMap), 2);
    EXPECT_EQ(Refs(sys::tmResource::kCubeTexture, record->cubeMap), 1);
    // The second course still uses them: nothing was unbound.
    EXPECT_EQ(rec_.Bound(9), Find(sys::tmResource::kCubeTexture, record->cubeMap));
    EXPECT_EQ(rec_.Bound(6), Find(sys::tmResource::kTexture, record->gouraudMap));

    second.Release();
    EXPECT_EQ(Refs(sys::tmResource::kTexture, record->gouraudMap), 1);
    EXPECT_EQ(Refs(sys::tmResource::kTexture, tmCourse::kPostProcessTexture), 1);
    EXPECT_EQ(Find(sys::tmResource::kCubeTexture, record->cubeMap), nullptr);
    EXPECT_EQ(rec_.Bound(9), nullptr);
    EXPECT_NE(rec_.Bound(6), nullptr);  // the first owner still holds the ramp
    EXPECT_TRUE(cache_.ReleaseTexture(record->gouraudMap));
    EXPECT_TRUE(cache_.ReleaseTexture(tmCourse::kPostProcessTexture));
}

TEST_F(CourseTest, RecordWithoutSkyOrRampBindsAndReleasesNeither) {
    const CourseRecord* full = GetCourseRecord(2);
    ASSERT_TRUE(yiResourceGroup::Get(full->groupId)->LoadCubeTexture(full->cubeMap));
    CourseRecord record = Bare();
    record.cubeMap[0] = '\0';
    record.gouraudMap[0] = '\0';
    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));
    EXPECT_EQ(rec_.Bound(9, nullptr), nullptr);
    EXPECT_EQ(rec_.Bound(6, nullptr), nullptr);
    for (const DrawRecorder::Binding& b : rec_.bindings) EXPECT_EQ(b.sampler, 10);
    course.Release();
    EXPECT_EQ(Refs(sys::tmResource::kCubeTexture, full->cubeMap), 1);  // not released by the course
    EXPECT_EQ(Find(sys::tmResource::kTexture, full->gouraudMap), nullptr);
    EXPECT_TRUE(cache_.ReleaseCubeTexture(full->cubeMap));
}

TEST_F(CourseTest, SecondInitReleasesTheFirstCourse) {
    tmCourse course;
    ASSERT_TRUE(course.Init(2));
    const int firstGroup = GetCourseRecord(2)->groupId;
    ASSERT_TRUE(course.Init(4));
    EXPECT_FALSE(yiResourceGroup::IsLoaded(firstGroup));
    EXPECT_TRUE(yiResourceGroup::IsLoaded(GetCourseRecord(4)->groupId));
    EXPECT_EQ(Find(sys::tmResource::kCubeTexture, GetCourseRecord(2)->cubeMap), nullptr);
    EXPECT_EQ(Refs(sys::tmResource::kTexture, tmCourse::kPostProcessTexture), 1);
    course.Release();
    EXPECT_EQ(device_.liveTextures(), 0);
}

// ---- static scenery ----

TEST_F(CourseTest, StaticSlotsQueueByTheirFlags) {
    CourseRecord record = Bare();
    record.cubeMap[0] = record.gouraudMap[0] = '\0';
    record.parts[0] = {11, {1.0f, 2.0f, 3.0f}, 2.0f, 5, 3, 1, 0};  // normal view only
    record.parts[1] = {0, {0, 0, 0}, 1.0f, 0, 0, 1, 1};            // empty slot
    record.parts[2] = {12, {0, 0, 0}, 1.0f, 5, 0, 0, 1};           // cube faces only
    record.parts[3] = {13, {0, 0, 0}, 1.0f, 0, 1, 1, 1};           // both
    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));

    course.Draw(0);
    ASSERT_EQ(rec_.models.size(), 4u);
    const Draw& a = rec_.models[0];
    EXPECT_EQ(a.kind, Draw::kSlot);
    EXPECT_EQ(a.slot, 11);
    EXPECT_EQ(a.arg, 5u);
    EXPECT_EQ(a.layer, 3);
    // Scaled by 2, then moved to its position.
    EXPECT_EQ(Apply(a.world, {1, 0, 0}), D3DXVECTOR3(3.0f, 2.0f, 3.0f));
    EXPECT_EQ(rec_.models[1].kind, Draw::kCubeFaces);
    EXPECT_EQ(rec_.models[1].slot, 12);
    EXPECT_EQ(rec_.models[1].arg, tmCourse::kCubeFaceArg);
    EXPECT_EQ(CountDraws(rec_, 12, Draw::kSlot), 0);
    EXPECT_EQ(rec_.models[2].slot, 13);
    EXPECT_EQ(rec_.models[2].kind, Draw::kSlot);
    EXPECT_EQ(rec_.models[2].layer, 1);
    EXPECT_EQ(rec_.models[3].slot, 13);
    EXPECT_EQ(rec_.models[3].kind, Draw::kCubeFaces);
    rec_.models.clear();

    course.Draw(1);
    ASSERT_EQ(rec_.models.size(), 6u);
    EXPECT_EQ(rec_.models[1].slot, 11);
    EXPECT_EQ(rec_.models[1].layer, tmCourse::kExtraLayer);
    EXPECT_EQ(rec_.models[1].arg, 5u);
    EXPECT_EQ(rec_.models[2].kind, Draw::kCubeFaces);  // slot 12 gets no extra entry
    EXPECT_EQ(rec_.models[4].layer, tmCourse::kExtraLayer);
    EXPECT_EQ(rec_.models[5].kind, Draw::kCubeFaces);
    course.Release();
}

// ---- animated objects ----

TEST_F(CourseTest, ObjectLivesThenHidesForItsDelayThenStartsOver) {
    const CourseObject objects[] = {Object(21, {100.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f}, 3, 2)};
    CourseRecord record = Bare();
    record.objects = objects;
    record.objectCount = 1;
    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));
    std::string seen;
    for (int frame = 0; frame < 11; ++frame) {
        rec_.models.clear();
        course.Draw(0);
        seen += CountDraws(rec_, 21, Draw::kIdentity) ? 'x' : '.';
        if (frame == 5) {
            // Back at its template position with its whole life.
            EXPECT_EQ(course.GetObject(0)->position.x, 100.0f);
            EXPECT_EQ(course.GetObject(0)->life, 3);
            EXPECT_EQ(course.GetObject(0)->respawnDelay, 2);
            EXPECT_EQ(course.GetObject(0)->templateIndex, 0);
        }
        course.Update();
    }
    EXPECT_EQ(seen, "xxx..xxx..x");
    EXPECT_EQ(course.GetFrameCount(), 11u);
    course.Release();
}

TEST_F(CourseTest, EndlessObjectsResetOnlyWithAPositiveDelay) {
    const CourseObject objects[] = {
        Object(31, {0, 0, 0}, {1.0f, 0.0f, 0.0f}, -1, 4),  // resets every 4 steps
        Object(32, {0, 0, 0}, {0.0f, 1.0f, 0.0f}, -1, 0),  // moves forever
        Object(33, {0, 0, 0}, {0.0f, 0.0f, 1.0f}, -1, -1),
        Object(0, {0, 0, 0}, {0.0f, 0.0f, 1.0f}, 5, 0),  // no model: never drawn
    };
    CourseRecord record = Bare();
    record.objects = objects;
    record.objectCount = 4;
    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));
    for (int i = 0; i < 3; ++i) course.Update();
    EXPECT_EQ(course.GetObject(0)->position.x, 3.0f);
    EXPECT_EQ(course.GetObject(0)->respawnDelay, 1);
    course.Update();
    EXPECT_EQ(course.GetObject(0)->position.x, 0.0f);
    EXPECT_EQ(course.GetObject(0)->respawnDelay, 4);
    for (int i = 0; i < 96; ++i) course.Update();
    EXPECT_EQ(course.GetObject(0)->position.x, 0.0f);
    EXPECT_EQ(course.GetObject(1)->position.y, 100.0f);
    EXPECT_EQ(course.GetObject(2)->position.z, 100.0f);
    EXPECT_EQ(course.GetObject(3)->life, 0);
    course.Draw(0);
    EXPECT_EQ(CountDraws(rec_, 31, Draw::kIdentity), 1);
    EXPECT_EQ(CountDraws(rec_, 32, Draw::kIdentity), 1);
    EXPECT_EQ(CountDraws(rec_, 0, Draw::kIdentity), 0);
    course.Release();
}

TEST_F(CourseTest, ObjectMatrixScalesSpinsAndPlacesTheModel) {
    CourseObject o = Object(41, {100.0f, 5.0f, 0.0f}, {0, 0, 0}, -1, -1);
    o.rotation = {0.0f, 1.5707964f, 0.0f};
    o.spin = {0.25f, 0.0f, 0.0f};
    o.cubeFaces = 1;
    CourseRecord record = Bare();
    record.objects = &o;
    record.objectCount = 1;
    tmCourse course;
    ASSERT_TRUE(course.Init(2, &record));
    course.Draw(0);
    ASSERT_EQ(rec_.models.size(), 2u);
    EXPECT_EQ(rec_.models[0].kind, Draw::kIdentity);
    EXPECT_EQ(rec_.models[1].kind, Draw::kCubeFaces);
    EXPECT_EQ(rec_.models[1].arg, tmCourse::kCubeFaceArg);
    // The model's +X, ten times as long, turned a quarter about Y to -Z, then placed.
    const D3DXVECTOR3 p = Apply(rec_.models[0].world, {1, 0, 0});
    EXPECT_NEAR(p.x, 100.0f, 1e-4f);
    EXPECT_NEAR(p.y, 5.0f, 1e-4f);
    EXPECT_NEAR(p.z, -10.0f, 1e-4f);

    // Rotations apply Z first, then Y, then X, after the scale.
    course.Update();
    EXPECT_FLOAT_EQ(course.GetObject(0)->rotation.x, 0.25f);
    rec_.models.clear();
    course.Draw(0);
    D3DXMATRIX s, rx, ry, t;
    D3DXMatrixScaling(&s, 10, 10, 10);
    D3DXMatrixRotationY(&ry, 1.5707964f);
    D3DXMatrixRotationX(&rx, 0.25f);
    D3DXMatrixTranslation(&t, 100.0f, 5.0f, 0.0f);
    const D3DXMATRIX want = s * ry * rx * t;
    for (const D3DXVECTOR3& q : {D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0, 0, 1)}) {
        const D3DXVECTOR3 got = Apply(rec_.models[0].world, q), exp = Apply(want, q);
        EXPECT_NEAR(got.x, exp.x, 1e-3f);
        EXPECT_NEAR(got.y, exp.y, 1e-3f);
        EXPECT_NEAR(got.z, exp.z, 1e-3f);
    }
    course.Release();
}

}  // namespace
