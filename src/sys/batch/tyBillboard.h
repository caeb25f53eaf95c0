// tyBillboard.h -- a per-frame batch of camera-facing sprites queued as one polygon draw.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"
#include "sys/resource/tmSprite.h"

struct tmSpriteGroupRecord;

// Collects instances (view-facing quads with a position, size, rotation, two
// colours and a sprite of one sheet) during a frame; Draw turns them into
// view-space triangles and queues them with the renderer as one batch. Owned
// by the race effects, which make it on the effects sheet. The output arrays
// are read when the frame is rendered, so Draw runs at most once per frame.
class tyBillboard {
public:
    // Sprite slot whose texture draws every batch ("eff_white").
    static constexpr int kSpriteSlot = 114;

    // sprites: the sheet's sprite records (not owned); kind 0..2 (other: 0).
    tyBillboard(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind);
    // The sprites of a sprite group (tmSpriteGroup::Get); null: no sprites.
    tyBillboard(const tmSpriteGroupRecord* group, int capacity, int kind);
    ~tyBillboard();
    tyBillboard(const tyBillboard&) = delete;
    tyBillboard& operator=(const tyBillboard&) = delete;

    void Release();

    void SetPosition(const D3DXVECTOR3& p) {
        current_.x = p.x;
        current_.y = p.y;
        current_.z = p.z;
    }
    void SetSize(float width, float height) {
        current_.width = width;
        current_.height = height;
    }
    void SetRotation(float radians) { current_.rotation = radians; }
    // Channels 0..1; sets both colours.
    void SetColorF(float a, float r, float g, float b);
    void SetColor(uint32_t argb) { current_.colour = current_.colour2 = argb; }
    // Second colour: this RGB with the first colour's alpha.
    void SetRGB(uint32_t rgb) { current_.colour2 = (current_.colour & 0xFF000000u) | (rgb & 0xFFFFFFu); }
    // Appends the current instance with this sprite. Dropped when the batch is
    // full or the sprite index is not on the sheet.
    void Add(int spriteIndex);
    // Builds the vertices, queues the batch and empties it.
    void Draw();
    void Clear() { count_ = 0; }

    static void SetViewMatrix(const D3DXMATRIX& view);
    static const D3DXMATRIX& GetViewMatrix();

    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    int GetLayer() const;
    uint32_t GetShaderType() const;
    bool IsSorted() const;
    // Output of the last Draw: 6 vertices per instance.
    int GetVertexCount() const { return vertexCount_; }
    const float* GetPositions() const { return positions_.get(); }
    const uint32_t* GetColours() const { return colours_.get(); }
    const float* GetTexCoords() const { return texCoords_.get(); }

private:
    struct Instance {
        int sprite = -1;
        float x = 0, y = 0, z = 0;
        float width = 1, height = 1;
        float rotation = 0;
        uint32_t colour = 0xFFFFFFFFu;
        uint32_t colour2 = 0xFFFFFFFFu;
    };
    void Emit(const Instance& in, int base);

    const sys::tmSpriteRecord* sprites_;
    int spriteCount_;
    int capacity_;
    int kind_;
    Instance current_;
    std::unique_ptr<Instance[]> instances_;
    int count_ = 0;
    std::unique_ptr<float[]> positions_;
    std::unique_ptr<uint32_t[]> colours_;
    std::unique_ptr<float[]> texCoords_;
    int vertexCount_ = 0;
};
