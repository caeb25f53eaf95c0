// tmCourse.cpp -- course loading and release, texture binding, animated objects and scenery drawing.
#include "course/tmCourse.h"

#include <cstdio>
#include <vector>

#include "course/tmCollision.h"
#include "course/tmRouteTable.h"
#include "sys/base/tmMatrixStack.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmTexture.h"
#include "table/yiResourceGroup.h"

namespace {

void Add(yiVec3& v, const yiVec3& d) {
    v.x += d.x;
    v.y += d.y;
    v.z += d.z;
}

sys::tmResource* FindResource(int type, const char* name) {
    tmResourceHolder* cache = tmGetResourceHolder();
    return cache ? cache->Find(type, name) : nullptr;
}

// True when releasing the named resource now frees it: nobody may keep it bound then.
bool IsLastReference(int type, const char* name) {
    const sys::tmResource* r = FindResource(type, name);
    return r && r->GetRefCount() <= 1;
}

}  // namespace

tmCourse::tmCourse() = default;

tmCourse::~tmCourse() = default;

// ---- Loading and release -------------------------------------------------------------------

bool tmCourse::Init(int courseId) {
    const CourseRecord* record = GetCourseRecord(courseId);
    if (!record) {
        std::fprintf(stderr, "course: id %d has no course record; nothing loaded\n", courseId);
        return false;
    }
    return Init(courseId, record);
}

bool tmCourse::Init(int courseId, const CourseRecord* record) {
    if (!record) {
        std::fprintf(stderr, "course: id %d has no course record; nothing loaded\n", courseId);
        return false;
    }
    if (record_) Release();
    courseId_ = courseId;
    record_ = record;

    if (const yiResourceGroup* group = yiResourceGroup::Get(record->groupId)) group->Load();

    collision_ = std::make_unique<tmCollision>();
    collision_->Load(record->collisionFile, record->wallFile, record->routeFile);
    // The computer route is built on the gates of the route just read.
    const std::vector<tmCollision::Section>& sections = collision_->GetSections(0);
    std::vector<tmRouteGate> gates(sections.size());
    for (size_t i = 0; i < sections.size(); ++i) gates[i] = {sections[i].a, sections[i].b};
    route_ = std::make_unique<tmRouteTable>();
    route_->Load(record->routeTable, gates.data(), static_cast<int>(gates.size()));

    BindTextures();
    tmDraw::GetInstance()->SetVector(
        D3DXVECTOR3(record->lightColour[0], record->lightColour[1], record->lightColour[2]));

    objects_.reset();
    objectCount_ = 0;
    if (record->objects && record->objectCount > 0) {
        objectCount_ = record->objectCount;
        objects_.reset(new CourseObject[static_cast<size_t>(objectCount_)]);
        for (int i = 0; i < objectCount_; ++i) {
            objects_[i] = record->objects[i];
            objects_[i].templateIndex = i;
        }
    }
    frame_ = 0;
    return true;
}

// Every texture is taken with a reference of its own, also when the cache
// already held it, so that Release gives back exactly what Init took and never
// frees a texture that another owner (an earlier course of the same layout)
// still has bound.
void tmCourse::BindTextures() {
    tmDraw* draw = tmDraw::GetInstance();
    const yiResourceGroup* group = yiResourceGroup::Get(record_->groupId);
    if (record_->cubeMap[0] != '\0' && group) {
        group->LoadCubeTexture(record_->cubeMap);
        auto* cube = static_cast<sys::tmCubeTexture*>(FindResource(sys::tmResource::kCubeTexture, record_->cubeMap));
        cubeHeld_ = cube != nullptr;
        draw->SetSampler9CubeTexture(cube);
    }
    if (record_->gouraudMap[0] != '\0' && group) {
        group->LoadTexture(record_->textureFolder, record_->gouraudMap);
        auto* ramp = static_cast<sys::tmTexture*>(FindResource(sys::tmResource::kTexture, record_->gouraudMap));
        gouraudHeld_ = ramp != nullptr;
        draw->SetSampler6Texture(ramp);
    }
    if (const yiResourceGroup* common = yiResourceGroup::Get(kPostProcessGroup)) {
        common->LoadTexture(kPostProcessFolder, kPostProcessTexture);
        auto* post = static_cast<sys::tmTexture*>(FindResource(sys::tmResource::kTexture, kPostProcessTexture));
        postHeld_ = post != nullptr;
        draw->SetSampler10Texture(post);
    }
}

void tmCourse::Release() {
    if (!record_) return;
    tmDraw* draw = tmDraw::GetInstance();
    if (postHeld_) {
        if (IsLastReference(sys::tmResource::kTexture, kPostProcessTexture)) draw->SetSampler10Texture(nullptr);
        if (const yiResourceGroup* common = yiResourceGroup::Get(kPostProcessGroup))
            common->ReleaseTexture(kPostProcessTexture);
    }
    const yiResourceGroup* group = yiResourceGroup::Get(record_->groupId);
    if (cubeHeld_) {
        if (IsLastReference(sys::tmResource::kCubeTexture, record_->cubeMap)) draw->SetSampler9CubeTexture(nullptr);
        if (tmResourceHolder* cache = tmGetResourceHolder()) cache->ReleaseCubeTexture(record_->cubeMap);
    }
    if (gouraudHeld_ && group) {
        if (IsLastReference(sys::tmResource::kTexture, record_->gouraudMap)) draw->SetSampler6Texture(nullptr);
        group->ReleaseTexture(record_->gouraudMap);
    }
    if (group) group->Unload();
    cubeHeld_ = gouraudHeld_ = postHeld_ = false;
    record_ = nullptr;
}

uint32_t tmCourse::GetMusicId() const { return record_ ? static_cast<uint32_t>(record_->musicId) : 0; }

const float* tmCourse::GetLightDirection() const { return record_ ? record_->lightDirection : nullptr; }

const CourseObject* tmCourse::GetObject(int i) const { return i >= 0 && i < objectCount_ ? &objects_[i] : nullptr; }

// ---- Animated objects ------------------------------------------------------------------------

void tmCourse::Update() {
    for (int i = 0; i < objectCount_; ++i) {
        CourseObject& o = objects_[i];
        Add(o.position, o.velocity);
        Add(o.rotation, o.spin);
        if (o.life >= 1) {
            o.life -= 1;
        } else if (o.respawnDelay > 0) {
            o.respawnDelay -= 1;
            const int t = o.templateIndex;
            if (o.respawnDelay == 0 && record_ && record_->objects && t >= 0 && t < record_->objectCount) {
                o = record_->objects[t];
                o.templateIndex = t;
            }
        }
    }
    frame_ += 1;
}

// ---- Drawing -----------------------------------------------------------------------------------

void tmCourse::Draw(uint8_t extraLayer) const {
    if (!record_) return;
    tmDraw* draw = tmDraw::GetInstance();
    for (const CourseModelSlot& s : record_->parts) {
        if (s.model == 0) continue;
        D3DXMATRIX world;
        D3DXMatrixScaling(&world, s.scale, s.scale, s.scale);
        world._41 = s.position.x;
        world._42 = s.position.y;
        world._43 = s.position.z;
        draw->SetWorldMatrix(world);
        const uint32_t arg = static_cast<uint32_t>(s.shaderType);
        if (s.draw) {
            draw->DrawModel(s.model, arg, s.layer);
            if (extraLayer) draw->DrawModel(s.model, arg, kExtraLayer);
        }
        if (s.cubeFaces) draw->DrawModelToCubeLayers(s.model, kCubeFaceArg);
    }

    tmMatrixStack stack(1);
    for (int i = 0; i < objectCount_; ++i) {
        const CourseObject& o = objects_[i];
        if (o.model == 0 || o.life == 0) continue;
        D3DXMatrixIdentity(stack.Top());
        stack.Translate(o.position.x, o.position.y, o.position.z);
        stack.RotateX(o.rotation.x);
        stack.RotateY(o.rotation.y);
        stack.RotateZ(o.rotation.z);
        stack.Scale(kObjectScale, kObjectScale, kObjectScale);
        draw->SetWorldMatrix(*stack.Top());
        draw->DrawModelIdentity(o.model);
        if (o.cubeFaces) draw->DrawModelToCubeLayers(o.model, kCubeFaceArg);
    }
}
