// GlDevice.cpp -- OpenGL 3.3 core backend: targets, textures, buffers, programs and draws.
#include "platform/gfx/GlDevice.h"

#include <string>

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/gfx/GlPrograms.h"
#include "platform/window/Window.h"

namespace gfx {

namespace {
SDL_Window* Win(void* w) { return static_cast<SDL_Window*>(w); }

bool HasAlpha(Format f) {
    switch (f) {
        case Format::R8G8B8:
        case Format::X8R8G8B8:
        case Format::R5G6B5:
        case Format::X1R5G5B5:
        case Format::R3G3B2:
        case Format::X4R4G4B4:
        case Format::L8: return false;
        default: return true;
    }
}

bool IsDepth(Format f) {
    return f == Format::D32 || f == Format::D15S1 || f == Format::D24S8 || f == Format::D24X8 || f == Format::D24X4S4 ||
           f == Format::D16;
}
}  // namespace

std::unique_ptr<Device> CreateGlDevice(const GlOptions& options, std::string* error) {
    auto dev = std::make_unique<GlDevice>();
    if (!dev->open(options, error)) return nullptr;
    return dev;
}

GlDevice::~GlDevice() {
    platform::SetPresentedPicture({});  // the cursor and the caret stop going through a picture no longer shown
    if (context_) {
        for (auto& t : textures_) glDeleteTextures(1, &t.second.name);
        for (auto& b : buffers_) glDeleteBuffers(1, &b.second.name);
        for (auto& d : depths_) glDeleteRenderbuffers(1, &d.second.name);
        for (auto& f : fbos_) glDeleteFramebuffers(1, &f.second);
        for (auto& p : programs_) glDeleteProgram(p.second.name);
        for (auto& s : shaders_) glDeleteShader(s.second);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    if (ownWindow_ && window_) SDL_DestroyWindow(Win(window_));
    if (ownWindow_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool GlDevice::open(const GlOptions& options, std::string* error) {
    window_ = options.nativeWindow;
    if (!window_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            if (error) *error = SDL_GetError();
            return false;
        }
        ownWindow_ = true;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!window_) {
        Uint32 flags = SDL_WINDOW_OPENGL | (options.hidden ? SDL_WINDOW_HIDDEN : 0);
        window_ = SDL_CreateWindow(options.title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480, flags);
        if (!window_) {
            if (error) *error = SDL_GetError();
            return false;
        }
    }
    context_ = SDL_GL_CreateContext(Win(window_));
    if (!context_) {
        if (error) *error = SDL_GetError();
        return false;
    }
    SDL_GL_MakeCurrent(Win(window_), static_cast<SDL_GLContext>(context_));
    if (epoxy_gl_version() < 33) {
        if (error) *error = "OpenGL 3.3 is not available";
        return false;
    }
    // A software rasteriser cannot draw the multi-pass frame at frame rate:
    // report shader model 2 there, so the renderer takes the simple path.
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const std::string name = renderer ? renderer : "";
    softwareOnly_ = !options.multiPassInSoftware &&
                    (name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
                     name.find("swrast") != std::string::npos);
    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &inlineVbo_);
    glGenBuffers(4, blocks_);
    const GLsizeiptr sizes[4] = {sizeof vc_, sizeof pc_, sizeof device_, sizeof fixed_};
    for (unsigned i = 0; i < 4; ++i) {
        glBindBuffer(GL_UNIFORM_BUFFER, blocks_[i]);
        glBufferData(GL_UNIFORM_BUFFER, sizes[i], nullptr, GL_DYNAMIC_DRAW);
        glBindBufferBase(GL_UNIFORM_BUFFER, i, blocks_[i]);
    }
    glGenSamplers(kTextureStages, samplers_);
    for (uint32_t i = 0; i < kTextureStages; ++i) {
        glBindSampler(i, samplers_[i]);
        setSamplerAddress(i, Address::Wrap, Address::Wrap);
        setSamplerFilter(i, Filter::Linear, Filter::Linear, Filter::Linear, 1);
    }
    screenVs_ = builtinShader(Stage::Vertex, GlScreenVertexSource());
    fixedVs_ = builtinShader(Stage::Vertex, GlFixedVertexSource());
    fixedPs_ = builtinShader(Stage::Pixel, GlFixedPixelSource());
    if (!screenVs_ || !fixedVs_ || !fixedPs_) {
        if (error) *error = "built-in programs failed to compile";
        return false;
    }
    // Device defaults, as a fresh device has them.
    const std::pair<State, uint32_t> defaults[] = {{State::CullMode, Cull::CCW},  {State::ZEnable, 1},
                                                   {State::ZWriteEnable, 1},      {State::ZFunc, Compare::LessEqual},
                                                   {State::AlphaBlendEnable, 0},  {State::BlendOp, BlendOp::Add},
                                                   {State::SrcBlend, Blend::One}, {State::DestBlend, Blend::Zero},
                                                   {State::AlphaTestEnable, 0},   {State::AlphaFunc, Compare::Always},
                                                   {State::AlphaRef, 0},          {State::ScissorTestEnable, 0},
                                                   {State::Lighting, 1},          {State::ColorWriteEnable, 0xF}};
    for (auto& d : defaults) setState(d.first, d.second);
    return true;
}

Result GlDevice::adapterDisplayMode(DisplayMode* mode) {
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) {
        *mode = {1920, 1080, 60, Format::X8R8G8B8};
        return Res::Ok;
    }
    *mode = {uint32_t(m.w), uint32_t(m.h), uint32_t(m.refresh_rate), Format::X8R8G8B8};
    return Res::Ok;
}

uint32_t GlDevice::adapterModeCount(Format format) {
    if (format != Format::X8R8G8B8) return 0;
    int n = SDL_GetNumDisplayModes(0);
    return n > 0 ? uint32_t(n) : 0;
}

Result GlDevice::enumAdapterMode(Format format, uint32_t index, DisplayMode* mode) {
    SDL_DisplayMode m;
    if (format != Format::X8R8G8B8 || SDL_GetDisplayMode(0, int(index), &m) != 0) return Res::InvalidCall;
    *mode = {uint32_t(m.w), uint32_t(m.h), uint32_t(m.refresh_rate), Format::X8R8G8B8};
    return Res::Ok;
}

Result GlDevice::checkDeviceType(Format adapter, Format backBuffer, bool) {
    return adapter == Format::X8R8G8B8 && (backBuffer == Format::X8R8G8B8 || backBuffer == Format::A8R8G8B8)
               ? Res::Ok
               : Res::NotAvailable;
}

Result GlDevice::checkDeviceFormat(Format, FormatUse use, ResourceKind, Format format) {
    if (use == FormatUse::DepthStencil) return IsDepth(format) ? Res::Ok : Res::NotAvailable;
    if (use == FormatUse::RenderTarget)
        return format == Format::A8R8G8B8 || format == Format::X8R8G8B8 ? Res::Ok : Res::NotAvailable;
    return Res::Ok;
}

Caps GlDevice::caps() {
    Caps c;
    c.vertexShaderVersion = softwareOnly_ ? 0x200 : 0x300;
    c.pixelShaderVersion = softwareOnly_ ? 0x200 : 0x300;
    c.canCalibrateGamma = true;
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    c.maxTextureSize = uint32_t(size);
    c.maxAnisotropy = epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ? 16 : 1;
    return c;
}

bool GlDevice::makeBackBuffer(const PresentParams& params) {
    if (params.width == 0 || params.height == 0) return false;
    if (backBuffer_) {
        releaseTexture(backBuffer_);
        releaseDepthSurface(backDepth_);
        backBuffer_ = {};
        backDepth_ = {};
    }
    backBuffer_ = createTexture({params.width, params.height, 1, Format::A8R8G8B8, Usage::RenderTarget, false});
    backDepth_ = createDepthSurface(params.width, params.height, params.depthStencilFormat);
    if (!backBuffer_ || !backDepth_) return false;
    target_ = backBuffer_;
    face_ = 0;
    depth_ = backDepth_;
    targetDirty_ = true;
    return true;
}

void GlDevice::applyWindow(const PresentParams& params) {
    if (params.windowed) {
        SDL_SetWindowFullscreen(Win(window_), 0);
        SDL_SetWindowSize(Win(window_), int(params.width), int(params.height));
    } else {
        SDL_SetWindowFullscreen(Win(window_), SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    SDL_GL_SetSwapInterval(params.vsync ? 1 : 0);
}

Result GlDevice::create(const PresentParams& params) {
    params_ = params;
    applyWindow(params);
    if (!makeBackBuffer(params)) return Res::OutOfVideoMemory;
    created_ = true;
    return Res::Ok;
}

Result GlDevice::reset(const PresentParams& params) {
    if (!created_) return Res::InvalidCall;
    return create(params);
}

Result GlDevice::present() {
    if (!created_) return Res::InvalidCall;
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(Win(window_), &w, &h);
    const TextureRec& bb = textures_[backBuffer_.id];
    const platform::PictureRect r = platform::FitPicture(int(bb.desc.width), int(bb.desc.height), w, h);
    // The cursor is read back, and the text caret handed out, through the same fit.
    platform::PresentedPicture shown;
    shown.width = int(bb.desc.width);
    shown.height = int(bb.desc.height);
    shown.drawableWidth = w;
    shown.drawableHeight = h;
    SDL_GetWindowSize(Win(window_), &shown.windowWidth, &shown.windowHeight);
    platform::SetPresentedPicture(shown);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebufferFor(bb.name, 0, false, 0));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Row 0 of the back buffer is the top of the picture; the window's row 0 is its bottom.
    glBlitFramebuffer(0, 0, GLint(bb.desc.width), GLint(bb.desc.height), r.x, h - r.y, r.x + r.w, h - r.y - r.h,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
    if (keepWindowPictures_ && w > 0 && h > 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        std::vector<uint32_t> rows(size_t(w) * size_t(h));
        glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
        windowPicture_.resize(rows.size());
        for (int y = 0; y < h; ++y)
            std::copy_n(rows.data() + size_t(h - 1 - y) * size_t(w), size_t(w), windowPicture_.data() + size_t(y) * w);
        windowPictureW_ = w;
        windowPictureH_ = h;
    }
    SDL_GL_SwapWindow(Win(window_));
    targetDirty_ = true;
    if (states_[int(State::ScissorTestEnable)]) glEnable(GL_SCISSOR_TEST);
    return Res::Ok;
}

bool GlDevice::windowPicture(std::vector<uint32_t>* argb, uint32_t* width, uint32_t* height) {
    if (windowPicture_.empty()) return false;
    *argb = windowPicture_;
    *width = uint32_t(windowPictureW_);
    *height = uint32_t(windowPictureH_);
    return true;
}

void GlDevice::gammaRamp(uint16_t red[256], uint16_t green[256], uint16_t blue[256]) {
    if (SDL_GetWindowGammaRamp(Win(window_), red, green, blue) == 0) return;
    for (int i = 0; i < 256; ++i) red[i] = green[i] = blue[i] = uint16_t(i * 257);
}

void GlDevice::showCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

Texture GlDevice::createTexture(const TextureDesc& desc) {
    if (desc.width == 0 || desc.height == 0) return {};
    TextureRec rec;
    rec.desc = desc;
    if (rec.desc.levels == 0) {
        uint32_t n = 1;
        for (uint32_t s = std::max(desc.width, desc.height); s > 1; s /= 2) ++n;
        rec.desc.levels = n;
    }
    if (desc.usage == Usage::RenderTarget) rec.desc.levels = 1;
    const GLenum target = desc.cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    glGenTextures(1, &rec.name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(target, rec.name);
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, GLint(rec.desc.levels - 1));
    if (!HasAlpha(desc.format)) glTexParameteri(target, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    while (glGetError() != GL_NO_ERROR) {}
    for (uint32_t f = 0; f < (desc.cube ? 6u : 1u); ++f) {
        GLenum t = desc.cube ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + f : GL_TEXTURE_2D;
        for (uint32_t l = 0; l < rec.desc.levels; ++l)
            glTexImage2D(t, GLint(l), GL_RGBA8, GLsizei(std::max(1u, desc.width >> l)),
                         GLsizei(std::max(1u, desc.height >> l)), 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    }
    const bool failed = glGetError() != GL_NO_ERROR;
    glBindTexture(target, 0);
    setTexture(0, stages_[0]);  // unit 0 shows what stage 0 holds again
    if (failed) {
        glDeleteTextures(1, &rec.name);
        return {};
    }
    if (desc.usage == Usage::Dynamic) rec.cpu.assign(size_t(desc.width) * desc.height, 0);
    Texture t{nextId_++};
    textures_[t.id] = std::move(rec);
    if (desc.usage == Usage::RenderTarget) {
        // Fresh targets start black, not undefined.
        Texture keepT = target_;
        uint32_t keepF = face_;
        DepthSurface keepD = depth_;
        for (uint32_t f = 0; f < (desc.cube ? 6u : 1u); ++f) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebufferFor(textures_[t.id].name, f, desc.cube, 0));
            glDisable(GL_SCISSOR_TEST);
            glColorMask(1, 1, 1, 1);
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        target_ = keepT;
        face_ = keepF;
        depth_ = keepD;
        targetDirty_ = true;
        applyState(State::ColorWriteEnable, states_[int(State::ColorWriteEnable)]);
        applyState(State::ScissorTestEnable, states_[int(State::ScissorTestEnable)]);
    }
    return t;
}

void GlDevice::releaseTexture(Texture tex) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end()) return;
    for (auto f = fbos_.begin(); f != fbos_.end();) {
        if (std::get<0>(f->first) == it->second.name) {
            glDeleteFramebuffers(1, &f->second);
            f = fbos_.erase(f);
        } else {
            ++f;
        }
    }
    glDeleteTextures(1, &it->second.name);
    textures_.erase(it);
    for (auto& s : stages_)
        if (s == tex) s = {};
    if (target_ == tex) target_ = {};
    targetDirty_ = true;
}

bool GlDevice::describeTexture(Texture tex, TextureDesc* desc) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end()) return false;
    *desc = it->second.desc;
    return true;
}

Result GlDevice::uploadTextureRows(Texture tex, uint32_t face, uint32_t level, uint32_t firstRow, uint32_t rowCount,
                                   const uint32_t* argb) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end() || !argb || level >= it->second.desc.levels || face >= (it->second.desc.cube ? 6u : 1u))
        return Res::InvalidCall;
    const TextureDesc& d = it->second.desc;
    const uint32_t height = std::max(1u, d.height >> level);
    if (rowCount == 0 || firstRow >= height || rowCount > height - firstRow) return Res::InvalidCall;
    const GLenum target = d.cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(target, it->second.name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(d.cube ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D, GLint(level), 0, GLint(firstRow),
                    GLsizei(std::max(1u, d.width >> level)), GLsizei(rowCount), GL_BGRA, GL_UNSIGNED_BYTE, argb);
    const bool last = firstRow + rowCount == height;
    if (level == 0 && last && d.levels > 1 && d.usage == Usage::Static) glGenerateMipmap(target);
    glBindTexture(target, 0);
    setTexture(0, stages_[0]);
    return Res::Ok;
}

uint32_t* GlDevice::lockTexture(Texture tex) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end() || it->second.desc.usage != Usage::Dynamic) return nullptr;
    return it->second.cpu.data();
}

void GlDevice::unlockTexture(Texture tex) {
    auto it = textures_.find(tex.id);
    if (it == textures_.end() || it->second.desc.usage != Usage::Dynamic) return;
    uploadTexture(tex, 0, 0, it->second.cpu.data());
}

void GlDevice::setTexture(uint32_t stage, Texture tex) {
    if (stage >= kTextureStages) return;
    glActiveTexture(GL_TEXTURE0 + stage);
    auto old = textures_.find(stages_[stage].id);
    if (old != textures_.end() && !(stages_[stage] == tex))
        glBindTexture(old->second.desc.cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D, 0);
    stages_[stage] = tex;
    auto it = textures_.find(tex.id);
    if (it != textures_.end())
        glBindTexture(it->second.desc.cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D, it->second.name);
    glActiveTexture(GL_TEXTURE0);
}

void GlDevice::setSamplerAddress(uint32_t stage, Address u, Address v) {
    if (stage >= kTextureStages) return;
    auto mode = [](Address a) { return a == Address::Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT; };
    glSamplerParameteri(samplers_[stage], GL_TEXTURE_WRAP_S, mode(u));
    glSamplerParameteri(samplers_[stage], GL_TEXTURE_WRAP_T, mode(v));
    glSamplerParameteri(samplers_[stage], GL_TEXTURE_WRAP_R, mode(v));
}

void GlDevice::setSamplerFilter(uint32_t stage, Filter mag, Filter min, Filter mip, uint32_t maxAnisotropy) {
    if (stage >= kTextureStages) return;
    const bool linMin = min != Filter::Point, linMip = mip != Filter::Point;
    GLenum minMode = linMin ? (linMip ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_NEAREST)
                            : (linMip ? GL_NEAREST_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST);
    glSamplerParameteri(samplers_[stage], GL_TEXTURE_MIN_FILTER, GLint(minMode));
    glSamplerParameteri(samplers_[stage], GL_TEXTURE_MAG_FILTER, mag == Filter::Point ? GL_NEAREST : GL_LINEAR);
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic"))
        glSamplerParameterf(samplers_[stage], GL_TEXTURE_MAX_ANISOTROPY_EXT,
                            float(min == Filter::Anisotropic ? std::max(1u, maxAnisotropy) : 1u));
}

DepthSurface GlDevice::createDepthSurface(uint32_t width, uint32_t height, Format) {
    if (width == 0 || height == 0) return {};
    DepthRec rec;
    rec.width = width;
    rec.height = height;
    while (glGetError() != GL_NO_ERROR) {}
    glGenRenderbuffers(1, &rec.name);
    glBindRenderbuffer(GL_RENDERBUFFER, rec.name);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, GLsizei(width), GLsizei(height));
    if (glGetError() != GL_NO_ERROR) {
        glDeleteRenderbuffers(1, &rec.name);
        return {};
    }
    DepthSurface d{nextId_++};
    depths_[d.id] = rec;
    return d;
}

void GlDevice::releaseDepthSurface(DepthSurface depth) {
    auto it = depths_.find(depth.id);
    if (it == depths_.end()) return;
    for (auto f = fbos_.begin(); f != fbos_.end();) {
        if (std::get<2>(f->first) == it->second.name) {
            glDeleteFramebuffers(1, &f->second);
            f = fbos_.erase(f);
        } else {
            ++f;
        }
    }
    glDeleteRenderbuffers(1, &it->second.name);
    depths_.erase(it);
    if (depth_ == depth) depth_ = {};
    targetDirty_ = true;
}

unsigned GlDevice::framebufferFor(unsigned colour, uint32_t face, bool cube, unsigned depth) {
    auto key = std::make_tuple(colour, face, depth);
    auto it = fbos_.find(key);
    if (it != fbos_.end()) return it->second;
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                           cube ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D, colour, 0);
    if (depth) glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    fbos_[key] = fbo;
    return fbo;
}

void GlDevice::setRenderTarget(Texture target, uint32_t face) {
    if (!target || !textures_.count(target.id)) return;
    target_ = target;
    face_ = face;
    targetDirty_ = true;
}

void GlDevice::setDepthSurface(DepthSurface depth) {
    depth_ = depth;
    targetDirty_ = true;
}

void GlDevice::bindTarget() {
    if (!targetDirty_) return;
    auto it = textures_.find(target_.id);
    if (it == textures_.end()) return;
    auto d = depths_.find(depth_.id);
    unsigned depthName = 0;
    // A depth surface smaller than the colour target cannot be attached in GL; draw without it.
    if (d != depths_.end() && d->second.width >= it->second.desc.width && d->second.height >= it->second.desc.height)
        depthName = d->second.name;
    glBindFramebuffer(GL_FRAMEBUFFER, framebufferFor(it->second.name, face_, it->second.desc.cube, depthName));
    targetW_ = it->second.desc.width;
    targetH_ = it->second.desc.height;
    glViewport(0, 0, GLsizei(targetW_), GLsizei(targetH_));
    device_[0][0] = 1.0f / float(targetW_);
    device_[0][1] = 1.0f / float(targetH_);
    device_[0][2] = float(targetW_);
    device_[0][3] = float(targetH_);
    deviceDirty_ = true;
    targetDirty_ = false;
    setScissorRect(scissor_[0], scissor_[1], scissor_[2], scissor_[3]);
}

void GlDevice::targetSize(uint32_t* width, uint32_t* height) {
    auto it = textures_.find(target_.id);
    *width = it == textures_.end() ? 0 : it->second.desc.width;
    *height = it == textures_.end() ? 0 : it->second.desc.height;
}

void GlDevice::setScissorRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    scissor_[0] = left;
    scissor_[1] = top;
    scissor_[2] = right;
    scissor_[3] = bottom;
    // Storage is top-down, so the rectangle needs no flip.
    glScissor(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void GlDevice::clear(uint32_t flags, uint32_t argb, float z, uint32_t stencil) {
    bindTarget();
    GLbitfield mask = 0;
    glDisable(GL_SCISSOR_TEST);
    if (flags & ClearFlag::Target) {
        glColorMask(1, 1, 1, 1);
        glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                     float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & ClearFlag::ZBuffer) {
        glDepthMask(GL_TRUE);
        glClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & ClearFlag::Stencil) {
        glClearStencil(GLint(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(mask);
    applyState(State::ColorWriteEnable, states_[int(State::ColorWriteEnable)]);
    applyState(State::ZWriteEnable, states_[int(State::ZWriteEnable)]);
    applyState(State::ScissorTestEnable, states_[int(State::ScissorTestEnable)]);
}

void GlDevice::clearRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb) {
    if (right <= left || bottom <= top) return;
    bindTarget();
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, top, right - left, bottom - top);
    glColorMask(1, 1, 1, 1);
    glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f,
                 float(argb >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    applyState(State::ColorWriteEnable, states_[int(State::ColorWriteEnable)]);
    setScissorRect(scissor_[0], scissor_[1], scissor_[2], scissor_[3]);
    applyState(State::ScissorTestEnable, states_[int(State::ScissorTestEnable)]);
}

bool GlDevice::readPixels(Texture target, uint32_t face, std::vector<uint32_t>* argb, uint32_t* width,
                          uint32_t* height) {
    auto it = textures_.find(target.id);
    if (it == textures_.end()) return false;
    const TextureDesc& d = it->second.desc;
    *width = d.width;
    *height = d.height;
    argb->assign(size_t(d.width) * d.height, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebufferFor(it->second.name, face, d.cube, 0));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, GLsizei(d.width), GLsizei(d.height), GL_BGRA, GL_UNSIGNED_BYTE, argb->data());
    targetDirty_ = true;
    return true;
}

}  // namespace gfx
