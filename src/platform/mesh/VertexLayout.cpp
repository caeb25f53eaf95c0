// VertexLayout.cpp -- the eight built-in layouts and layout size / FVF queries.
#include "platform/mesh/VertexLayout.h"

namespace platform::mesh {

namespace {

constexpr VertexElement kLayout0[] = {
    {0, 0, kFloat4, 0, kPositionT, 0}, {0, 16, kFloat2, 0, kTexCoord, 0}, kEndElement};
constexpr VertexElement kLayout1[] = {{0, 0, kFloat4, 0, kPositionT, 0},
                                      {0, 16, kColor, 0, kColorUsage, 0},
                                      {0, 20, kFloat2, 0, kTexCoord, 0},
                                      kEndElement};
constexpr VertexElement kLayout2[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                      {0, 12, kColor, 0, kColorUsage, 0},
                                      {0, 16, kFloat2, 0, kTexCoord, 0},
                                      kEndElement};
constexpr VertexElement kLayout3[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                      {0, 12, kFloat3, 0, kNormal, 0},
                                      {0, 24, kColor, 0, kColorUsage, 0},
                                      {0, 28, kFloat2, 0, kTexCoord, 0},
                                      {0, 36, kFloat2, 0, kTexCoord, 1},
                                      {0, 44, kFloat3, 0, kTangent, 0},
                                      kEndElement};
constexpr VertexElement kLayout4[] = {{0, 0, kFloat3, 0, kPosition, 0},   {0, 12, kFloat3, 0, kNormal, 0},
                                      {0, 24, kColor, 0, kColorUsage, 0}, {0, 28, kFloat2, 0, kTexCoord, 0},
                                      {0, 36, kFloat2, 0, kTexCoord, 1},  kEndElement};
constexpr VertexElement kLayout5[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                      {0, 12, kColor, 0, kColorUsage, 0},
                                      {0, 16, kFloat2, 0, kTexCoord, 0},
                                      {0, 24, kFloat2, 0, kTexCoord, 1},
                                      kEndElement};
constexpr VertexElement kLayout6[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                      {0, 12, kFloat3, 0, kNormal, 0},
                                      {0, 24, kColor, 0, kColorUsage, 0},
                                      {0, 28, kFloat2, 0, kTexCoord, 0},
                                      kEndElement};
constexpr VertexElement kLayout7[] = {
    {0, 0, kFloat3, 0, kPosition, 0}, {0, 12, kFloat3, 0, kNormal, 0}, {0, 24, kFloat2, 0, kTexCoord, 0}, kEndElement};

constexpr const VertexElement* kLayouts[kBuiltinLayoutCount] = {kLayout0, kLayout1, kLayout2, kLayout3,
                                                                kLayout4, kLayout5, kLayout6, kLayout7};

}  // namespace

const VertexElement* BuiltinLayout(int index) {
    if (index < 0 || index >= kBuiltinLayoutCount) return nullptr;
    return kLayouts[index];
}

uint32_t TypeSize(uint8_t type) {
    switch (type) {
        case kFloat1:
        case kColor:
        case kUByte4:
        case kShort2:
        case kUByte4N:
        case kShort2N:
        case kUShort2N:
        case kUDec3:
        case kDec3N:
        case kFloat16x2: return 4;
        case kFloat2:
        case kShort4:
        case kShort4N:
        case kUShort4N:
        case kFloat16x4: return 8;
        case kFloat3: return 12;
        case kFloat4: return 16;
        default: return 0;
    }
}

int ElementCount(const VertexElement* list) {
    int n = 0;
    while (list && n < kMaxElements - 1 && list[n].stream != kEndStream) ++n;
    return n;
}

uint32_t LayoutVertexSize(const VertexElement* list) {
    uint32_t size = 0;
    for (int i = 0, n = ElementCount(list); i < n; ++i) {
        if (list[i].stream != 0) continue;
        uint32_t end = list[i].offset + TypeSize(list[i].type);
        if (end > size) size = end;
    }
    return size;
}

uint32_t LayoutFvf(const VertexElement* list) {
    const int n = ElementCount(list);
    if (n == 0) return 0;
    uint32_t fvf = 0, offset = 0;
    int i = 0;
    auto at = [&](uint8_t usage, uint8_t index, uint8_t type) {
        return i < n && list[i].stream == 0 && list[i].usage == usage && list[i].usageIndex == index &&
               list[i].type == type && list[i].offset == offset;
    };
    if (at(kPosition, 0, kFloat3)) {
        fvf |= 0x002;
        offset += 12;
        ++i;
    } else if (at(kPositionT, 0, kFloat4)) {
        fvf |= 0x004;
        offset += 16;
        ++i;
    } else
        return 0;
    if (at(kNormal, 0, kFloat3)) {
        fvf |= 0x010;
        offset += 12;
        ++i;
    }
    if (at(kPSize, 0, kFloat1)) {
        fvf |= 0x020;
        offset += 4;
        ++i;
    }
    if (at(kColorUsage, 0, kColor)) {
        fvf |= 0x040;
        offset += 4;
        ++i;
    }
    if (at(kColorUsage, 1, kColor)) {
        fvf |= 0x080;
        offset += 4;
        ++i;
    }
    uint32_t texCount = 0;
    while (i < n && texCount < 8 && list[i].stream == 0 && list[i].usage == kTexCoord &&
           list[i].usageIndex == texCount && list[i].offset == offset) {
        uint32_t sizeBits;
        switch (list[i].type) {
            case kFloat2: sizeBits = 0; break;
            case kFloat3: sizeBits = 1; break;
            case kFloat4: sizeBits = 2; break;
            case kFloat1: sizeBits = 3; break;
            default: return 0;
        }
        fvf |= sizeBits << (16 + 2 * texCount);
        offset += TypeSize(list[i].type);
        ++texCount;
        ++i;
    }
    if (i != n) return 0;
    return fvf | (texCount << 8);
}

}  // namespace platform::mesh
