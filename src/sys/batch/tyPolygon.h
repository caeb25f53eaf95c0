// tyPolygon.h -- a per-frame batch of free triangles and matrix-placed quads queued as one polygon draw.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"
#include "sys/resource/tmSprite.h"

struct tmSpriteGroupRecord;

// Collects triangles (positions, texture coordinates inside a sprite of one
// sheet, colours) during a frame; Draw copies them, depth sorted for some
// kinds, into output arrays and queues them with the renderer as one batch.
// Owned by the race effects. The output arrays are read when the frame is
// rendered, so Draw runs at most once per frame.
class tyPolygon {
public:
    static constexpr int kSpriteSlot = 114;

    // sprites: the sheet's sprite records (not owned); kind 0..3 (other: 0).
    tyPolygon(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind);
    // The sprites of a sprite group (tmSpriteGroup::Get); null: no sprites.
    tyPolygon(const tmSpriteGroupRecord* group, int capacity, int kind);
    ~tyPolygon();
    tyPolygon(const tyPolygon&) = delete;
    tyPolygon& operator=(const tyPolygon&) = delete;

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
    void Draw();
    void Clear() { count_ = 0; }

    static void SetViewMatrix(const D3DXMATRIX& view);
    static const D3DXMATRIX& GetViewMatrix();

    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    int GetLayer() const;
    uint32_t GetShaderType() const;
    bool IsSorted() const;
    // Output of the last Draw: 3 vertices per triangle.
    int GetVertexCount() const { return vertexCount_; }
    const float* GetPositions() const { return positions_.get(); }
    const uint32_t* GetColours() const { return colours_.get(); }
    const float* GetTexCoords() const { return texCoords_.get(); }

private:
    struct Triangle {
        float depth;
        float position[9];
        float uv[6];
        uint32_t colour[3];
    };

    const sys::tmSpriteRecord* sprites_;
    int spriteCount_;
    int capacity_;
    int kind_;
    std::unique_ptr<Triangle[]> triangles_;
    int count_ = 0;
    std::unique_ptr<float[]> positions_;
    std::unique_ptr<uint32_t[]> colours_;
    std::unique_ptr<float[]> texCoords_;
    int vertexCount_ = 0;
};
