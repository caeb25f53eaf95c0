// tmRenderQueue.cpp -- queueing models, sprites and polygon batches; layer transforms; sorting; clearing.
#include "sys/render/tmRenderQueue.h"

#include <algorithm>
#include <utility>

#include "sys/base/tmSort.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"

namespace {
D3DXMATRIX Identity() {
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}

// A shape's alpha mode (its material's): opaque, alpha tested or blended.
constexpr uint32_t kAlphaTest = 1, kAlphaBlend = 2;

// The scene layer a shape queued to kScene goes to.
int SceneLayerFor(uint32_t alphaMode) {
    if (alphaMode == kAlphaTest) return tmRenderLayer::kAlphaTested;
    if (alphaMode == kAlphaBlend) return tmRenderLayer::kBlended;
    return tmRenderLayer::kScene;
}

D3DXVECTOR4 EyeFrom(const D3DXMATRIX& worldView) {
    D3DXMATRIX inv;
    if (!D3DXMatrixInverse(&inv, nullptr, &worldView)) return {0, 0, 0, 1};
    return {inv._41, inv._42, inv._43, 1.0f};
}
}  // namespace

tmRenderQueue::tmRenderQueue() {
    const D3DXMATRIX id = Identity();
    world_ = view_ = projection_ = viewProjection_ = extra1_ = id;
    secondView_ = secondProjection_ = secondViewProjection_ = extra2_ = extra3_ = id;
    for (auto& c : cube_) c = id;
    nearShadow_ = farShadow_ = squareVP_ = screenVP_ = id;
}

tmRenderQueue::~tmRenderQueue() { Clear(); }

void tmRenderQueue::Initialize(tmSlotSource* holder, int itemCapacity, int entryCapacity, int spriteCapacity,
                               int polygonCapacity) {
    Clear();
    const D3DXMATRIX id = Identity();
    items_.assign(std::max(0, itemCapacity), Item{});
    Entry blank;
    blank.world = blank.view = blank.projection = blank.transform = blank.nearShadow = blank.farShadow = id;
    entries_.assign(std::max(0, entryCapacity), blank);
    sprites_.assign(std::max(0, spriteCapacity), SpriteRecord{});
    polygons_.assign(std::max(0, polygonCapacity), PolygonRecord{});
    for (int l = 0; l < kLayerCount; ++l) {
        layers_[l].assign(items_.size(), nullptr);
        polyLists_[l].assign(polygons_.size(), nullptr);
        layerCount_[l] = polyCount_[l] = 0;
    }
    spriteList_.assign(sprites_.size(), nullptr);
    spriteListCount_ = 0;
    itemCount_ = entryCount_ = spriteCount_ = polygonCount_ = dropped_ = 0;
    const gfx::Colour4 white{1, 1, 1, 1};
    spriteMaterial_ = {white, white, white, white, 0.0f};
    world_ = view_ = projection_ = viewProjection_ = extra1_ = id;
    secondView_ = secondProjection_ = secondViewProjection_ = extra2_ = extra3_ = id;
    for (auto& c : cube_) c = id;
    nearShadow_ = farShadow_ = id;
    near_ = 10.0f;
    far_ = 10000.0f;
    light_ = {0, -1, 0, 0.3f};

    // The fixed cameras: 50 units in front of the origin, a quarter turn of view.
    const D3DXVECTOR3 eye(0, 0, -50), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view, proj;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    const float aspect = s.height ? static_cast<float>(s.width) / static_cast<float>(s.height) : 1.0f;
    D3DXMatrixPerspectiveFovRH(&proj, 1.5707964f, aspect, 10.0f, 10000.0f);
    screenVP_ = view * proj;
    D3DXMatrixPerspectiveFovRH(&proj, 1.5707964f, 1.0f, 10.0f, 10000.0f);
    squareVP_ = view * proj;
    holder_ = holder;
}

void tmRenderQueue::SetSecondView(const D3DXMATRIX& view, const D3DXMATRIX& projection) {
    secondView_ = view;
    secondProjection_ = projection;
    secondViewProjection_ = view * projection;
}

tmRenderQueue::Item* const* tmRenderQueue::GetLayerItems(int layer) const {
    return layer >= 0 && layer < kLayerCount && !layers_[layer].empty() ? layers_[layer].data() : nullptr;
}

tmRenderQueue::Entry* tmRenderQueue::AddEntry(const D3DXMATRIX* transform, const D3DXVECTOR4* eye, uint32_t shaderType,
                                              float alpha, bool placed) {
    if (entryCount_ >= static_cast<int>(entries_.size())) {
        ++dropped_;
        return nullptr;
    }
    Entry& e = entries_[entryCount_++];
    e.world = world_;
    e.view = view_;
    e.projection = projection_;
    e.eye = eye ? *eye : D3DXVECTOR4{0, 1, 0, 1};
    if (transform)
        e.transform = *transform;
    else
        D3DXMatrixIdentity(&e.transform);
    if (shaderType == 0) {
        e.nearShadow = world_ * nearShadow_;
        e.farShadow = world_ * farShadow_;
    }
    e.light = light_;
    e.shaderType = shaderType;
    e.alpha = alpha;
    e.placed = placed;
    return &e;
}

bool tmRenderQueue::AddToLayer(sys::tmShape* shape, int layer, Entry* entry, int flag) {
    if (itemCount_ >= static_cast<int>(items_.size())) {
        ++dropped_;
        return false;
    }
    uint32_t flags = shape->featureFlags;
    if (flag < 0) flags &= ~kDynamicReflect;
    float depth = 0.0f;
    if (shape->alphaMode == kAlphaBlend) {
        D3DXVECTOR3 c(shape->centre[0], shape->centre[1], shape->centre[2]), w, v;
        D3DXVec3TransformCoord(&w, &c, &entry->world);
        D3DXVec3TransformCoord(&v, &w, &entry->view);
        depth = v.z;
    }
    if (layer == tmRenderLayer::kScene) layer = SceneLayerFor(shape->alphaMode);
    if (layerCount_[layer] >= static_cast<int>(layers_[layer].size())) {
        ++dropped_;
        return false;
    }
    Item& it = items_[itemCount_++];
    it.shape = shape;
    it.entry = entry;
    it.shaderType = static_cast<int32_t>(shape->shaderKind) >= 1 ? shape->shaderKind : entry->shaderType;
    it.stateFlags = flags;
    it.depth = depth;
    layers_[layer][layerCount_[layer]++] = &it;
    return true;
}

int tmRenderQueue::AddModelBySlot(int slot, uint32_t shaderType, int layer, float alpha, int flag) {
    sys::tmModel* model = holder_ ? holder_->GetModelSlot(slot) : nullptr;
    if (!model || model->GetShapeCount() == 0) return -1;
    return AddModel(model, shaderType, layer, alpha, flag);
}

int tmRenderQueue::AddModel(sys::tmModel* model, uint32_t shaderType, int layer, float alpha, int flag) {
    if (!model || model->GetShapeCount() == 0 || layer < 0 || layer >= kLayerCount) return -1;
    D3DXMATRIX transform;
    D3DXVECTOR4 eye;
    const D3DXVECTOR4* eyeP = nullptr;
    const D3DXMATRIX worldView = world_ * view_;
    namespace L = tmRenderLayer;
    const bool cameraLayer = layer < L::kCubeFace0;  // scene, glow and overlays: the frame's camera
    if (cameraLayer || layer == L::kMirrorView) {
        eye = EyeFrom(worldView);
        eyeP = &eye;
    }
    if (cameraLayer)
        transform = worldView * projection_;
    else if (layer < L::kCubeFace0 + L::kCubeFaceCount)
        transform = world_ * cube_[layer - L::kCubeFace0];
    else if (layer == L::kNearShadow)
        transform = world_ * nearShadow_;
    else if (layer == L::kFarShadow)
        transform = world_ * farShadow_;
    else if (layer == L::kSecondView)
        transform = world_ * squareVP_;
    else if (layer == L::kMirrorView)
        transform = world_ * extra3_;
    else
        transform = world_ * screenVP_;  // kAfterPostSecond, kAfterPostMirror
    // Shadow, second-view and after-post layers draw fully opaque.
    const bool keepAlpha = layer < L::kNearShadow || layer == L::kMirrorView;
    Entry* entry = AddEntry(&transform, eyeP, shaderType, keepAlpha ? alpha : 1.0f);
    if (!entry) return -1;
    int last = -1;
    for (int i = 0; i < model->GetShapeCount(); ++i) {
        sys::tmShape* shape = model->GetShape(i);
        if (!shape || !AddToLayer(shape, layer, entry, flag)) continue;
        last = i;
    }
    return last < 0 ? -1 : layerCount_[layer] - 1;
}

int tmRenderQueue::AppendSprite(const SpriteRecord& rec) {
    if (spriteCount_ >= static_cast<int>(sprites_.size()) || spriteListCount_ >= static_cast<int>(spriteList_.size())) {
        ++dropped_;
        return -1;
    }
    SpriteRecord& r = sprites_[spriteCount_];
    r = rec;
    spriteList_[spriteListCount_++] = &r;
    return spriteCount_++;
}

int tmRenderQueue::AddSpriteBySlot(int slot, float x, float y, float scaleX, float scaleY, uint32_t colour, int mode,
                                   float rotation, float pivotX, float pivotY, float uOffset, float vOffset,
                                   float uExtent, float vExtent) {
    sys::tmSprite* sprite = holder_ ? holder_->GetSpriteSlot(slot) : nullptr;
    return AddSprite(sprite, x, y, scaleX, scaleY, colour, mode, rotation, pivotX, pivotY, uOffset, vOffset, uExtent,
                     vExtent);
}

int tmRenderQueue::AddSprite(sys::tmSprite* sprite, float x, float y, float scaleX, float scaleY, uint32_t colour,
                             int mode, float rotation, float pivotX, float pivotY, float uOffset, float vOffset,
                             float uExtent, float vExtent) {
    if (!sprite || !sprite->GetRecord()) return -1;  // an empty slot draws nothing
    SpriteRecord r;
    r.sprite = sprite;
    r.x = x;
    r.y = y;
    r.scaleX = scaleX;
    r.scaleY = scaleY;
    r.colour = colour;
    const int base = mode >= 0 ? mode & ~tmSpritePlacement::kHudScaled : mode;
    r.mode = base >= 0 && base < tmSpritePlacement::kScreenCount ? base : tmSpritePlacement::kTopLeft;
    r.hudScaled =
        mode >= 0 && (mode & tmSpritePlacement::kHudScaled) != 0 && r.mode != tmSpritePlacement::kVirtualScreen;
    r.rotation = rotation;
    r.pivotX = pivotX;
    r.pivotY = pivotY;
    D3DXMatrixIdentity(&r.matrix);
    r.uOffset = uOffset;
    r.vOffset = vOffset;
    r.uExtent = uExtent;
    r.vExtent = vExtent;
    return AppendSprite(r);
}

int tmRenderQueue::AddSpriteQuadBySlot(int slot, const D3DXMATRIX& matrix, uint32_t colour, float uOffset,
                                       float vOffset, float uExtent, float vExtent, float width, float height,
                                       int mode) {
    sys::tmSprite* sprite = holder_ ? holder_->GetSpriteSlot(slot) : nullptr;
    return AddSpriteQuad(sprite, matrix, colour, uOffset, vOffset, uExtent, vExtent, width, height, mode);
}

int tmRenderQueue::AddSpriteQuad(sys::tmSprite* sprite, const D3DXMATRIX& matrix, uint32_t colour, float uOffset,
                                 float vOffset, float uExtent, float vExtent, float width, float height, int mode) {
    if (!sprite || !sprite->GetRecord()) return -1;
    SpriteRecord r;
    r.sprite = sprite;
    r.colour = colour;
    r.mode = mode == tmSpritePlacement::kWorldQuadOverScreen ? mode : tmSpritePlacement::kWorldQuad;
    r.matrix = matrix;
    r.uOffset = uOffset;
    r.vOffset = vOffset;
    r.uExtent = uExtent;
    r.vExtent = vExtent;
    r.width = width;
    r.height = height;
    return AppendSprite(r);
}

int tmRenderQueue::AddPolygons(int spriteSlot, int layer, uint32_t colour, uint32_t shaderType, int matrixChoice,
                               int triangleCount, const float* positions, const uint32_t* colours,
                               const float* texCoords) {
    sys::tmSprite* sprite = holder_ ? holder_->GetSpriteSlot(spriteSlot) : nullptr;
    if (!sprite || layer < 0 || layer >= kLayerCount) return -1;
    if (polygonCount_ >= static_cast<int>(polygons_.size()) ||
        polyCount_[layer] >= static_cast<int>(polyLists_[layer].size())) {
        ++dropped_;
        return -1;
    }
    PolygonRecord& r = polygons_[polygonCount_];
    r = {sprite, colour, triangleCount, shaderType, matrixChoice, positions, colours, texCoords};
    polyLists_[layer][polyCount_[layer]++] = &r;
    return polygonCount_++;
}

void tmRenderQueue::SetCubeMapCenter(const D3DXVECTOR3& p) {
    static const D3DXVECTOR3 kOffset[tmRenderLayer::kCubeFaceCount] = {
        {0, 0, -10000}, {0, 0, 10000}, {0, 10000, -0.0001f}, {0, -10000, 0.0001f}, {-10000, 0, 0}, {10000, 0, 0}};
    static const D3DXVECTOR3 kUp[tmRenderLayer::kCubeFaceCount] = {{0, 1, 0},  {0, 1, 0}, {1, 0, 0},
                                                                   {-1, 0, 0}, {0, 1, 0}, {0, 1, 0}};
    D3DXMATRIX proj;
    D3DXMatrixPerspectiveFovRH(&proj, 1.5707964f, 1.0f, near_, far_);
    for (int f = 0; f < tmRenderLayer::kCubeFaceCount; ++f) {
        D3DXMATRIX view;
        const D3DXVECTOR3 at = p + kOffset[f];
        D3DXMatrixLookAtRH(&view, &p, &at, &kUp[f]);
        cube_[f] = view * proj;
    }
}

void tmRenderQueue::Clear() {
    for (sys::tmShape* s : spriteShapes_) s->DestroyWithBuffer();
    for (sys::tmShape* s : polygonShapes_) s->DestroyWithBuffer();
    spriteShapes_.clear();
    polygonShapes_.clear();
    spriteCount_ = polygonCount_ = spriteListCount_ = itemCount_ = entryCount_ = 0;
    for (int l = 0; l < kLayerCount; ++l) layerCount_[l] = polyCount_[l] = 0;
}

namespace {
struct KeyLess {
    bool operator()(const tmRenderQueue::Item* a, const tmRenderQueue::Item* b) const {
        const int32_t ta = static_cast<int32_t>(a->shape->shaderKind), tb = static_cast<int32_t>(b->shape->shaderKind);
        if (ta != tb) return ta < tb;
        return a->stateFlags < b->stateFlags;
    }
};
// Blended shapes are drawn back to front: in right-handed view space the
// farthest has the most negative z.
struct DepthLess {
    bool operator()(const tmRenderQueue::Item* a, const tmRenderQueue::Item* b) const { return a->depth < b->depth; }
};

}  // namespace

void tmRenderQueue::SortItems(Item** items, int count, bool byDepth) {
    if (byDepth)
        tmSortPointers(items, count, DepthLess());
    else
        tmSortPointers(items, count, KeyLess());
}
