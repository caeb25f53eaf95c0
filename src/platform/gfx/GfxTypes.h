// GfxTypes.h -- value types shared by every graphics device backend.
#pragma once
#include <cstdint>

namespace gfx {

// Pixel and depth formats. The numbers are the renderer's format-table codes;
// block-compressed formats use their four-character codes.
enum class Format : uint32_t {
    Unknown = 0,
    R8G8B8 = 20,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    X1R5G5B5 = 24,
    A1R5G5B5 = 25,
    A4R4G4B4 = 26,
    R3G3B2 = 27,
    A8 = 28,
    A8R3G3B2 = 29,
    X4R4G4B4 = 30,
    A2R10G10B10 = 35,
    L8 = 50,
    D32 = 71,
    D15S1 = 73,
    D24S8 = 75,
    D24X8 = 77,
    D24X4S4 = 79,
    D16 = 80,
    DXT1 = 0x31545844,
    DXT3 = 0x33545844,
    DXT5 = 0x35545844,
};

// Typed opaque handle; id 0 means "none".
template <class Tag>
struct Handle {
    uint32_t id = 0;
    explicit operator bool() const { return id != 0; }
    bool operator==(const Handle& o) const { return id == o.id; }
    bool operator!=(const Handle& o) const { return id != o.id; }
};
using Texture = Handle<struct TextureTag>;     // 2D or cube texture
using Buffer = Handle<struct BufferTag>;       // vertex or index buffer
using DepthSurface = Handle<struct DepthTag>;  // depth-stencil surface
using Shader = Handle<struct ShaderTag>;       // one compiled vertex or pixel program

// How a texture is used.
enum class Usage : uint32_t {
    Static = 0,        // uploaded once (mip levels filled by the caller or generated)
    Dynamic = 1,       // lockable: keeps a CPU copy that unlock uploads
    RenderTarget = 2,  // drawable colour surface
};

struct TextureDesc {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t levels = 1;
    Format format = Format::A8R8G8B8;
    Usage usage = Usage::Static;
    bool cube = false;
};

enum class BufferKind : uint32_t { Vertex, Index16, Index32 };

enum class Primitive : uint32_t {
    PointList = 1,
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
};

// Number of vertices (or indices) a draw of `count` primitives reads.
uint32_t VertexCountFor(Primitive p, uint32_t count);

enum class Stage : uint32_t { Vertex, Pixel };

// Render states and their values.
enum class State : uint32_t {
    CullMode,           // Cull
    ZEnable,            // 0/1
    ZWriteEnable,       // 0/1
    ZFunc,              // Compare
    AlphaBlendEnable,   // 0/1
    BlendOp,            // BlendOp
    SrcBlend,           // Blend
    DestBlend,          // Blend
    AlphaTestEnable,    // 0/1
    AlphaFunc,          // Compare
    AlphaRef,           // 0..255
    ScissorTestEnable,  // 0/1
    Lighting,           // 0/1, fixed-function path only
    ColorWriteEnable,   // mask of 0xF (RGBA)
    Count
};

namespace Cull {
enum : uint32_t { None = 1, CW = 2, CCW = 3 };
}
namespace Compare {
enum : uint32_t {
    Never = 1,
    Less = 2,
    Equal = 3,
    LessEqual = 4,
    Greater = 5,
    NotEqual = 6,
    GreaterEqual = 7,
    Always = 8
};
}
namespace Blend {
enum : uint32_t {
    Zero = 1,
    One = 2,
    SrcColor = 3,
    InvSrcColor = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
    DestAlpha = 7,
    InvDestAlpha = 8,
    DestColor = 9,
    InvDestColor = 10
};
}
namespace BlendOp {
enum : uint32_t { Add = 1, Subtract = 2, RevSubtract = 3, Min = 4, Max = 5 };
}

enum class Address : uint32_t { Wrap = 1, Clamp = 3 };
enum class Filter : uint32_t { Point = 1, Linear = 2, Anisotropic = 3 };

// Clear flags.
namespace ClearFlag {
enum : uint32_t { Target = 1, ZBuffer = 2, Stencil = 4 };
}

// Results of device operations. 0 is success; the failures carry the codes the
// set-up report distinguishes.
using Result = int32_t;
namespace Res {
constexpr Result Ok = 0;
constexpr Result Fail = static_cast<Result>(0x80004005u);
constexpr Result OutOfMemory = static_cast<Result>(0x8007000Eu);
constexpr Result DeviceLost = static_cast<Result>(0x88760868u);
constexpr Result DeviceNotReset = static_cast<Result>(0x88760869u);
constexpr Result InvalidCall = static_cast<Result>(0x8876086Cu);
constexpr Result OutOfVideoMemory = static_cast<Result>(0x8876017Cu);
constexpr Result DriverInternalError = static_cast<Result>(0x88760827u);
constexpr Result NotAvailable = static_cast<Result>(0x8876086Au);
}  // namespace Res

// A display mode.
struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t refreshRate = 0;
    Format format = Format::Unknown;
};

// What the device can do. Shader versions are (major << 8) | minor.
struct Caps {
    uint32_t vertexShaderVersion = 0x300;
    uint32_t pixelShaderVersion = 0x300;
    bool canCalibrateGamma = true;
    uint32_t maxAnisotropy = 16;
    uint32_t maxTextureSize = 8192;
};

// Parameters of device creation and reset.
struct PresentParams {
    uint32_t width = 0;
    uint32_t height = 0;
    Format backBufferFormat = Format::X8R8G8B8;
    Format depthStencilFormat = Format::D24S8;
    bool windowed = true;
    bool vsync = true;  // present interval one
    bool softwareVertexProcessing = false;
};

// Kinds of resource a format check is about.
enum class ResourceKind : uint32_t { Surface, Texture, CubeTexture };
enum class FormatUse : uint32_t { RenderTarget, DepthStencil, Texture };

// Fixed-function lighting (simple frame path): one directional light.
struct Colour4 {
    float r = 0, g = 0, b = 0, a = 0;
};
struct Material {
    Colour4 diffuse, ambient, specular, emissive;
    float power = 0;
};
struct DirectionalLight {
    Colour4 diffuse, specular, ambient;
    float direction[3] = {0, 0, 1};
    bool enabled = false;
};
enum class Transform : uint32_t { World, View, Projection };

// The eight built-in vertex layouts (index 0..7). Layouts 0 and 1 carry
// pre-transformed screen positions (x, y, z, rhw).
enum class ElementType : uint8_t { Float2, Float3, Float4, Colour };
enum class ElementUsage : uint8_t { Position, PositionT, Normal, Colour, TexCoord, Tangent };
struct VertexElement {
    uint16_t offset;
    ElementType type;
    ElementUsage usage;
    uint8_t usageIndex;
};
struct VertexLayout {
    const VertexElement* elements;
    uint32_t count;
    uint32_t stride;
    bool pretransformed;
};
constexpr int kLayoutCount = 8;
const VertexLayout& GetVertexLayout(int index);

constexpr int kTextureStages = 13;
// float4 registers per stage: the count of the shared register list (zfmt::shader::kStageRegisters), which the
// platform does not include; a test pins the two together.
constexpr int kConstantRegisters = 64;

}  // namespace gfx
