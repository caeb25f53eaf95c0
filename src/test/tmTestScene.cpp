// tmTestScene.cpp -- taking and giving back the test screens' groups and cube texture.
#include "test/tmTestScene.h"

#include "sys/render/tmDraw.h"
#include "sys/render/tmRenderLayer.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmResourceHolder.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

sys::tmCubeTexture* FindCube() {
    tmResourceHolder* cache = tmGetResourceHolder();
    return cache
               ? static_cast<sys::tmCubeTexture*>(cache->Find(sys::tmResource::kCubeTexture, tmTestScene::kCubeTexture))
               : nullptr;
}

}  // namespace

tmTestScene::~tmTestScene() { Release(); }

void tmTestScene::LoadGroup(int id) {
    const yiResourceGroup* group = yiResourceGroup::Get(id);
    if (group && group->Load()) groups_.push_back(id);
}

void tmTestScene::LoadSprites(int id) {
    if (tmSpriteGroup::Load(id)) sprites_.push_back(id);
}

void tmTestScene::LoadCubeTexture() {
    if (cube_) return;
    const yiResourceGroup* group = yiResourceGroup::Get(kTestGroup);
    if (!group) return;
    group->LoadCubeTexture(kCubeTexture);
    cube_ = FindCube() != nullptr;
    tmDraw::GetInstance()->SetSampler9CubeTexture(GetCube());
}

sys::tmCubeTexture* tmTestScene::GetCube() const { return cube_ ? FindCube() : nullptr; }

void tmTestScene::Release() {
    if (cube_) {
        // Nobody may keep the cube bound once the last reference goes.
        const sys::tmCubeTexture* cube = FindCube();
        if (cube && cube->GetRefCount() <= 1) tmDraw::GetInstance()->SetSampler9CubeTexture(nullptr);
        if (tmResourceHolder* cache = tmGetResourceHolder()) cache->ReleaseCubeTexture(kCubeTexture);
        cube_ = false;
    }
    for (auto it = sprites_.rbegin(); it != sprites_.rend(); ++it) tmSpriteGroup::Unload(*it);
    sprites_.clear();
    for (auto it = groups_.rbegin(); it != groups_.rend(); ++it)
        if (const yiResourceGroup* group = yiResourceGroup::Get(*it)) group->Unload();
    groups_.clear();
}

void tmTestScene::SetUpFrame() const {
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetVector(D3DXVECTOR3(1.0f, 1.0f, 1.0f));
    const float light[4] = {0.45f, -0.75f, 0.5f, 0.25f};
    draw->SetLightDirectionDefault(light);
    if (sys::tmCubeTexture* cube = GetCube()) draw->SetSampler9CubeTexture(cube);
}

void tmTestScene::DrawModel(int slot, const D3DXMATRIX& world) {
    tmDraw* draw = tmDraw::GetInstance();
    draw->SetWorldMatrix(world);
    draw->DrawModel(slot, tmShaderType::kStandard, tmRenderLayer::kScene);
}
