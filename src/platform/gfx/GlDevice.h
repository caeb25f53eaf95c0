// GlDevice.h -- the OpenGL 3.3 core graphics device in an SDL2 window.
#pragma once
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/gfx/Device.h"

namespace gfx {

// Real backend. Owns the GL context (and the window when it made one). The
// back buffer is an off-screen colour texture of the configured size that
// present() blits, flipped and fitted whole, to the window's drawable as SDL
// reports it at each present (a full screen window is not the back buffer's
// size). Created through CreateGlDevice.
class GlDevice : public Device {
public:
    ~GlDevice() override;
    bool open(const GlOptions& options, std::string* error);

    Result adapterDisplayMode(DisplayMode* mode) override;
    uint32_t adapterModeCount(Format format) override;
    Result enumAdapterMode(Format format, uint32_t index, DisplayMode* mode) override;
    Result checkDeviceType(Format adapter, Format backBuffer, bool windowed) override;
    Result checkDeviceFormat(Format adapter, FormatUse use, ResourceKind kind, Format format) override;
    Caps caps() override;
    Result create(const PresentParams& params) override;
    Result reset(const PresentParams& params) override;
    bool created() const override { return created_; }
    Result beginScene() override { return Res::Ok; }
    Result endScene() override { return Res::Ok; }
    Result present() override;
    void keepWindowPictures(bool on) override { keepWindowPictures_ = on; }
    bool windowPicture(std::vector<uint32_t>* argb, uint32_t* width, uint32_t* height) override;
    Result cooperativeLevel() override { return Res::Ok; }
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
    bool softwareOnly_ = false;  // software rasteriser: caps report shader model 2
    struct TextureRec {
        TextureDesc desc;
        unsigned name = 0;
        std::vector<uint32_t> cpu;  // dynamic textures
    };
    struct BufferRec {
        BufferKind kind;
        unsigned name = 0;
        std::vector<uint8_t> cpu;
        uint32_t lockOffset = 0, lockBytes = 0;
        bool locked = false;
    };
    struct DepthRec {
        unsigned name = 0;
        uint32_t width = 0, height = 0;
    };
    struct Program {
        unsigned name = 0;
        int hasTexture0 = -1;
        bool failed = false;
    };
    bool makeBackBuffer(const PresentParams& params);
    void applyWindow(const PresentParams& params);
    unsigned framebufferFor(unsigned colour, uint32_t face, bool cube, unsigned depth);
    void bindTarget();
    bool prepareDraw();
    Program* programFor(unsigned vs, unsigned ps);
    unsigned builtinShader(Stage stage, const char* source);
    void applyLayout(unsigned vbo, uint32_t stride, uint32_t offset);
    void flushBlocks();
    void applyState(State state, uint32_t value);

    void* window_ = nullptr;   // SDL_Window*
    void* context_ = nullptr;  // SDL_GLContext
    bool ownWindow_ = false;
    bool created_ = false;
    PresentParams params_;
    uint32_t nextId_ = 1;
    std::unordered_map<uint32_t, TextureRec> textures_;
    std::unordered_map<uint32_t, BufferRec> buffers_;
    std::unordered_map<uint32_t, DepthRec> depths_;
    std::unordered_map<uint32_t, unsigned> shaders_;
    std::map<std::tuple<unsigned, uint32_t, unsigned>, unsigned> fbos_;  // (colour, face, depth) -> fbo
    std::map<std::pair<unsigned, unsigned>, Program> programs_;
    Texture backBuffer_;
    DepthSurface backDepth_;
    Texture target_;
    uint32_t face_ = 0;
    DepthSurface depth_;
    bool targetDirty_ = true;
    uint32_t targetW_ = 0, targetH_ = 0;
    Texture stages_[kTextureStages];
    unsigned samplers_[kTextureStages] = {};
    uint32_t states_[static_cast<int>(State::Count)] = {};
    int layout_ = 0;
    Buffer stream_, indices_;
    uint32_t stride_ = 0;
    unsigned vs_ = 0, ps_ = 0;
    unsigned screenVs_ = 0, fixedVs_ = 0, fixedPs_ = 0;
    unsigned vao_ = 0, inlineVbo_ = 0;
    unsigned blocks_[4] = {};
    float vc_[kConstantRegisters][4] = {};
    float pc_[kConstantRegisters][4] = {};
    float device_[3][4] = {};
    float fixed_[16 * 3 + 4 * 6] = {};
    bool vcDirty_ = true, pcDirty_ = true, deviceDirty_ = true, fixedDirty_ = true;
    int scissor_[4] = {};
    bool keepWindowPictures_ = false;
    std::vector<uint32_t> windowPicture_;  // the last present's window framebuffer, top row first
    int windowPictureW_ = 0, windowPictureH_ = 0;
};

}  // namespace gfx
