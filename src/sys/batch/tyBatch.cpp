// tyBatch.cpp -- output arrays of a batch and its queueing through the drawing seam.
#include "sys/batch/tyBatch.h"

#include <algorithm>

#include "sys/render/tmDraw.h"

tyBatch::tyBatch(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, const Kind* kinds, int kindCount,
                 int kind, int vertsPerItem)
    : capacity_(std::max(0, capacity)),
      positions_(new float[size_t(capacity_) * size_t(vertsPerItem) * 3]()),
      colours_(new uint32_t[size_t(capacity_) * size_t(vertsPerItem)]()),
      texCoords_(new float[size_t(capacity_) * size_t(vertsPerItem) * 2]()),
      sprites_(sprites),
      spriteCount_(sprites ? std::max(0, spriteCount) : 0),
      kinds_(kinds),
      kind_(kind >= 0 && kind < kindCount ? kind : 0) {}

tyBatch::~tyBatch() = default;

void tyBatch::Release() {
    positions_.reset();
    colours_.reset();
    texCoords_.reset();
    capacity_ = 0;
    count_ = 0;
    vertexCount_ = 0;
}

void tyBatch::Queue(int matrixChoice, int triangleCount) {
    vertexCount_ = triangleCount * 3;
    tmDraw::GetInstance()->DrawBatch(kSpriteSlot, GetLayer(), 0xFFFFFFFFu, GetShaderType(), matrixChoice, triangleCount,
                                     positions_.get(), colours_.get(), texCoords_.get());
    count_ = 0;
}
