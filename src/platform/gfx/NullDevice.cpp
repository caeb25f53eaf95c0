// NullDevice.cpp -- the recording test device.
#include "platform/gfx/NullDevice.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace gfx {

namespace {
std::string Fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Fmt(const char* format, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, format);
    vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    return buf;
}
}  // namespace

NullDevice::NullDevice() {
    for (auto& a : address_) a = Address::Wrap;
    const uint32_t sizes[][2] = {{640, 480},   {800, 600},  {1024, 768}, {1280, 720},
                                 {1280, 1024}, {1366, 768}, {1920, 1080}};
    for (auto& s : sizes) modes.push_back({s[0], s[1], 60, Format::X8R8G8B8});
    states_[static_cast<int>(State::CullMode)] = Cull::CCW;
    states_[static_cast<int>(State::ZEnable)] = 1;
    states_[static_cast<int>(State::ZWriteEnable)] = 1;
    states_[static_cast<int>(State::ZFunc)] = Compare::LessEqual;
    states_[static_cast<int>(State::BlendOp)] = BlendOp::Add;
    states_[static_cast<int>(State::SrcBlend)] = Blend::One;
    states_[static_cast<int>(State::DestBlend)] = Blend::Zero;
    states_[static_cast<int>(State::AlphaFunc)] = Compare::Always;
    states_[static_cast<int>(State::ColorWriteEnable)] = 0xF;
}

void NullDevice::record(const std::string& line) {
    if (logCalls) log.push_back(line);
}

int NullDevice::countLog(const std::string& prefix) const {
    int n = 0;
    for (const auto& l : log)
        if (l.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

const float* NullDevice::constants(Stage stage, uint32_t reg) const {
    if (reg >= kConstantRegisters) return nullptr;
    return stage == Stage::Vertex ? vc_[reg] : pc_[reg];
}

uint32_t NullDevice::clearColour(Texture target, uint32_t face) const {
    auto it = textures_.find(target.id);
    return it == textures_.end() || face > 5 ? 0 : it->second.clear[face];
}

const std::vector<uint32_t>* NullDevice::textureTexels(Texture tex) const {
    auto it = textures_.find(tex.id);
    return it == textures_.end() || it->second.images.empty() ? nullptr : &it->second.images[0];
}

const std::vector<uint8_t>* NullDevice::bufferData(Buffer buf) const {
    auto it = buffers_.find(buf.id);
    return it == buffers_.end() ? nullptr : &it->second.bytes;
}

Result NullDevice::adapterDisplayMode(DisplayMode* mode) {
    *mode = desktop;
    return Res::Ok;
}

uint32_t NullDevice::adapterModeCount(Format format) {
    return static_cast<uint32_t>(
        std::count_if(modes.begin(), modes.end(), [&](const DisplayMode& m) { return m.format == format; }));
}

Result NullDevice::enumAdapterMode(Format format, uint32_t index, DisplayMode* mode) {
    for (const auto& m : modes) {
        if (m.format != format) continue;
        if (index-- == 0) {
            *mode = m;
            return Res::Ok;
        }
    }
    return Res::InvalidCall;
}

Result NullDevice::checkDeviceType(Format adapter, Format backBuffer, bool windowed) {
    if (onCheckDeviceType) return onCheckDeviceType(adapter, backBuffer, windowed);
    return Res::Ok;
}

Result NullDevice::checkDeviceFormat(Format adapter, FormatUse use, ResourceKind kind, Format format) {
    if (onCheckDeviceFormat) return onCheckDeviceFormat(adapter, use, kind, format);
    return Res::Ok;
}

void NullDevice::makeBackBuffer() {
    TextureRec rec;
    rec.desc = {params_.width, params_.height, 1, Format::A8R8G8B8, Usage::RenderTarget, false};
    backBuffer_.id = nextId_++;
    textures_[backBuffer_.id] = std::move(rec);
    backDepth_.id = nextId_++;
    depths_[backDepth_.id] = {params_.width, params_.height};
    target_ = backBuffer_;
    face_ = 0;
    depth_ = backDepth_;
}

Result NullDevice::create(const PresentParams& params) {
    ++creates;
    record(Fmt("create %ux%u %s", params.width, params.height, params.windowed ? "windowed" : "full"));
    if (createResult != Res::Ok) return createResult;
    params_ = params;
    created_ = true;
    makeBackBuffer();
    return Res::Ok;
}

Result NullDevice::reset(const PresentParams& params) {
    ++resets;
    record(Fmt("reset %ux%u %s", params.width, params.height, params.windowed ? "windowed" : "full"));
    Result r = Res::Ok;
    if (!resetResults.empty()) {
        r = resetResults.front();
        resetResults.pop_front();
    }
    if (r != Res::Ok) return r;
    textures_.erase(backBuffer_.id);
    depths_.erase(backDepth_.id);
    params_ = params;
    makeBackBuffer();
    return Res::Ok;
}

Result NullDevice::beginScene() {
    ++scenesBegun;
    record("beginScene");
    return Res::Ok;
}

Result NullDevice::endScene() {
    ++scenesEnded;
    record("endScene");
    return Res::Ok;
}

Result NullDevice::present() {
    ++presents;
    record("present");
    if (presentResults.empty()) return Res::Ok;
    Result r = presentResults.front();
    presentResults.pop_front();
    return r;
}

Result NullDevice::cooperativeLevel() {
    if (cooperativeResults.empty()) return Res::Ok;
    Result r = cooperativeResults.front();
    cooperativeResults.pop_front();
    return r;
}

void NullDevice::gammaRamp(uint16_t red[256], uint16_t green[256], uint16_t blue[256]) {
    for (int i = 0; i < 256; ++i) red[i] = green[i] = blue[i] = static_cast<uint16_t>(i * 257);
}

void NullDevice::showCursor(bool show) { record(show ? "showCursor 1" : "showCursor 0"); }

Texture NullDevice::createTexture(const TextureDesc& desc) {
    if (desc.width == 0 || desc.height == 0 || (failTexture && failTexture(desc))) return {};
    TextureRec rec;
    rec.desc = desc;
    if (rec.desc.levels == 0) {
        uint32_t n = 1, w = desc.width, h = desc.height;
        while (w > 1 || h > 1) {
            w = std::max(1u, w / 2);
            h = std::max(1u, h / 2);
            ++n;
        }
        rec.desc.levels = n;
    }
    if (desc.usage != Usage::RenderTarget) {
        const uint32_t faces = desc.cube ? 6 : 1;
        rec.images.resize(faces * rec.desc.levels);
        for (uint32_t f = 0; f < faces; ++f)
            for (uint32_t l = 0; l < rec.desc.levels; ++l) {
                uint32_t w = std::max(1u, desc.width >> l), h = std::max(1u, desc.height >> l);
                rec.images[f * rec.desc.levels + l].assign(size_t(w) * h, 0);
            }
    }
    Texture t{nextId_++};
    textures_[t.id] = std::move(rec);
    record(Fmt("createTexture %u %ux%u rt=%d", t.id, desc.width, desc.height, desc.usage == Usage::RenderTarget));
    return t;
}

void NullDevice::releaseTexture(Texture tex) {
    if (!tex || tex == backBuffer_) return;
    textures_.erase(tex.id);
    for (auto& s : stages_)
        if (s == tex) s = {};
    if (target_ == tex) target_ = {};
}

bool NullDevice::describeTexture(Texture tex, TextureDesc* desc) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end()) return false;
    *desc = it->second.desc;
    return true;
}

Result NullDevice::uploadTextureRows(Texture tex, uint32_t face, uint32_t level, uint32_t firstRow, uint32_t rowCount,
                                     const uint32_t* argb) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end() || !argb) return Res::InvalidCall;
    TextureRec& rec = it->second;
    size_t index = size_t(face) * rec.desc.levels + level;
    if (level >= rec.desc.levels || index >= rec.images.size()) return Res::InvalidCall;
    auto& img = rec.images[index];
    const size_t width = std::max(1u, rec.desc.width >> level), height = img.size() / width;
    if (rowCount == 0 || firstRow >= height || rowCount > height - firstRow) return Res::InvalidCall;
    // Copied as bytes: the words may sit in byte storage.
    std::memcpy(img.data() + firstRow * width, argb, size_t(rowCount) * width * sizeof(uint32_t));
    return Res::Ok;
}

uint32_t* NullDevice::lockTexture(Texture tex) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end() || it->second.desc.usage != Usage::Dynamic || it->second.locked) return nullptr;
    it->second.locked = true;
    return it->second.images[0].data();
}

void NullDevice::unlockTexture(Texture tex) {
    auto it = textures_.find(tex.id);
    if (it != textures_.end()) it->second.locked = false;
}

void NullDevice::setTexture(uint32_t stage, Texture tex) {
    if (stage >= kTextureStages) return;
    stages_[stage] = tex;
    record(Fmt("setTexture %u %u", stage, tex.id));
}

void NullDevice::setSamplerAddress(uint32_t stage, Address u, Address v) {
    if (stage >= kTextureStages) return;
    address_[stage] = u;
    record(Fmt("setSamplerAddress %u %u %u", stage, unsigned(u), unsigned(v)));
}

void NullDevice::setSamplerFilter(uint32_t stage, Filter mag, Filter min, Filter mip, uint32_t maxAnisotropy) {
    record(Fmt("setSamplerFilter %u %u %u %u %u", stage, unsigned(mag), unsigned(min), unsigned(mip), maxAnisotropy));
}

DepthSurface NullDevice::createDepthSurface(uint32_t width, uint32_t height, Format format) {
    if (width == 0 || height == 0) return {};
    TextureDesc probe{width, height, 1, format, Usage::RenderTarget, false};
    if (failTexture && failTexture(probe)) return {};
    DepthSurface d{nextId_++};
    depths_[d.id] = {width, height};
    return d;
}

void NullDevice::releaseDepthSurface(DepthSurface depth) {
    if (!depth || depth == backDepth_) return;
    depths_.erase(depth.id);
    if (depth_ == depth) depth_ = {};
}

void NullDevice::setRenderTarget(Texture target, uint32_t face) {
    if (!target) return;
    target_ = target;
    face_ = face;
    record(Fmt("setRenderTarget %u %u", target.id, face));
}

void NullDevice::setDepthSurface(DepthSurface depth) {
    depth_ = depth;
    record(Fmt("setDepthSurface %u", depth.id));
}

void NullDevice::targetSize(uint32_t* width, uint32_t* height) {
    auto it = textures_.find(target_.id);
    *width = it == textures_.end() ? 0 : it->second.desc.width;
    *height = it == textures_.end() ? 0 : it->second.desc.height;
}

void NullDevice::setScissorRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    record(Fmt("setScissorRect %d %d %d %d", left, top, right, bottom));
}

void NullDevice::clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) {
    (void)stencil;
    auto it = textures_.find(target_.id);
    if ((flags & ClearFlag::Target) && it != textures_.end() && face_ < 6) it->second.clear[face_] = argb;
    record(Fmt("clear %u %u %08X %g", target_.id, flags, argb, z));
}

void NullDevice::clearRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb) {
    record(Fmt("clearRect %u %d %d %d %d %08X", target_.id, left, top, right, bottom, argb));
}

bool NullDevice::readPixels(Texture target, uint32_t face, std::vector<uint32_t>* argb, uint32_t* width,
                            uint32_t* height) {
    auto it = textures_.find(target.id);
    if (it == textures_.end() || face > 5) return false;
    const TextureRec& rec = it->second;
    *width = rec.desc.width;
    *height = rec.desc.height;
    if (rec.desc.usage == Usage::RenderTarget)
        argb->assign(size_t(rec.desc.width) * rec.desc.height, rec.clear[face]);
    else
        *argb = rec.images[size_t(face) * rec.desc.levels];
    return true;
}

Buffer NullDevice::createBuffer(BufferKind kind, uint32_t bytes, bool dynamic) {
    (void)dynamic;
    if (failBuffers || bytes == 0) return {};
    Buffer b{nextId_++};
    BufferRec& rec = buffers_[b.id];
    rec.kind = kind;
    rec.bytes.assign(bytes, 0);
    return b;
}

void NullDevice::releaseBuffer(Buffer buf) {
    buffers_.erase(buf.id);
    if (stream_ == buf) stream_ = {};
    if (indices_ == buf) indices_ = {};
}

void* NullDevice::lockBuffer(Buffer buf, uint32_t offset, uint32_t bytes) {
    auto it = buffers_.find(buf.id);
    if (failBufferLocks || it == buffers_.end() || it->second.locked) return nullptr;
    BufferRec& rec = it->second;
    if (bytes == 0) bytes = static_cast<uint32_t>(rec.bytes.size()) - std::min<uint32_t>(offset, rec.bytes.size());
    if (uint64_t(offset) + bytes > rec.bytes.size()) return nullptr;
    rec.locked = true;
    return rec.bytes.data() + offset;
}

void NullDevice::unlockBuffer(Buffer buf) {
    auto it = buffers_.find(buf.id);
    if (it != buffers_.end()) it->second.locked = false;
}

uint32_t NullDevice::bufferSize(Buffer buf) {
    auto it = buffers_.find(buf.id);
    return it == buffers_.end() ? 0 : static_cast<uint32_t>(it->second.bytes.size());
}

void NullDevice::setStream(Buffer vertices, uint32_t stride) {
    stream_ = vertices;
    record(Fmt("setStream %u %u", vertices.id, stride));
}

void NullDevice::setIndices(Buffer indices) {
    indices_ = indices;
    record(Fmt("setIndices %u", indices.id));
}

void NullDevice::setState(State state, uint32_t value) {
    if (state >= State::Count) return;
    states_[static_cast<int>(state)] = value;
    record(Fmt("setState %u %u", unsigned(state), value));
}

uint32_t NullDevice::getState(State state) { return state < State::Count ? states_[static_cast<int>(state)] : 0; }

void NullDevice::setLayout(int layout) {
    ++layoutSets;
    layout_ = layout;
    record(Fmt("setLayout %d", layout));
}

Shader NullDevice::compileShader(Stage stage, const std::string& source, std::string* errors) {
    ++shaderCompiles;
    if (source.empty() || source.find("#error") != std::string::npos) {
        if (errors) *errors = "0(1) : error : source rejected";
        return {};
    }
    Shader s{nextId_++};
    shaders_[s.id] = stage;
    return s;
}

void NullDevice::releaseShader(Shader shader) { shaders_.erase(shader.id); }

void NullDevice::setShaders(Shader vertex, Shader pixel) {
    vs_ = vertex;
    ps_ = pixel;
    record(Fmt("setShaders %u %u", vertex.id, pixel.id));
}

void NullDevice::setConstants(Stage stage, uint32_t firstRegister, const float* values, uint32_t count4) {
    auto& regs = stage == Stage::Vertex ? vc_ : pc_;
    for (uint32_t i = 0; i < count4 && firstRegister + i < kConstantRegisters; ++i)
        std::memcpy(regs[firstRegister + i], values + 4 * i, sizeof(float) * 4);
    record(Fmt("setConstants %c %u %u", stage == Stage::Vertex ? 'v' : 'p', firstRegister, count4));
}

void NullDevice::setTransform(Transform which, const float matrix[16]) {
    (void)matrix;
    record(Fmt("setTransform %u", unsigned(which)));
}

void NullDevice::setMaterial(const Material& material) { material_ = material; }

void NullDevice::setLight(const DirectionalLight& light) {
    record(Fmt("setLight %g %g %g %d", light.direction[0], light.direction[1], light.direction[2], light.enabled));
}

void NullDevice::recordDraw(Primitive prim, uint32_t count, uint32_t vertices, bool indexed, bool inlineData) {
    draws.push_back({prim, count, vertices, indexed, inlineData, layout_, stages_[0], vs_, ps_,
                     states_[static_cast<int>(State::CullMode)], states_[static_cast<int>(State::ZEnable)], target_,
                     face_});
}

void NullDevice::draw(Primitive prim, uint32_t firstVertex, uint32_t count) {
    (void)firstVertex;
    recordDraw(prim, count, VertexCountFor(prim, count), false, false);
}

void NullDevice::drawIndexed(Primitive prim, int32_t baseVertex, uint32_t minIndex, uint32_t numVertices,
                             uint32_t startIndex, uint32_t count) {
    (void)baseVertex;
    (void)minIndex;
    (void)startIndex;
    recordDraw(prim, count, numVertices, true, false);
}

void NullDevice::drawInline(Primitive prim, uint32_t count, const void* vertices, uint32_t stride) {
    (void)vertices;
    (void)stride;
    recordDraw(prim, count, VertexCountFor(prim, count), false, true);
}

}  // namespace gfx
