// Device.h -- the graphics device interface the renderer, resources and shaders draw through.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/GfxTypes.h"

namespace gfx {

// One graphics device: adapter queries, device life (create, reset, present),
// resources, render state and draws. Two backends exist: GlDevice (OpenGL 3.3
// core in an SDL2 window) and NullDevice (records calls, for tests); the
// program picks one at start-up and the renderer owns it.
//
// Conventions every backend keeps:
// - Textures and render targets store row 0 at the top. Texel data passed to
//   uploadTexture(Rows)/lockTexture is 32-bit ARGB (0xAARRGGBB words), top row
//   first, whatever the texture's recorded format; the format is kept for
//   describeTexture (callers derive alpha modes from it), and one without
//   alpha (X8R8G8B8, L8, ...) samples opaque whatever the words' alpha.
// - Pre-transformed vertices (layouts 0 and 1) are in target pixels with the
//   half-pixel rule: pixel (x, y) is covered by the square from (x - 0.5,
//   y - 0.5) to (x + 0.5, y + 0.5). Projected depth runs 0..1.
// - Matrices are 16 floats, row-vector convention (v' = v * M).
// - Culling: Cull::CW removes triangles whose screen corners run clockwise.
// - Constant registers keep their values across program changes.
class Device {
public:
    virtual ~Device() = default;

    // ---- adapter queries (valid before create) -----------------------------
    virtual Result adapterDisplayMode(DisplayMode* mode) = 0;
    virtual uint32_t adapterModeCount(Format format) = 0;
    virtual Result enumAdapterMode(Format format, uint32_t index, DisplayMode* mode) = 0;
    virtual Result checkDeviceType(Format adapter, Format backBuffer, bool windowed) = 0;
    virtual Result checkDeviceFormat(Format adapter, FormatUse use, ResourceKind kind, Format format) = 0;
    virtual Caps caps() = 0;

    // ---- device life -------------------------------------------------------
    // Creates the device (back buffer of the given size) or, when it exists,
    // resets it with new parameters. Render targets and dynamic buffers must
    // be released before reset and made again after it.
    virtual Result create(const PresentParams& params) = 0;
    virtual Result reset(const PresentParams& params) = 0;
    virtual bool created() const = 0;
    virtual Result beginScene() = 0;
    virtual Result endScene() = 0;
    // Shows the back buffer in the window: scaled to fit its drawable whole, keeping its shape, centred, with
    // black bars on the sides or above and below (a drawable of the back buffer's size takes it 1:1).
    virtual Result present() = 0;
    // Tests: while on, each present() keeps what it put into the window (the window's framebuffer after the
    // picture went in, before it is shown), as top-down ARGB words of the drawable's size; false before any.
    virtual void keepWindowPictures(bool on) = 0;
    virtual bool windowPicture(std::vector<uint32_t>* argb, uint32_t* width, uint32_t* height) = 0;
    // Ok, DeviceLost (wait) or DeviceNotReset (reset now).
    virtual Result cooperativeLevel() = 0;
    // 256 entries per channel, 16-bit.
    virtual void gammaRamp(uint16_t red[256], uint16_t green[256], uint16_t blue[256]) = 0;
    virtual void showCursor(bool show) = 0;

    // ---- textures ----------------------------------------------------------
    // Null handle on failure.
    virtual Texture createTexture(const TextureDesc& desc) = 0;
    virtual void releaseTexture(Texture tex) = 0;
    virtual bool describeTexture(Texture tex, TextureDesc* desc) = 0;
    // Replaces one level (and cube face 0..5) with width x height ARGB words.
    Result uploadTexture(Texture tex, uint32_t face, uint32_t level, const uint32_t* argb) {
        TextureDesc desc;
        if (!describeTexture(tex, &desc)) return Res::InvalidCall;
        const uint32_t height = level < 32 && (desc.height >> level) > 1 ? desc.height >> level : 1;
        return uploadTextureRows(tex, face, level, 0, height, argb);
    }
    // Replaces rows firstRow .. firstRow + rowCount - 1 of one level with width x rowCount ARGB words, so a
    // large texture can be filled a band at a time. A band past the level's last row is refused. Level 0 of a
    // mipmapped static texture makes its smaller levels when its last row arrives.
    virtual Result uploadTextureRows(Texture tex, uint32_t face, uint32_t level, uint32_t firstRow, uint32_t rowCount,
                                     const uint32_t* argb) = 0;
    // Dynamic textures: the CPU copy of level 0 (face 0), pitch in words = width.
    virtual uint32_t* lockTexture(Texture tex) = 0;
    virtual void unlockTexture(Texture tex) = 0;
    virtual void setTexture(uint32_t stage, Texture tex) = 0;
    virtual void setSamplerAddress(uint32_t stage, Address u, Address v) = 0;
    virtual void setSamplerFilter(uint32_t stage, Filter mag, Filter min, Filter mip, uint32_t maxAnisotropy) = 0;

    // ---- render targets ----------------------------------------------------
    // The back buffer is a colour texture of the configured size.
    virtual Texture backBuffer() = 0;
    virtual DepthSurface backBufferDepth() = 0;
    virtual DepthSurface createDepthSurface(uint32_t width, uint32_t height, Format format) = 0;
    virtual void releaseDepthSurface(DepthSurface depth) = 0;
    // Colour target: a render-target texture (face for cubes). Resets the
    // viewport to the whole target. A null handle does nothing.
    virtual void setRenderTarget(Texture target, uint32_t face = 0) = 0;
    virtual void setDepthSurface(DepthSurface depth) = 0;
    virtual void targetSize(uint32_t* width, uint32_t* height) = 0;
    virtual void setScissorRect(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // Clears the current target regardless of write masks.
    virtual void clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) = 0;
    // Clears a rectangle of the current target's colour (target pixels, top row 0, right and bottom
    // excluded) regardless of write masks and the scissor rectangle.
    virtual void clearRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb) = 0;
    // Reads a render-target texture (or the back buffer) as top-down ARGB words.
    virtual bool readPixels(Texture target, uint32_t face, std::vector<uint32_t>* argb, uint32_t* width,
                            uint32_t* height) = 0;

    // ---- buffers -----------------------------------------------------------
    virtual Buffer createBuffer(BufferKind kind, uint32_t bytes, bool dynamic) = 0;
    virtual void releaseBuffer(Buffer buf) = 0;
    // Whole-range or partial lock; null on failure.
    virtual void* lockBuffer(Buffer buf, uint32_t offset, uint32_t bytes) = 0;
    virtual void unlockBuffer(Buffer buf) = 0;
    virtual uint32_t bufferSize(Buffer buf) = 0;
    virtual void setStream(Buffer vertices, uint32_t stride) = 0;
    virtual void setIndices(Buffer indices) = 0;

    // ---- state -------------------------------------------------------------
    virtual void setState(State state, uint32_t value) = 0;
    virtual uint32_t getState(State state) = 0;
    virtual void setLayout(int layout) = 0;

    // ---- programs and constants --------------------------------------------
    // Compiles one stage from GLSL source; the device puts its version line
    // and stage prologue before it (see GlPrograms.h: constant registers VC/PC,
    // inputs, varyings, samplers s0..s12, toClip() and finish()). On failure
    // returns null and fills log.
    virtual Shader compileShader(Stage stage, const std::string& source, std::string* log) = 0;
    virtual void releaseShader(Shader shader) = 0;
    // A null pair selects the fixed-function pipeline (one light, material,
    // texture stage 0 modulated with the vertex colour).
    virtual void setShaders(Shader vertex, Shader pixel) = 0;
    virtual void setConstants(Stage stage, uint32_t firstRegister, const float* values, uint32_t count4) = 0;
    // Fixed-function inputs.
    virtual void setTransform(Transform which, const float matrix[16]) = 0;
    virtual void setMaterial(const Material& material) = 0;
    virtual void setLight(const DirectionalLight& light) = 0;

    // ---- draws -------------------------------------------------------------
    virtual void draw(Primitive prim, uint32_t firstVertex, uint32_t count) = 0;
    virtual void drawIndexed(Primitive prim, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                             uint32_t startIndex, uint32_t count) = 0;
    // Draws from caller memory (no stream needed).
    virtual void drawInline(Primitive prim, uint32_t count, const void* vertices, uint32_t stride) = 0;
};

// Options for the OpenGL backend.
struct GlOptions {
    // An SDL_Window* made by the window module, or null: the device makes its
    // own window (hidden when `hidden`).
    void* nativeWindow = nullptr;
    bool hidden = false;
    const char* title = "ZARVO";
    // On a software rasteriser (Mesa llvmpipe) the device reports shader
    // model 2, so the renderer draws the simple frame; set this to keep the
    // multi-pass frame there anyway (screenshot tests, benchmarks).
    bool multiPassInSoftware = false;
};

// Makes the OpenGL backend. Null (with a reason in *error) when no context can
// be made, e.g. without a display.
std::unique_ptr<Device> CreateGlDevice(const GlOptions& options, std::string* error);

}  // namespace gfx
