// GfxTypes.cpp -- the built-in vertex layouts and primitive vertex counts.
#include "platform/gfx/GfxTypes.h"

namespace gfx {

namespace {
using T = ElementType;
using U = ElementUsage;
const VertexElement kL0[] = {{0, T::Float4, U::PositionT, 0}, {16, T::Float2, U::TexCoord, 0}};
const VertexElement kL1[] = {
    {0, T::Float4, U::PositionT, 0}, {16, T::Colour, U::Colour, 0}, {20, T::Float2, U::TexCoord, 0}};
const VertexElement kL2[] = {
    {0, T::Float3, U::Position, 0}, {12, T::Colour, U::Colour, 0}, {16, T::Float2, U::TexCoord, 0}};
const VertexElement kL3[] = {{0, T::Float3, U::Position, 0},  {12, T::Float3, U::Normal, 0},
                             {24, T::Colour, U::Colour, 0},   {28, T::Float2, U::TexCoord, 0},
                             {36, T::Float2, U::TexCoord, 1}, {44, T::Float3, U::Tangent, 0}};
const VertexElement kL4[] = {{0, T::Float3, U::Position, 0},
                             {12, T::Float3, U::Normal, 0},
                             {24, T::Colour, U::Colour, 0},
                             {28, T::Float2, U::TexCoord, 0},
                             {36, T::Float2, U::TexCoord, 1}};
const VertexElement kL5[] = {{0, T::Float3, U::Position, 0},
                             {12, T::Colour, U::Colour, 0},
                             {16, T::Float2, U::TexCoord, 0},
                             {24, T::Float2, U::TexCoord, 1}};
const VertexElement kL6[] = {{0, T::Float3, U::Position, 0},
                             {12, T::Float3, U::Normal, 0},
                             {24, T::Colour, U::Colour, 0},
                             {28, T::Float2, U::TexCoord, 0}};
const VertexElement kL7[] = {
    {0, T::Float3, U::Position, 0}, {12, T::Float3, U::Normal, 0}, {24, T::Float2, U::TexCoord, 0}};

#define LAYOUT(a, stride, pre) \
    { a, sizeof(a) / sizeof(a[0]), stride, pre }
const VertexLayout kLayouts[kLayoutCount] = {
    LAYOUT(kL0, 24, true),  LAYOUT(kL1, 28, true),  LAYOUT(kL2, 24, false), LAYOUT(kL3, 56, false),
    LAYOUT(kL4, 44, false), LAYOUT(kL5, 32, false), LAYOUT(kL6, 36, false), LAYOUT(kL7, 32, false),
};
#undef LAYOUT
}  // namespace

const VertexLayout& GetVertexLayout(int index) {
    if (index < 0 || index >= kLayoutCount) index = 0;
    return kLayouts[index];
}

uint32_t VertexCountFor(Primitive p, uint32_t count) {
    switch (p) {
        case Primitive::PointList: return count;
        case Primitive::LineList: return count * 2;
        case Primitive::LineStrip: return count ? count + 1 : 0;
        case Primitive::TriangleList: return count * 3;
        case Primitive::TriangleStrip:
        case Primitive::TriangleFan: return count ? count + 2 : 0;
    }
    return 0;
}

}  // namespace gfx
