// tyPolygon.h -- a per-frame batch of free triangles and matrix-placed quads queued as one polygon draw.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"
#include "sys/batch/tyBatch.h"

struct tmSpriteGroupRecord;

// Collects world-space triangles (positions, texture coordinates inside a
// sprite of one sheet, colours) during a frame; Draw copies them, depth sorted
// with the frame's view matrix for some kinds, into the output arrays and
// queues them as one batch. Owned by the race effects.
class tyPolygon : public tyBatch {
public:
    // sprites: the sheet's sprite records (not owned); kind 0..3 (other: 0).
    tyPolygon(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind);
    // The sprites of a sprite group (tmSpriteGroup::Get); null: no sprites.
    tyPolygon(const tmSpriteGroupRecord* group, int capacity, int kind);
    ~tyPolygon();

    void Release();

    // Appends up to count triangles from 3 x count positions (xyz), texture
    // pairs (fractions of the sprite) and ARGB colours; stops at capacity.
    // Returns the number appended (0 for a sprite index not on the sheet).
    int AddTriangles(int spriteIndex, int count, const float* positions, const float* texCoords,
                     const uint32_t* colours);
    // A unit quad in the XY plane placed by the matrix, both windings (4 triangles).
    int AddQuad(int spriteIndex, const D3DXMATRIX& matrix, uint32_t colour);
    // A triangle strip of vertexCount vertices (vertexCount - 2 triangles, every
    // second one reversed so all keep the strip's winding).
    int AddStrip(int spriteIndex, int vertexCount, const float* positions, const float* texCoords,
                 const uint32_t* colours);
    // Builds 3 vertices per triangle (sorted kinds farthest first in the
    // frame's view), queues them and empties the batch.
    void Draw(const D3DXMATRIX& view);

private:
    struct Triangle {
        float depth;
        float position[9];
        float uv[6];
        uint32_t colour[3];
    };

    std::unique_ptr<Triangle[]> triangles_;
};
