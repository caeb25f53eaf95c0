// tyBatch.h -- the shared base of the effect batches: sprite sheet, kind, output vertices, queueing.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/resource/tmSprite.h"

// What the billboard and polygon batches share: the sheet's sprite records
// (not owned), the batch kind (layer, shader type, depth sorting), the item
// count and capacity, and the output arrays (positions, colours, texture
// coordinates) that Draw fills and queues through the drawing seam as one
// polygon batch on sprite slot kSpriteSlot. The arrays are read when the
// frame is rendered, so a batch is drawn at most once per frame. Made only by
// its two kinds; they own their items.
class tyBatch {
public:
    // Sprite slot whose texture draws every batch ("eff_white").
    static constexpr int kSpriteSlot = 114;

    // One kind of batch: the layer and shader type it is drawn with, and
    // whether its items are sorted farthest first.
    struct Kind {
        int layer;
        uint32_t shaderType;
        bool sorted;
    };

    tyBatch(const tyBatch&) = delete;
    tyBatch& operator=(const tyBatch&) = delete;

    // Frees the arrays; the batch then takes nothing.
    void Release();
    void Clear() { count_ = 0; }

    int GetCount() const { return count_; }
    int GetCapacity() const { return capacity_; }
    int GetLayer() const { return kinds_[kind_].layer; }
    uint32_t GetShaderType() const { return kinds_[kind_].shaderType; }
    bool IsSorted() const { return kinds_[kind_].sorted; }
    // Output of the last Draw.
    int GetVertexCount() const { return vertexCount_; }
    const float* GetPositions() const { return positions_.get(); }
    const uint32_t* GetColours() const { return colours_.get(); }
    const float* GetTexCoords() const { return texCoords_.get(); }

protected:
    // kinds: the kind table of the batch type (kindCount rows; an unknown kind
    // is 0); vertsPerItem: output vertices each item makes.
    tyBatch(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, const Kind* kinds, int kindCount,
            int kind, int vertsPerItem);
    ~tyBatch();

    bool HasSprite(int index) const { return index >= 0 && index < spriteCount_; }
    const sys::tmSpriteRecord& Sprite(int index) const { return sprites_[index]; }
    // Records the vertex count, queues triangleCount triangles of the output
    // arrays with the matrix choice (1 view space, 2 world space) and empties
    // the batch.
    void Queue(int matrixChoice, int triangleCount);

    int capacity_;
    int count_ = 0;
    int vertexCount_ = 0;
    std::unique_ptr<float[]> positions_;
    std::unique_ptr<uint32_t[]> colours_;
    std::unique_ptr<float[]> texCoords_;

private:
    const sys::tmSpriteRecord* sprites_;
    int spriteCount_;
    const Kind* kinds_;
    int kind_;
};
