// Mesh.cpp -- mesh creation, attribute sort, layout conversion, tangents, bounds.
#include "platform/mesh/Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace platform::mesh {

uint32_t ReadU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
void WriteU32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
float ReadF32(const uint8_t* p) {
    uint32_t u = ReadU32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}
void WriteF32(uint8_t* p, float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    WriteU32(p, u);
}

bool Mesh::Create(uint32_t faceCount, uint32_t vertexCount, const VertexElement* layout, bool index32) {
    Clear();
    const int n = ElementCount(layout);
    const uint32_t stride = LayoutVertexSize(layout);
    if (faceCount == 0 || vertexCount == 0 || faceCount > kMaxFaces || vertexCount > kMaxVertices || n == 0 ||
        stride == 0)
        return false;
    if (!index32 && vertexCount > 0xFFFF) return false;
    layout_.assign(layout, layout + n);
    layout_.push_back(kEndElement);
    faceCount_ = faceCount;
    vertexCount_ = vertexCount;
    stride_ = stride;
    index32_ = index32;
    vertices_.assign(static_cast<size_t>(vertexCount) * stride, 0);
    indices_.assign(static_cast<size_t>(faceCount) * 3, 0);
    attributes_.assign(faceCount, 0);
    return true;
}

void Mesh::Clear() {
    faceCount_ = vertexCount_ = stride_ = 0;
    index32_ = false;
    layout_.assign(1, kEndElement);
    vertices_.clear();
    indices_.clear();
    attributes_.clear();
    table_.clear();
}

std::vector<uint8_t> Mesh::IndexBytes() const {
    std::vector<uint8_t> out(indices_.size() * (index32_ ? 4 : 2));
    for (size_t i = 0; i < indices_.size(); ++i) {
        if (index32_) {
            WriteU32(&out[i * 4], indices_[i]);
        } else {
            out[i * 2] = static_cast<uint8_t>(indices_[i]);
            out[i * 2 + 1] = static_cast<uint8_t>(indices_[i] >> 8);
        }
    }
    return out;
}

bool Mesh::IndicesValid() const {
    return std::all_of(indices_.begin(), indices_.end(), [&](uint32_t i) { return i < vertexCount_; });
}

bool Mesh::SortByAttribute(bool compact) {
    if (!IndicesValid()) return false;
    std::vector<uint32_t> order(faceCount_);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return attributes_[a] < attributes_[b]; });

    // Renumber vertices by first use in the sorted face order.
    constexpr uint32_t kUnset = 0xFFFFFFFFu;
    std::vector<uint32_t> remap(vertexCount_, kUnset);
    uint32_t next = 0;
    std::vector<uint32_t> newIndices(indices_.size());
    std::vector<uint32_t> newAttributes(faceCount_);
    for (uint32_t f = 0; f < faceCount_; ++f) {
        const uint32_t src = order[f];
        newAttributes[f] = attributes_[src];
        for (int c = 0; c < 3; ++c) {
            uint32_t v = indices_[src * 3 + c];
            if (remap[v] == kUnset) remap[v] = next++;
            newIndices[f * 3 + c] = remap[v];
        }
    }
    const uint32_t used = next;
    if (!compact)
        for (uint32_t v = 0; v < vertexCount_; ++v)
            if (remap[v] == kUnset) remap[v] = next++;
    const uint32_t newCount = compact ? used : vertexCount_;
    if (newCount == 0) return false;
    std::vector<uint8_t> newVertices(static_cast<size_t>(newCount) * stride_);
    for (uint32_t v = 0; v < vertexCount_; ++v)
        if (remap[v] != kUnset)
            std::memcpy(&newVertices[static_cast<size_t>(remap[v]) * stride_],
                        &vertices_[static_cast<size_t>(v) * stride_], stride_);
    vertices_.swap(newVertices);
    indices_.swap(newIndices);
    attributes_.swap(newAttributes);
    vertexCount_ = newCount;

    table_.clear();
    for (uint32_t f = 0; f < faceCount_;) {
        AttributeRange r;
        r.attribId = attributes_[f];
        r.faceStart = f;
        uint32_t lo = kUnset, hi = 0;
        while (f < faceCount_ && attributes_[f] == r.attribId) {
            for (int c = 0; c < 3; ++c) {
                lo = std::min(lo, indices_[f * 3 + c]);
                hi = std::max(hi, indices_[f * 3 + c]);
            }
            ++f;
        }
        r.faceCount = f - r.faceStart;
        r.vertexStart = lo;
        r.vertexCount = hi - lo + 1;
        table_.push_back(r);
    }
    return true;
}

int Mesh::ElementOffset(uint8_t usage, uint8_t usageIndex) const {
    for (size_t i = 0; i + 1 < layout_.size(); ++i)
        if (layout_[i].usage == usage && layout_[i].usageIndex == usageIndex && layout_[i].stream == 0)
            return layout_[i].offset;
    return -1;
}

namespace {

const VertexElement* FindElement(const VertexElement* list, uint8_t usage, uint8_t usageIndex) {
    for (int i = 0, n = ElementCount(list); i < n; ++i)
        if (list[i].usage == usage && list[i].usageIndex == usageIndex && list[i].stream == 0) return &list[i];
    return nullptr;
}

// Reads up to four float components of an element (colours as 0..1 BGRA
// unpacked to r, g, b, a); returns the number of components.
int ReadElement(const uint8_t* p, uint8_t type, float out[4]) {
    switch (type) {
        case kFloat1: out[0] = ReadF32(p); return 1;
        case kFloat2:
            for (int i = 0; i < 2; ++i) out[i] = ReadF32(p + 4 * i);
            return 2;
        case kFloat3:
            for (int i = 0; i < 3; ++i) out[i] = ReadF32(p + 4 * i);
            return 3;
        case kFloat4:
            for (int i = 0; i < 4; ++i) out[i] = ReadF32(p + 4 * i);
            return 4;
        default: return 0;
    }
}

void WriteElement(uint8_t* p, uint8_t type, const float in[4], int have) {
    int n = 0;
    switch (type) {
        case kFloat1: n = 1; break;
        case kFloat2: n = 2; break;
        case kFloat3: n = 3; break;
        case kFloat4: n = 4; break;
        default: return;
    }
    for (int i = 0; i < n; ++i) WriteF32(p + 4 * i, i < have ? in[i] : (i == 3 ? 1.0f : 0.0f));
}

}  // namespace

bool Mesh::CloneWithLayout(const VertexElement* layout, Mesh& out) const {
    if (faceCount_ == 0) return false;
    if (!out.Create(faceCount_, vertexCount_, layout, index32_)) return false;
    out.indices_ = indices_;
    out.attributes_ = attributes_;
    out.table_ = table_;
    const VertexElement* dst = out.Layout();
    for (int e = 0, n = ElementCount(dst); e < n; ++e) {
        const VertexElement& d = dst[e];
        const VertexElement* s = FindElement(Layout(), d.usage, d.usageIndex);
        for (uint32_t v = 0; v < vertexCount_; ++v) {
            uint8_t* to = &out.vertices_[static_cast<size_t>(v) * out.stride_ + d.offset];
            const uint8_t* from = s ? &vertices_[static_cast<size_t>(v) * stride_ + s->offset] : nullptr;
            if (d.type == kColor) {
                uint32_t c = 0xFFFFFFFFu;
                if (s && s->type == kColor) c = ReadU32(from);
                WriteU32(to, c);
            } else if (s && s->type == d.type) {
                std::memcpy(to, from, TypeSize(d.type));
            } else {
                float vals[4] = {0, 0, 0, 1};
                int have = s ? ReadElement(from, s->type, vals) : 0;
                WriteElement(to, d.type, vals, have);
            }
        }
    }
    return true;
}

bool Mesh::ComputeTangents() {
    const VertexElement* tan = FindElement(Layout(), kTangent, 0);
    const VertexElement* uv = FindElement(Layout(), kTexCoord, 0);
    const VertexElement* pos = FindElement(Layout(), kPosition, 0);
    const VertexElement* nrm = FindElement(Layout(), kNormal, 0);
    if (!tan || tan->type != kFloat3 || !uv || uv->type != kFloat2 || !pos || pos->type != kFloat3) return false;
    if (nrm && nrm->type != kFloat3) nrm = nullptr;
    if (!IndicesValid()) return false;
    std::vector<float> acc(static_cast<size_t>(vertexCount_) * 3, 0.0f);
    auto vtx = [&](uint32_t v) { return &vertices_[static_cast<size_t>(v) * stride_]; };
    for (uint32_t f = 0; f < faceCount_; ++f) {
        uint32_t i[3] = {indices_[f * 3], indices_[f * 3 + 1], indices_[f * 3 + 2]};
        float p[3][3], t[3][2];
        for (int c = 0; c < 3; ++c) {
            for (int k = 0; k < 3; ++k) p[c][k] = ReadF32(vtx(i[c]) + pos->offset + 4 * k);
            for (int k = 0; k < 2; ++k) t[c][k] = ReadF32(vtx(i[c]) + uv->offset + 4 * k);
        }
        float e1[3], e2[3];
        for (int k = 0; k < 3; ++k) {
            e1[k] = p[1][k] - p[0][k];
            e2[k] = p[2][k] - p[0][k];
        }
        float du1 = t[1][0] - t[0][0], dv1 = t[1][1] - t[0][1];
        float du2 = t[2][0] - t[0][0], dv2 = t[2][1] - t[0][1];
        float det = du1 * dv2 - du2 * dv1;
        if (std::fabs(det) < 1e-12f) continue;
        float r = 1.0f / det;
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k) acc[i[c] * 3 + k] += (e1[k] * dv2 - e2[k] * dv1) * r;
    }
    for (uint32_t v = 0; v < vertexCount_; ++v) {
        float t[3] = {acc[v * 3], acc[v * 3 + 1], acc[v * 3 + 2]};
        if (nrm) {
            float n[3];
            for (int k = 0; k < 3; ++k) n[k] = ReadF32(vtx(v) + nrm->offset + 4 * k);
            float d = n[0] * t[0] + n[1] * t[1] + n[2] * t[2];
            for (int k = 0; k < 3; ++k) t[k] -= n[k] * d;
        }
        float len = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
        if (len > 1e-20f) {
            for (float& x : t) x /= len;
        } else {
            t[0] = 1.0f;
            t[1] = t[2] = 0.0f;
        }
        for (int k = 0; k < 3; ++k) WriteF32(vtx(v) + tan->offset + 4 * k, t[k]);
    }
    return true;
}

void ComputeBoundingSphere(const uint8_t* vertices, uint32_t count, uint32_t stride, float centre[3], float* radius) {
    centre[0] = centre[1] = centre[2] = 0.0f;
    *radius = 0.0f;
    if (!vertices || count == 0 || stride < 12) return;
    double sum[3] = {0, 0, 0};
    for (uint32_t v = 0; v < count; ++v)
        for (int k = 0; k < 3; ++k) sum[k] += ReadF32(vertices + static_cast<size_t>(v) * stride + 4 * k);
    for (int k = 0; k < 3; ++k) centre[k] = static_cast<float>(sum[k] / count);
    float best = 0.0f;
    for (uint32_t v = 0; v < count; ++v) {
        float d2 = 0.0f;
        for (int k = 0; k < 3; ++k) {
            float d = ReadF32(vertices + static_cast<size_t>(v) * stride + 4 * k) - centre[k];
            d2 += d * d;
        }
        best = std::max(best, d2);
    }
    *radius = std::sqrt(best);
}

}  // namespace platform::mesh
