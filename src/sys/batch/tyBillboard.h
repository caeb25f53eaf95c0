// tyBillboard.h -- a per-frame batch of camera-facing sprites queued as one polygon draw.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"
#include "sys/batch/tyBatch.h"

struct tmSpriteGroupRecord;

// Collects instances (view-facing quads with a world position, size,
// rotation, two colours and a sprite of one sheet) during a frame; Draw turns
// them into view-space triangles with the frame's view matrix and queues them
// as one batch. Owned by the race effects, which make it on the effects sheet.
class tyBillboard : public tyBatch {
public:
    // sprites: the sheet's sprite records (not owned); kind 0..2 (other: 0).
    tyBillboard(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind);
    // The sprites of a sprite group (tmSpriteGroup::Get); null: no sprites.
    tyBillboard(const tmSpriteGroupRecord* group, int capacity, int kind);
    ~tyBillboard();

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
    // Moves the instances into view space with the frame's view matrix, builds
    // 6 vertices each (sorted kinds farthest first), queues them and empties
    // the batch.
    void Draw(const D3DXMATRIX& view);

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

    Instance current_;
    std::unique_ptr<Instance[]> instances_;
};
