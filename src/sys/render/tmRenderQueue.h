// tmRenderQueue.h -- the per-frame draw list: 21 layers, pooled entries, sprite runs and sorting.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/GfxTypes.h"
#include "sys/base/tmMath.h"
#include "sys/render/tmRenderLayer.h"

namespace gfx {
class Device;
}
namespace sys {
class tmModel;
class tmShape;
class tmSprite;
class tmTexture;
}  // namespace sys

// Resolves fixed model and sprite slot numbers (the resource cache).
class tmSlotSource {
public:
    virtual ~tmSlotSource() = default;
    virtual sys::tmModel* GetModelSlot(int slot) = 0;
    virtual sys::tmSprite* GetSpriteSlot(int slot) = 0;
};

// Records every draw request of a frame with a snapshot of the current
// matrices; Flush builds sprite and polygon shapes and sorts; the renderer
// walks the layers; Clear empties everything. Created by tmRender at every
// device set-up. Pools are fixed at Initialize: a request that would exceed a
// pool, a layer or the sprite list is dropped and counted (GetDropped).
class tmRenderQueue {
public:
    static constexpr int kLayerCount = tmRenderLayer::kCount;
    // Pool sizes the renderer initialises the queue with: items in all and per
    // layer, entries, sprite records (screen sprites and world quads together),
    // polygon records in all and per layer.
    static constexpr int kItemCapacity = 8192;
    static constexpr int kEntryCapacity = 4096;
    static constexpr int kSpriteCapacity = 1024;
    static constexpr int kPolygonCapacity = 256;
    // Sprites merged into one screen run and quads into one world run at most.
    static constexpr int kScreenRunLimit = 512;
    static constexpr int kWorldRunLimit = 256;
    // The state flag a negative DrawModelEx flag clears (the live reflection).
    static constexpr uint32_t kDynamicReflect = 0x10000;

    struct Entry {
        D3DXMATRIX world, view, projection, transform, nearShadow, farShadow;
        D3DXVECTOR4 eye{0, 0, 0, 1};
        D3DXVECTOR4 light{0, -1, 0, 0.3f};
        uint32_t shaderType = 0;
        float alpha = 1.0f;
        // Sprite quads and batches: the vertices are placed already (world or
        // view space) and `transform` alone takes them to clip space; world,
        // view and projection are the queue's matrices of the moment, not theirs.
        bool placed = false;
    };
    struct Item {
        sys::tmShape* shape = nullptr;
        Entry* entry = nullptr;
        uint32_t shaderType = 0xFFFFFFFFu;
        uint32_t stateFlags = 0xFFFFFFFFu;
        float depth = 0.0f;
    };
    struct SpriteRecord {
        sys::tmSprite* sprite = nullptr;
        float x = 0, y = 0, scaleX = 1, scaleY = 1;
        uint32_t colour = 0xFFFFFFFFu;
        int mode = tmSpritePlacement::kTopLeft;  // a screen placement, or kWorldQuad
        bool hudScaled = false;                  // the placement carried tmSpritePlacement::kHudScaled
        float rotation = 0, pivotX = 0, pivotY = 0;
        D3DXMATRIX matrix;
        float uOffset = -1, vOffset = -1, uExtent = -1, vExtent = -1;
        float width = 0, height = 0;
    };
    struct PolygonRecord {
        sys::tmSprite* sprite = nullptr;
        uint32_t colour = 0;
        int triangleCount = 0;
        uint32_t shaderType = 0;
        int matrixChoice = 0;
        const float* positions = nullptr;
        const uint32_t* colours = nullptr;
        const float* texCoords = nullptr;
    };

    tmRenderQueue();
    ~tmRenderQueue();
    tmRenderQueue(const tmRenderQueue&) = delete;
    tmRenderQueue& operator=(const tmRenderQueue&) = delete;

    void Initialize(tmSlotSource* holder, int itemCapacity, int entryCapacity, int spriteCapacity, int polygonCapacity);

    int AddModelBySlot(int slot, uint32_t shaderType, int layer, float alpha, int flag);
    int AddModel(sys::tmModel* model, uint32_t shaderType, int layer, float alpha, int flag);
    int AddSpriteBySlot(int slot, float x, float y, float scaleX, float scaleY, uint32_t colour, int mode,
                        float rotation, float pivotX, float pivotY, float uOffset, float vOffset, float uExtent,
                        float vExtent);
    int AddSprite(sys::tmSprite* sprite, float x, float y, float scaleX, float scaleY, uint32_t colour, int mode,
                  float rotation, float pivotX, float pivotY, float uOffset, float vOffset, float uExtent,
                  float vExtent);
    // A sprite quad placed by a matrix; mode kWorldQuad draws it on the overlay layer (under the screen
    // sprites), kWorldQuadOverScreen on the screen layer after them.
    int AddSpriteQuadBySlot(int slot, const D3DXMATRIX& matrix, uint32_t colour, float uOffset, float vOffset,
                            float uExtent, float vExtent, float width, float height,
                            int mode = tmSpritePlacement::kWorldQuad);
    int AddSpriteQuad(sys::tmSprite* sprite, const D3DXMATRIX& matrix, uint32_t colour, float uOffset, float vOffset,
                      float uExtent, float vExtent, float width, float height,
                      int mode = tmSpritePlacement::kWorldQuad);
    int AddPolygons(int spriteSlot, int layer, uint32_t colour, uint32_t shaderType, int matrixChoice,
                    int triangleCount, const float* positions, const uint32_t* colours, const float* texCoords);
    void SetCubeMapCenter(const D3DXVECTOR3& p);
    void Flush(gfx::Device* device);
    void Clear();

    // Orders items by shader type then state flags (byDepth: farthest first).
    static void SortItems(Item** items, int count, bool byDepth);

    // ---- current matrices and light ----
    void SetWorld(const D3DXMATRIX& m) { world_ = m; }
    void SetView(const D3DXMATRIX& m) { view_ = m; }
    void SetProjection(const D3DXMATRIX& m) { projection_ = m; }
    void SetViewProjection(const D3DXMATRIX& m) { viewProjection_ = m; }
    void SetExtra1(const D3DXMATRIX& m) { extra1_ = m; }
    void SetExtra2(const D3DXMATRIX& m) { extra2_ = m; }
    void SetExtra3(const D3DXMATRIX& m) { extra3_ = m; }
    void SetSecondView(const D3DXMATRIX& view, const D3DXMATRIX& projection);
    void SetNearFar(float nearPlane, float farPlane) {
        near_ = nearPlane;
        far_ = farPlane;
    }
    void SetLight(const D3DXVECTOR4& light) { light_ = light; }
    void SetShadowMatrices(const D3DXMATRIX& nearVP, const D3DXMATRIX& farVP) {
        nearShadow_ = nearVP;
        farShadow_ = farVP;
    }
    void SetQueuePlane(const D3DXVECTOR3& p) { queuePlane_ = p; }

    const D3DXMATRIX& GetWorld() const { return world_; }
    const D3DXMATRIX& GetView() const { return view_; }
    const D3DXMATRIX& GetProjection() const { return projection_; }
    const D3DXMATRIX& GetViewProjection() const { return viewProjection_; }
    const D3DXMATRIX& GetSecondViewProjection() const { return secondViewProjection_; }
    const D3DXMATRIX& GetCubeFace(int face) const {
        return cube_[face < 0 || face >= tmRenderLayer::kCubeFaceCount ? 0 : face];
    }
    const D3DXMATRIX& GetScreenViewProjection() const { return screenVP_; }
    const D3DXMATRIX& GetSquareViewProjection() const { return squareVP_; }
    const D3DXMATRIX& GetNearShadow() const { return nearShadow_; }
    const D3DXMATRIX& GetFarShadow() const { return farShadow_; }
    const D3DXVECTOR4& GetLight() const { return light_; }
    const D3DXVECTOR3& GetQueuePlane() const { return queuePlane_; }
    float GetNear() const { return near_; }
    float GetFar() const { return far_; }

    // ---- readers ----
    int GetLayerCount(int layer) const { return layer >= 0 && layer < kLayerCount ? layerCount_[layer] : 0; }
    Item* const* GetLayerItems(int layer) const;
    int GetSpriteCount() const { return spriteListCount_; }
    const SpriteRecord* GetSprite(int i) const { return i >= 0 && i < spriteListCount_ ? spriteList_[i] : nullptr; }
    int GetPolygonCount(int layer) const { return layer >= 0 && layer < kLayerCount ? polyCount_[layer] : 0; }
    const PolygonRecord* GetPolygon(int layer, int i) const {
        return i >= 0 && i < GetPolygonCount(layer) ? polyLists_[layer][i] : nullptr;
    }
    int GetSpriteShapeCount() const { return static_cast<int>(spriteShapes_.size()); }
    int GetPolygonShapeCount() const { return static_cast<int>(polygonShapes_.size()); }
    int GetEntryCount() const { return entryCount_; }
    int GetItemCount() const { return itemCount_; }
    int GetDropped() const { return dropped_; }
    const gfx::Material& GetSpriteMaterial() const { return spriteMaterial_; }

private:
    Entry* AddEntry(const D3DXMATRIX* transform, const D3DXVECTOR4* eye, uint32_t shaderType, float alpha,
                    bool placed = false);
    bool AddToLayer(sys::tmShape* shape, int layer, Entry* entry, int flag);
    int AppendSprite(const SpriteRecord& rec);
    void BuildSprites(gfx::Device* device);
    void BuildPolygons(gfx::Device* device);
    sys::tmShape* BuildScreenRun(gfx::Device* device, int first, sys::tmTexture* texture, int* next);
    sys::tmShape* BuildWorldRun(gfx::Device* device, int first, sys::tmTexture* texture, int mode, int* next);
    sys::tmShape* BuildPolygon(gfx::Device* device, const PolygonRecord& rec);

    tmSlotSource* holder_ = nullptr;
    std::vector<sys::tmShape*> spriteShapes_;
    std::vector<sys::tmShape*> polygonShapes_;
    std::vector<Item*> layers_[kLayerCount];
    int layerCount_[kLayerCount] = {};
    std::vector<PolygonRecord*> polyLists_[kLayerCount];
    int polyCount_[kLayerCount] = {};
    std::vector<SpriteRecord*> spriteList_;
    int spriteListCount_ = 0;
    std::vector<Item> items_;
    std::vector<Entry> entries_;
    std::vector<SpriteRecord> sprites_;
    std::vector<PolygonRecord> polygons_;
    int itemCount_ = 0, entryCount_ = 0, spriteCount_ = 0, polygonCount_ = 0;
    int dropped_ = 0;
    gfx::Material spriteMaterial_;
    D3DXMATRIX world_, view_, projection_, viewProjection_, extra1_;
    D3DXMATRIX secondView_, secondProjection_, secondViewProjection_;
    D3DXMATRIX cube_[tmRenderLayer::kCubeFaceCount];
    D3DXMATRIX extra2_, extra3_;
    float near_ = 10.0f, far_ = 10000.0f;
    D3DXVECTOR4 light_{0, -1, 0, 0.3f};
    D3DXMATRIX nearShadow_, farShadow_, squareVP_, screenVP_;
    D3DXVECTOR3 queuePlane_{0, 0, 0};
};
