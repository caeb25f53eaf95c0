// NullDevice.h -- a graphics device that draws nothing: records calls, keeps CPU textures, follows scripts.
#pragma once
#include <deque>
#include <functional>
#include <unordered_map>

#include "platform/gfx/Device.h"

namespace gfx {

// Test backend. Tests create it directly (or the program in headless runs).
// It keeps every texture's texels on the CPU (render targets keep only the
// colour of their last clear), records draws and, when `logCalls` is set, a
// text line per state-changing call. Adapter answers, caps, creation, reset,
// present and cooperative-level results are scripted through public members.
class NullDevice : public Device {
public:
    // One recorded draw with the state it used.
    struct DrawCall {
        Primitive prim;
        uint32_t count;     // primitives
        uint32_t vertices;  // vertices read
        bool indexed;
        bool inlineData;
        int layout;
        Texture texture0;
        Shader vertexShader, pixelShader;
        uint32_t cull;
        uint32_t zEnable;
        Texture target;
        uint32_t face;
    };

    NullDevice();

    // ---- scripts ----
    Caps scriptedCaps;
    DisplayMode desktop{1366, 768, 60, Format::X8R8G8B8};
    std::vector<DisplayMode> modes;  // full-screen modes of every adapter format
    std::function<Result(Format adapter, Format backBuffer, bool windowed)> onCheckDeviceType;
    std::function<Result(Format adapter, FormatUse use, ResourceKind kind, Format format)> onCheckDeviceFormat;
    Result createResult = Res::Ok;
    std::deque<Result> resetResults;                      // popped per reset; Ok when empty
    std::deque<Result> presentResults;                    // popped per present; Ok when empty
    std::deque<Result> cooperativeResults;                // popped per query; Ok when empty
    std::function<bool(const TextureDesc&)> failTexture;  // true: creation fails
    bool failBuffers = false;
    bool failBufferLocks = false;
    bool logCalls = true;

    // ---- records ----
    std::vector<std::string> log;
    std::vector<DrawCall> draws;
    int scenesBegun = 0, scenesEnded = 0, presents = 0, resets = 0, creates = 0;
    int shaderCompiles = 0;
    int layoutSets = 0;
    int liveTextures() const { return static_cast<int>(textures_.size()); }
    int liveBuffers() const { return static_cast<int>(buffers_.size()); }
    int liveDepthSurfaces() const { return static_cast<int>(depths_.size()); }
    int countLog(const std::string& prefix) const;
    Texture boundTexture(uint32_t stage) const { return stage < kTextureStages ? stages_[stage] : Texture{}; }
    Address addressU(uint32_t stage) const { return stage < kTextureStages ? address_[stage] : Address::Wrap; }
    Texture currentTarget() const { return target_; }
    uint32_t currentFace() const { return face_; }
    DepthSurface currentDepth() const { return depth_; }
    const float* constants(Stage stage, uint32_t reg) const;
    const PresentParams& params() const { return params_; }
    // Last clear colour of a render target (or the back buffer).
    uint32_t clearColour(Texture target, uint32_t face = 0) const;
    // Last bytes written into a buffer (the CPU copy).
    const std::vector<uint8_t>* bufferData(Buffer buf) const;
    // Texels of level 0, face 0 of a texture (the last upload), null for none.
    const std::vector<uint32_t>* textureTexels(Texture tex) const;
    Shader currentVertexShader() const { return vs_; }
    Shader currentPixelShader() const { return ps_; }
    const Material& material() const { return material_; }

    // ---- Device ----
    Result adapterDisplayMode(DisplayMode* mode) override;
    uint32_t adapterModeCount(Format format) override;
    Result enumAdapterMode(Format format, uint32_t index, DisplayMode* mode) override;
    Result checkDeviceType(Format adapter, Format backBuffer, bool windowed) override;
    Result checkDeviceFormat(Format adapter, FormatUse use, ResourceKind kind, Format format) override;
    Caps caps() override { return scriptedCaps; }
    Result create(const PresentParams& params) override;
    Result reset(const PresentParams& params) override;
    bool created() const override { return created_; }
    Result beginScene() override;
    Result endScene() override;
    Result present() override;
    // No window: nothing is kept.
    void keepWindowPictures(bool) override {}
    bool windowPicture(std::vector<uint32_t>*, uint32_t*, uint32_t*) override { return false; }
    Result cooperativeLevel() override;
    void gammaRamp(uint16_t red[256], uint16_t green[256], uint16_t blue[256]) override;
    void showCursor(bool show) override;
    Texture createTexture(const TextureDesc& desc) override;
    void releaseTexture(Texture tex) override;
    bool describeTexture(Texture tex, TextureDesc* desc) override;
    Result uploadTextureRows(Texture tex, uint32_t face, uint32_t level, uint32_t firstRow, uint32_t rowCount,
                             const uint32_t* argb) override;
    uint32_t* lockTexture(Texture tex) override;
    void unlockTexture(Texture tex) override;
    void setTexture(uint32_t stage, Texture tex) override;
    void setSamplerAddress(uint32_t stage, Address u, Address v) override;
    void setSamplerFilter(uint32_t stage, Filter mag, Filter min, Filter mip, uint32_t maxAnisotropy) override;
    Texture backBuffer() override { return backBuffer_; }
    DepthSurface backBufferDepth() override { return backDepth_; }
    DepthSurface createDepthSurface(uint32_t width, uint32_t height, Format format) override;
    void releaseDepthSurface(DepthSurface depth) override;
    void setRenderTarget(Texture target, uint32_t face) override;
    void setDepthSurface(DepthSurface depth) override;
    void targetSize(uint32_t* width, uint32_t* height) override;
    void setScissorRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) override;
    void clearRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb) override;
    bool readPixels(Texture target, uint32_t face, std::vector<uint32_t>* argb, uint32_t* width,
                    uint32_t* height) override;
    Buffer createBuffer(BufferKind kind, uint32_t bytes, bool dynamic) override;
    void releaseBuffer(Buffer buf) override;
    void* lockBuffer(Buffer buf, uint32_t offset, uint32_t bytes) override;
    void unlockBuffer(Buffer buf) override;
    uint32_t bufferSize(Buffer buf) override;
    void setStream(Buffer vertices, uint32_t stride) override;
    void setIndices(Buffer indices) override;
    void setState(State state, uint32_t value) override;
    uint32_t getState(State state) override;
    void setLayout(int layout) override;
    Shader compileShader(Stage stage, const std::string& source, std::string* log) override;
    void releaseShader(Shader shader) override;
    void setShaders(Shader vertex, Shader pixel) override;
    void setConstants(Stage stage, uint32_t firstRegister, const float* values, uint32_t count4) override;
    void setTransform(Transform which, const float matrix[16]) override;
    void setMaterial(const Material& material) override;
    void setLight(const DirectionalLight& light) override;
    void draw(Primitive prim, uint32_t firstVertex, uint32_t count) override;
    void drawIndexed(Primitive prim, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices, uint32_t startIndex,
                     uint32_t count) override;
    void drawInline(Primitive prim, uint32_t count, const void* vertices, uint32_t stride) override;

private:
    struct TextureRec {
        TextureDesc desc;
        std::vector<std::vector<uint32_t>> images;  // face * levels + level (not for targets)
        std::vector<uint32_t> lockCopy;
        uint32_t clear[6] = {0, 0, 0, 0, 0, 0};
        bool locked = false;
    };
    struct BufferRec {
        BufferKind kind;
        std::vector<uint8_t> bytes;
        bool locked = false;
    };
    struct DepthRec {
        uint32_t width, height;
    };
    void record(const std::string& line);
    void recordDraw(Primitive prim, uint32_t count, uint32_t vertices, bool indexed, bool inlineData);
    void makeBackBuffer();

    uint32_t nextId_ = 1;
    bool created_ = false;
    PresentParams params_;
    std::unordered_map<uint32_t, TextureRec> textures_;
    std::unordered_map<uint32_t, BufferRec> buffers_;
    std::unordered_map<uint32_t, DepthRec> depths_;
    std::unordered_map<uint32_t, Stage> shaders_;
    Texture backBuffer_;
    DepthSurface backDepth_;
    Texture target_;
    uint32_t face_ = 0;
    DepthSurface depth_;
    Texture stages_[kTextureStages];
    Address address_[kTextureStages];
    uint32_t states_[static_cast<int>(State::Count)] = {};
    int layout_ = -1;
    Shader vs_, ps_;
    Buffer stream_, indices_;
    float vc_[kConstantRegisters][4] = {};
    float pc_[kConstantRegisters][4] = {};
    Material material_;
};

}  // namespace gfx
