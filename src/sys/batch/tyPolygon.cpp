// tyPolygon.cpp -- triangle collection, depth ordering and queueing of the polygon batch through the drawing seam.
#include "sys/batch/tyPolygon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "sys/batch/tyDepthSort.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmSpriteGroupRecord.h"

namespace {

namespace L = tmRenderLayer;
namespace T = tmShaderType;
// Glowing, faded near the camera, scene, and plain blended.
constexpr tyBatch::Kind kKinds[4] = {{L::kGlow, T::kVertexColour, false},
                                     {L::kBlended, T::kVertexColourDepthAlpha, true},
                                     {L::kScene, T::kVertexColour, false},
                                     {L::kBlended, T::kVertexColour, true}};

}  // namespace

tyPolygon::tyPolygon(const sys::tmSpriteRecord* sprites, int spriteCount, int capacity, int kind)
    : tyBatch(sprites, spriteCount, capacity, kKinds, 4, kind, 3), triangles_(new Triangle[size_t(capacity_)]) {}

tyPolygon::tyPolygon(const tmSpriteGroupRecord* group, int capacity, int kind)
    : tyPolygon(group ? group->sprites : nullptr, group ? static_cast<int>(group->spriteCount) : 0, capacity, kind) {}

tyPolygon::~tyPolygon() = default;

void tyPolygon::Release() {
    triangles_.reset();
    tyBatch::Release();
}

int tyPolygon::AddTriangles(int spriteIndex, int count, const float* positions, const float* texCoords,
                            const uint32_t* colours) {
    if (!HasSprite(spriteIndex) || !positions || !texCoords || !colours) return 0;
    const sys::tmSpriteRecord& s = Sprite(spriteIndex);
    int added = 0;
    for (int t = 0; t < count && count_ < capacity_; ++t, ++added) {
        Triangle& tri = triangles_[count_++];
        tri.depth = 0.0f;
        std::memcpy(tri.position, positions + size_t(t) * 9, sizeof tri.position);
        for (int k = 0; k < 3; ++k) {
            tri.uv[k * 2 + 0] = s.width * texCoords[size_t(t) * 6 + k * 2 + 0] + s.u;
            tri.uv[k * 2 + 1] = s.height * texCoords[size_t(t) * 6 + k * 2 + 1] + s.v;
            tri.colour[k] = colours[size_t(t) * 3 + k];
        }
    }
    return added;
}

int tyPolygon::AddQuad(int spriteIndex, const D3DXMATRIX& matrix, uint32_t colour) {
    static const D3DXVECTOR3 kCorner[4] = {{-0.5f, -0.5f, 0}, {-0.5f, 0.5f, 0}, {0.5f, 0.5f, 0}, {0.5f, -0.5f, 0}};
    static const float kUv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    static const int kOrder[12] = {0, 2, 1, 0, 3, 2, 0, 1, 2, 0, 2, 3};
    D3DXVECTOR3 placed[4];
    for (int c = 0; c < 4; ++c) D3DXVec3TransformCoord(&placed[c], &kCorner[c], &matrix);
    float positions[36], uvs[24];
    uint32_t colours[12];
    for (int k = 0; k < 12; ++k) {
        const int c = kOrder[k];
        positions[k * 3 + 0] = placed[c].x;
        positions[k * 3 + 1] = placed[c].y;
        positions[k * 3 + 2] = placed[c].z;
        uvs[k * 2 + 0] = kUv[c][0];
        uvs[k * 2 + 1] = kUv[c][1];
        colours[k] = colour;
    }
    return AddTriangles(spriteIndex, 4, positions, uvs, colours);
}

int tyPolygon::AddStrip(int spriteIndex, int vertexCount, const float* positions, const float* texCoords,
                        const uint32_t* colours) {
    if (vertexCount < 3 || !positions || !texCoords || !colours) return 0;
    int added = 0;
    for (int t = 0; t + 2 < vertexCount; ++t) {
        const int a = (t & 1) ? t + 1 : t;
        const int b = (t & 1) ? t : t + 1;
        const int idx[3] = {a, b, t + 2};
        float p[9], uv[6];
        uint32_t col[3];
        for (int k = 0; k < 3; ++k) {
            std::memcpy(p + k * 3, positions + size_t(idx[k]) * 3, sizeof(float) * 3);
            uv[k * 2 + 0] = texCoords[size_t(idx[k]) * 2 + 0];
            uv[k * 2 + 1] = texCoords[size_t(idx[k]) * 2 + 1];
            col[k] = colours[idx[k]];
        }
        const int n = AddTriangles(spriteIndex, 1, p, uv, col);
        if (n == 0) break;
        added += n;
    }
    return added;
}

void tyPolygon::Draw(const D3DXMATRIX& view) {
    if (count_ == 0) return;
    std::vector<Triangle*> order(static_cast<size_t>(count_));
    for (int i = 0; i < count_; ++i) order[size_t(i)] = &triangles_[i];
    if (IsSorted()) {
        for (Triangle* t : order) {
            const D3DXVECTOR3 first(t->position[0], t->position[1], t->position[2]);
            D3DXVECTOR3 v;
            D3DXVec3TransformCoord(&v, &first, &view);
            t->depth = v.z;
        }
        tyDepthSort(order.data(), count_, [](const Triangle* t) { return t->depth; });
    }
    for (int i = 0; i < count_; ++i) {
        const Triangle& t = *order[size_t(i)];
        std::memcpy(positions_.get() + size_t(i) * 9, t.position, sizeof t.position);
        std::memcpy(texCoords_.get() + size_t(i) * 6, t.uv, sizeof t.uv);
        std::memcpy(colours_.get() + size_t(i) * 3, t.colour, sizeof t.colour);
    }
    Queue(2, count_);  // world space
}
