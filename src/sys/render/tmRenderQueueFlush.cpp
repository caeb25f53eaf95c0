// tmRenderQueueFlush.cpp -- turning queued sprites and polygon batches into shapes, then sorting.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/Device.h"
#include "sys/base/tmMemory.h"
#include "sys/gfx/tmRenderSetting.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace {
struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
struct WorldVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28, "pre-transformed sprite vertex");
static_assert(sizeof(WorldVertex) == 24, "world sprite vertex");

// Built-in vertex layouts of the built shapes: pre-transformed screen vertices
// (position and rhw, colour, uv), or world vertices (position, colour, uv).
constexpr uint32_t kPretransformedVertices = 1, kWorldVertices = 2;

sys::tmTexture* TextureOf(const tmRenderQueue::SpriteRecord* r) { return r->sprite->GetTexture(); }

// Texture rectangle of a record: corner 0 (tu0, tv0), corner 3 (tu1, tv1).
void TexRect(const tmRenderQueue::SpriteRecord& r, float* tu0, float* tv0, float* tu1, float* tv1) {
    const sys::tmSpriteRecord* s = r.sprite->GetRecord();
    if (r.uOffset >= 0.0f) {
        *tu0 = s->u + r.uOffset * s->width;
        *tv0 = s->v + r.vOffset * s->height;
        *tu1 = *tu0 + r.uExtent * s->width;
        *tv1 = *tv0 + r.vExtent * s->height;
    } else {
        *tu0 = s->u;
        *tv0 = s->v;
        *tu1 = s->u + s->width;
        *tv1 = s->v + s->height;
    }
}

// Writes corners in the order 0, 1, 2, 2, 1, 3.
template <class V>
void EmitQuad(V* out, const V corners[4]) {
    static const int kOrder[6] = {0, 1, 2, 2, 1, 3};
    for (int i = 0; i < 6; ++i) out[i] = corners[kOrder[i]];
}

// Clips the span a..b (either order) to lo..hi, moving its texture coordinates ua..ub with it;
// false when nothing of it is left.
bool ClipSpan(float* a, float* b, float* ua, float* ub, float lo, float hi) {
    if (std::max(*a, *b) <= lo || std::min(*a, *b) >= hi) return false;
    const float d = *b - *a;
    if (d == 0.0f) return true;
    const float na = std::clamp(*a, lo, hi), nb = std::clamp(*b, lo, hi);
    const float du = *ub - *ua;
    const float nua = *ua + du * (na - *a) / d, nub = *ua + du * (nb - *a) / d;
    *a = na;
    *b = nb;
    *ua = nua;
    *ub = nub;
    return true;
}

template <class V>
gfx::Buffer MakeBuffer(gfx::Device* device, const std::vector<V>& vertices) {
    const uint32_t bytes = static_cast<uint32_t>(vertices.size() * sizeof(V));
    gfx::Buffer vb = device->createBuffer(gfx::BufferKind::Vertex, bytes, true);
    if (!vb) return {};
    void* p = device->lockBuffer(vb, 0, bytes);
    if (!p) {
        device->releaseBuffer(vb);
        return {};
    }
    std::memcpy(p, vertices.data(), bytes);
    device->unlockBuffer(vb);
    return vb;
}
}  // namespace

sys::tmShape* tmRenderQueue::BuildScreenRun(gfx::Device* device, int first, sys::tmTexture* texture, int* next) {
    uint32_t texW = 0, texH = 0;
    const bool drawable = texture && texture->GetSize(&texW, &texH);
    const tmRenderSetting& s = tmGetCurrentRenderSetting();
    const float W = static_cast<float>(s.width), H = static_cast<float>(s.height);
    const float k = tmGetLayoutScale(), ox = static_cast<float>(tmGetLayoutOffset());
    const float oy = static_cast<float>(tmGetLayoutOffsetY());
    const float hud = tmGetHudScale();
    // Under a fit with bands, virtual-screen sprites stay inside the virtual screen: the bands stay black.
    int bandX = 0, bandY = 0;
    const bool clip = tmGetLayoutBands(&bandX, &bandY);
    const float clipX0 = static_cast<float>(bandX), clipX1 = W - clipX0;
    const float clipY0 = static_cast<float>(bandY), clipY1 = H - clipY0;
    std::vector<ScreenVertex> verts;
    int i = first, n = 0;
    for (; i < spriteListCount_ && n < kScreenRunLimit; ++i) {
        const SpriteRecord& r = *spriteList_[i];
        if (r.mode >= tmSpritePlacement::kWorldQuad) continue;
        if (TextureOf(&r) != texture) break;
        ++n;
        if (!drawable) continue;
        const sys::tmSpriteRecord* sr = r.sprite->GetRecord();
        float rw = sr->width, rh = sr->height;
        if (r.uOffset >= 0.0f) {
            rw *= r.uExtent;
            rh *= r.vExtent;
        }
        float w = static_cast<float>(texW) * r.scaleX * rw, h = static_cast<float>(texH) * r.scaleY * rh;
        // A race display sprite: its offsets and size in display units.
        const float unit = r.hudScaled ? hud : 1.0f;
        const float x = r.x * unit, y = r.y * unit;
        w *= unit;
        h *= unit;
        float x0 = x, y0 = y;
        namespace P = tmSpritePlacement;
        switch (r.mode) {
            case P::kBottomLeft: y0 = H - (y + h); break;
            case P::kTopRight: x0 = W - (x + w); break;
            case P::kBottomRight:
                x0 = W - (x + w);
                y0 = H - (y + h);
                break;
            case P::kCentre:
                x0 = W / 2 + x - (w + 1) / 2;
                y0 = H / 2 + y - (h + 1) / 2;
                break;
            case P::kTopCentre: x0 = W / 2 + x - (w + 1) / 2; break;
            case P::kBottomCentre:
                x0 = W / 2 + x - (w + 1) / 2;
                y0 = H - (y + h);
                break;
            case P::kVirtualScreen:
                x0 = r.x * k + ox;
                y0 = r.y * k + oy;
                w *= k;
                h *= k;
                break;
            default: break;
        }
        float x1 = x0 + w, y1 = y0 + h;
        float tu0, tv0, tu1, tv1;
        TexRect(r, &tu0, &tv0, &tu1, &tv1);
        if (clip && r.mode == P::kVirtualScreen && r.rotation == 0.0f &&
            !(ClipSpan(&x0, &x1, &tu0, &tu1, clipX0, clipX1) && ClipSpan(&y0, &y1, &tv0, &tv1, clipY0, clipY1)))
            continue;
        float cx[4] = {x0, x0, x1, x1}, cy[4] = {y0, y1, y0, y1};
        if (r.rotation != 0.0f) {
            const float c = std::cos(-r.rotation), sn = std::sin(-r.rotation);
            const float px = -r.pivotX * r.scaleX * unit, py = -r.pivotY * r.scaleY * unit;
            const float ru[4] = {px, px, px + w, px + w}, rv[4] = {py, py + h, py, py + h};
            const float mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
            for (int j = 0; j < 4; ++j) {
                cx[j] = c * ru[j] + sn * rv[j] + mx;
                cy[j] = -sn * ru[j] + c * rv[j] + my;
            }
        }
        const float tu[4] = {tu0, tu0, tu1, tu1}, tv[4] = {tv0, tv1, tv0, tv1};
        ScreenVertex corners[4];
        for (int j = 0; j < 4; ++j) corners[j] = {cx[j], cy[j], 0.0f, 1.0f, r.colour, tu[j], tv[j]};
        verts.resize(verts.size() + 6);
        EmitQuad(&verts[verts.size() - 6], corners);
    }
    *next = i;
    if (verts.empty()) return nullptr;  // a texture without an image draws nothing
    gfx::Buffer vb = MakeBuffer(device, verts);
    if (!vb) return nullptr;
    auto* shape = TM_NEW sys::tmShape;
    const uint32_t quads = static_cast<uint32_t>(verts.size() / 6);
    shape->SetupFromBuffers(vb, quads * 2, quads * 6, texture, spriteMaterial_, gfx::Primitive::TriangleList,
                            kPretransformedVertices, tmShaderType::kSprite);
    return shape;
}

sys::tmShape* tmRenderQueue::BuildWorldRun(gfx::Device* device, int first, sys::tmTexture* texture, int mode,
                                           int* next) {
    uint32_t texW = 0, texH = 0;
    const bool drawable = texture && texture->GetSize(&texW, &texH);
    std::vector<WorldVertex> verts;
    int i = first, n = 0;
    for (; i < spriteListCount_ && n < kWorldRunLimit; ++i) {
        const SpriteRecord& r = *spriteList_[i];
        if (r.mode != mode) continue;
        if (TextureOf(&r) != texture) break;
        ++n;
        if (!drawable) continue;
        const sys::tmSpriteRecord* sr = r.sprite->GetRecord();
        float w = r.width, h = r.height;
        if (!(w > 0.0f && h > 0.0f)) {
            w = static_cast<float>(texW) * sr->width / 256.0f;
            h = static_cast<float>(texH) * sr->height / 256.0f;
        }
        const float cx = w / 2 + r.x, cy = h / 2 + r.y;
        const float right = cx, left = cx - w, top = cy, bottom = cy - h;
        const D3DXVECTOR3 local[4] = {{right, top, 0}, {right, bottom, 0}, {left, top, 0}, {left, bottom, 0}};
        float tu0, tv0, tu1, tv1;
        TexRect(r, &tu0, &tv0, &tu1, &tv1);
        const float tu[4] = {tu0, tu0, tu1, tu1}, tv[4] = {tv0, tv1, tv0, tv1};
        WorldVertex corners[4];
        for (int j = 0; j < 4; ++j) {
            D3DXVECTOR3 p;
            D3DXVec3TransformCoord(&p, &local[j], &r.matrix);
            corners[j] = {p.x, p.y, p.z, r.colour, tu[j], tv[j]};
        }
        verts.resize(verts.size() + 6);
        EmitQuad(&verts[verts.size() - 6], corners);
    }
    *next = i;
    if (verts.empty()) return nullptr;
    gfx::Buffer vb = MakeBuffer(device, verts);
    if (!vb) return nullptr;
    auto* shape = TM_NEW sys::tmShape;
    const uint32_t quads = static_cast<uint32_t>(verts.size() / 6);
    shape->SetupFromBuffers(vb, quads * 2, quads * 6, texture, spriteMaterial_, gfx::Primitive::TriangleList,
                            kWorldVertices, tmShaderType::kSprite);
    return shape;
}

void tmRenderQueue::BuildSprites(gfx::Device* device) {
    // Runs of consecutive records (per kind) sharing a texture, split at the run limits. Kinds: 0 screen
    // sprites, 1 world quads under them, 2 world quads over them.
    struct Run {
        int first;
        sys::tmTexture* texture;
    };
    constexpr int kKinds = 3;
    std::vector<Run> runs[kKinds];
    sys::tmTexture* prev[kKinds] = {};
    int inRun[kKinds] = {};
    bool started[kKinds] = {};
    for (int i = 0; i < spriteListCount_; ++i) {
        const SpriteRecord* r = spriteList_[i];
        const int kind = r->mode == tmSpritePlacement::kWorldQuad             ? 1
                         : r->mode == tmSpritePlacement::kWorldQuadOverScreen ? 2
                                                                              : 0;
        const int limit = kind ? kWorldRunLimit : kScreenRunLimit;
        sys::tmTexture* t = TextureOf(r);
        if (!started[kind] || t != prev[kind] || inRun[kind] >= limit) {
            runs[kind].push_back({i, t});
            prev[kind] = t;
            started[kind] = true;
            inRun[kind] = 0;
        }
        ++inRun[kind];
    }
    spriteShapes_.reserve(runs[0].size() + runs[1].size() + runs[2].size());
    if (!runs[0].empty()) {
        Entry* entry = AddEntry(nullptr, nullptr, tmShaderType::kPretransformed, 1.0f);
        for (const Run& run : runs[0]) {
            int next = 0;
            sys::tmShape* shape = entry ? BuildScreenRun(device, run.first, run.texture, &next) : nullptr;
            if (!shape) continue;
            spriteShapes_.push_back(shape);
            AddToLayer(shape, tmRenderLayer::kScreen, entry, tmModelFlag::kOthers);
        }
    }
    // World quads: under the screen sprites on the overlay layer, or after them on the screen layer.
    for (int kind = 1; kind < kKinds; ++kind) {
        if (runs[kind].empty()) continue;
        const int mode = kind == 1 ? tmSpritePlacement::kWorldQuad : tmSpritePlacement::kWorldQuadOverScreen;
        const int layer = kind == 1 ? tmRenderLayer::kOverlay : tmRenderLayer::kScreen;
        Entry* entry = AddEntry(&viewProjection_, nullptr, tmShaderType::kFrontend, 1.0f, true);
        for (const Run& run : runs[kind]) {
            int next = 0;
            sys::tmShape* shape = entry ? BuildWorldRun(device, run.first, run.texture, mode, &next) : nullptr;
            if (!shape) continue;
            spriteShapes_.push_back(shape);
            AddToLayer(shape, layer, entry, tmModelFlag::kOthers);
        }
    }
}

sys::tmShape* tmRenderQueue::BuildPolygon(gfx::Device* device, const PolygonRecord& rec) {
    if (rec.triangleCount <= 0 || !rec.positions || !rec.colours || !rec.texCoords) return nullptr;
    const int n = rec.triangleCount * 3;
    std::vector<WorldVertex> verts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        verts[i] = {rec.positions[3 * i], rec.positions[3 * i + 1], rec.positions[3 * i + 2],
                    rec.colours[i],       rec.texCoords[2 * i],     rec.texCoords[2 * i + 1]};
    gfx::Buffer vb = MakeBuffer(device, verts);
    if (!vb) return nullptr;
    const float a = float(rec.colour >> 24) / 255.0f, r = float((rec.colour >> 16) & 0xFF) / 255.0f,
                g = float((rec.colour >> 8) & 0xFF) / 255.0f, b = float(rec.colour & 0xFF) / 255.0f;
    const gfx::Colour4 c{r, g, b, a};
    const gfx::Material material{c, c, c, c, 0.0f};
    auto* shape = TM_NEW sys::tmShape;
    shape->SetupFromBuffers(vb, uint32_t(rec.triangleCount), uint32_t(n), rec.sprite->GetTexture(), material,
                            gfx::Primitive::TriangleList, kWorldVertices, tmShaderType::kStandard);
    return shape;
}

void tmRenderQueue::BuildPolygons(gfx::Device* device) {
    D3DXMatrixIdentity(&world_);
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int i = 0; i < polyCount_[layer]; ++i) {
            const PolygonRecord& rec = *polyLists_[layer][i];
            sys::tmShape* shape = BuildPolygon(device, rec);
            if (!shape) continue;
            polygonShapes_.push_back(shape);
            const D3DXMATRIX& m = rec.matrixChoice == 0   ? viewProjection_
                                  : rec.matrixChoice == 1 ? extra1_
                                                          : secondViewProjection_;
            Entry* entry = AddEntry(&m, nullptr, rec.shaderType, 1.0f, true);
            if (entry) AddToLayer(shape, layer, entry, tmModelFlag::kOthers);
        }
    }
}

void tmRenderQueue::Flush(gfx::Device* device) {
    if (device) {
        BuildSprites(device);
        BuildPolygons(device);
    }
    SortItems(layers_[tmRenderLayer::kScene].data(), layerCount_[tmRenderLayer::kScene], false);
    SortItems(layers_[tmRenderLayer::kAlphaTested].data(), layerCount_[tmRenderLayer::kAlphaTested], false);
    SortItems(layers_[tmRenderLayer::kBlended].data(), layerCount_[tmRenderLayer::kBlended], true);
}
