// GlDeviceDraw.cpp -- OpenGL backend: buffers, render states, programs, constants and draws.
#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/gfx/GlDevice.h"
#include "platform/gfx/GlPrograms.h"

namespace gfx {

namespace {
GLenum GlPrim(Primitive p) {
    switch (p) {
        case Primitive::PointList: return GL_POINTS;
        case Primitive::LineList: return GL_LINES;
        case Primitive::LineStrip: return GL_LINE_STRIP;
        case Primitive::TriangleList: return GL_TRIANGLES;
        case Primitive::TriangleStrip: return GL_TRIANGLE_STRIP;
        case Primitive::TriangleFan: return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}
GLenum GlBlendFactor(uint32_t b) {
    const GLenum table[] = {GL_ONE,
                            GL_ZERO,
                            GL_ONE,
                            GL_SRC_COLOR,
                            GL_ONE_MINUS_SRC_COLOR,
                            GL_SRC_ALPHA,
                            GL_ONE_MINUS_SRC_ALPHA,
                            GL_DST_ALPHA,
                            GL_ONE_MINUS_DST_ALPHA,
                            GL_DST_COLOR,
                            GL_ONE_MINUS_DST_COLOR};
    return b < 11 ? table[b] : GL_ONE;
}
GLenum GlCompareFunc(uint32_t c) {
    const GLenum table[] = {GL_ALWAYS,  GL_NEVER,    GL_LESS,   GL_EQUAL, GL_LEQUAL,
                            GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return c < 9 ? table[c] : GL_ALWAYS;
}
GLenum GlBlendEquation(uint32_t op) {
    switch (op) {
        case BlendOp::Subtract: return GL_FUNC_SUBTRACT;
        case BlendOp::RevSubtract: return GL_FUNC_REVERSE_SUBTRACT;
        case BlendOp::Min: return GL_MIN;
        case BlendOp::Max: return GL_MAX;
        default: return GL_FUNC_ADD;
    }
}
}  // namespace

Buffer GlDevice::createBuffer(BufferKind kind, uint32_t bytes, bool dynamic) {
    if (bytes == 0) return {};
    BufferRec rec;
    rec.kind = kind;
    rec.cpu.assign(bytes, 0);
    glGenBuffers(1, &rec.name);
    glBindBuffer(GL_ARRAY_BUFFER, rec.name);
    glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
    Buffer b{nextId_++};
    buffers_[b.id] = std::move(rec);
    return b;
}

void GlDevice::releaseBuffer(Buffer buf) {
    auto it = buffers_.find(buf.id);
    if (it == buffers_.end()) return;
    glDeleteBuffers(1, &it->second.name);
    buffers_.erase(it);
    if (stream_ == buf) stream_ = {};
    if (indices_ == buf) indices_ = {};
}

void* GlDevice::lockBuffer(Buffer buf, uint32_t offset, uint32_t bytes) {
    auto it = buffers_.find(buf.id);
    if (it == buffers_.end() || it->second.locked) return nullptr;
    BufferRec& rec = it->second;
    const uint32_t size = uint32_t(rec.cpu.size());
    if (bytes == 0) bytes = offset < size ? size - offset : 0;
    if (uint64_t(offset) + bytes > size || bytes == 0) return nullptr;
    rec.locked = true;
    rec.lockOffset = offset;
    rec.lockBytes = bytes;
    return rec.cpu.data() + offset;
}

void GlDevice::unlockBuffer(Buffer buf) {
    auto it = buffers_.find(buf.id);
    if (it == buffers_.end() || !it->second.locked) return;
    BufferRec& rec = it->second;
    glBindBuffer(GL_ARRAY_BUFFER, rec.name);
    glBufferSubData(GL_ARRAY_BUFFER, rec.lockOffset, rec.lockBytes, rec.cpu.data() + rec.lockOffset);
    rec.locked = false;
}

uint32_t GlDevice::bufferSize(Buffer buf) {
    auto it = buffers_.find(buf.id);
    return it == buffers_.end() ? 0 : uint32_t(it->second.cpu.size());
}

void GlDevice::setStream(Buffer vertices, uint32_t stride) {
    stream_ = vertices;
    stride_ = stride;
}

void GlDevice::setIndices(Buffer indices) { indices_ = indices; }

void GlDevice::setState(State state, uint32_t value) {
    if (state >= State::Count) return;
    states_[int(state)] = value;
    applyState(state, value);
}

uint32_t GlDevice::getState(State state) { return state < State::Count ? states_[int(state)] : 0; }

void GlDevice::applyState(State state, uint32_t value) {
    switch (state) {
        case State::CullMode:
            // Storage is flipped vertically, so the screen's clockwise is GL's counter-clockwise.
            if (value == Cull::None) {
                glDisable(GL_CULL_FACE);
            } else {
                glEnable(GL_CULL_FACE);
                glFrontFace(GL_CCW);
                glCullFace(value == Cull::CW ? GL_FRONT : GL_BACK);
            }
            break;
        case State::ZEnable: value ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST); break;
        case State::ZWriteEnable: glDepthMask(value ? GL_TRUE : GL_FALSE); break;
        case State::ZFunc: glDepthFunc(GlCompareFunc(value)); break;
        case State::AlphaBlendEnable: value ? glEnable(GL_BLEND) : glDisable(GL_BLEND); break;
        case State::BlendOp: glBlendEquation(GlBlendEquation(value)); break;
        case State::SrcBlend:
        case State::DestBlend:
            glBlendFunc(GlBlendFactor(states_[int(State::SrcBlend)]), GlBlendFactor(states_[int(State::DestBlend)]));
            break;
        case State::AlphaTestEnable:
            device_[1][0] = value ? 1.0f : 0.0f;
            deviceDirty_ = true;
            break;
        case State::AlphaFunc:
            device_[1][1] = float(value);
            deviceDirty_ = true;
            break;
        case State::AlphaRef:
            device_[1][2] = float(std::min(value, 255u)) / 255.0f;
            deviceDirty_ = true;
            break;
        case State::ScissorTestEnable: value ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST); break;
        case State::Lighting:
            device_[2][3] = value ? 1.0f : 0.0f;
            deviceDirty_ = true;
            break;
        case State::ColorWriteEnable:
            glColorMask(value & 1 ? GL_TRUE : GL_FALSE, value & 2 ? GL_TRUE : GL_FALSE, value & 4 ? GL_TRUE : GL_FALSE,
                        value & 8 ? GL_TRUE : GL_FALSE);
            break;
        case State::Count: break;
    }
}

void GlDevice::setLayout(int layout) {
    if (layout < 0 || layout >= kLayoutCount) return;
    layout_ = layout;
    const VertexLayout& l = GetVertexLayout(layout);
    bool normal = false, colour = false;
    for (uint32_t i = 0; i < l.count; ++i) {
        normal |= l.elements[i].usage == ElementUsage::Normal;
        colour |= l.elements[i].usage == ElementUsage::Colour;
    }
    device_[2][0] = normal ? 1.0f : 0.0f;
    device_[2][1] = colour ? 1.0f : 0.0f;
    device_[2][2] = l.pretransformed ? 1.0f : 0.0f;
    deviceDirty_ = true;
}

unsigned GlDevice::builtinShader(Stage stage, const char* source) {
    std::string log;
    Shader s = compileShader(stage, source, &log);
    if (!s) {
        std::fprintf(stderr, "gfx: built-in program failed: %s\n", log.c_str());
        return 0;
    }
    return shaders_[s.id];
}

Shader GlDevice::compileShader(Stage stage, const std::string& source, std::string* log) {
    const std::string& prologue = stage == Stage::Vertex ? GlVertexPrologue() : GlPixelPrologue();
    const std::string text = prologue + source;
    GLuint s = glCreateShader(stage == Stage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    const char* p = text.c_str();
    glShaderSource(s, 1, &p, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        GLint len = 0;
        glGetShaderiv(s, GL_INFO_LOG_LENGTH, &len);
        std::string info(size_t(std::max(len, 1)), '\0');
        glGetShaderInfoLog(s, len, nullptr, &info[0]);
        if (log) *log = info.c_str();
        glDeleteShader(s);
        return {};
    }
    Shader h{nextId_++};
    shaders_[h.id] = s;
    return h;
}

void GlDevice::releaseShader(Shader shader) {
    auto it = shaders_.find(shader.id);
    if (it == shaders_.end()) return;
    for (auto p = programs_.begin(); p != programs_.end();) {
        if (p->first.first == it->second || p->first.second == it->second) {
            glDeleteProgram(p->second.name);
            p = programs_.erase(p);
        } else {
            ++p;
        }
    }
    glDeleteShader(it->second);
    shaders_.erase(it);
}

void GlDevice::setShaders(Shader vertex, Shader pixel) {
    auto v = shaders_.find(vertex.id);
    auto p = shaders_.find(pixel.id);
    vs_ = v == shaders_.end() ? 0 : v->second;
    ps_ = p == shaders_.end() ? 0 : p->second;
}

GlDevice::Program* GlDevice::programFor(unsigned vs, unsigned ps) {
    auto key = std::make_pair(vs, ps);
    auto it = programs_.find(key);
    if (it != programs_.end()) return it->second.failed ? nullptr : &it->second;
    Program prog;
    prog.name = glCreateProgram();
    glAttachShader(prog.name, vs);
    glAttachShader(prog.name, ps);
    glLinkProgram(prog.name);
    GLint ok = 0;
    glGetProgramiv(prog.name, GL_LINK_STATUS, &ok);
    if (!ok) {
        char info[1024] = {};
        glGetProgramInfoLog(prog.name, sizeof info, nullptr, info);
        std::fprintf(stderr, "gfx: program link failed: %s\n", info);
        glDeleteProgram(prog.name);
        prog.name = 0;
        prog.failed = true;
        programs_[key] = prog;
        return nullptr;
    }
    const char* blocks[4] = {"VertexConstants", "PixelConstants", "DeviceBlock", "FixedBlock"};
    for (unsigned i = 0; i < 4; ++i) {
        GLuint index = glGetUniformBlockIndex(prog.name, blocks[i]);
        if (index != GL_INVALID_INDEX) glUniformBlockBinding(prog.name, index, i);
    }
    glUseProgram(prog.name);
    for (int i = 0; i < kTextureStages; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "s%d", i);
        GLint loc = glGetUniformLocation(prog.name, name);
        if (loc >= 0) glUniform1i(loc, i);
    }
    prog.hasTexture0 = glGetUniformLocation(prog.name, "hasTexture0");
    return &(programs_[key] = prog);
}

void GlDevice::setConstants(Stage stage, uint32_t firstRegister, const float* values, uint32_t count4) {
    auto& regs = stage == Stage::Vertex ? vc_ : pc_;
    for (uint32_t i = 0; i < count4 && firstRegister + i < kConstantRegisters; ++i)
        std::memcpy(regs[firstRegister + i], values + 4 * i, sizeof(float) * 4);
    (stage == Stage::Vertex ? vcDirty_ : pcDirty_) = true;
}

void GlDevice::setTransform(Transform which, const float matrix[16]) {
    std::memcpy(fixed_ + 16 * int(which), matrix, sizeof(float) * 16);
    fixedDirty_ = true;
}

void GlDevice::setMaterial(const Material& m) {
    float* f = fixed_ + 48;
    const Colour4* c[3] = {&m.diffuse, &m.ambient, &m.emissive};
    for (int i = 0; i < 3; ++i) {
        f[4 * i] = c[i]->r;
        f[4 * i + 1] = c[i]->g;
        f[4 * i + 2] = c[i]->b;
        f[4 * i + 3] = c[i]->a;
    }
    fixedDirty_ = true;
}

void GlDevice::setLight(const DirectionalLight& l) {
    float* f = fixed_ + 60;
    const float v[12] = {l.diffuse.r,    l.diffuse.g,    l.diffuse.b,    l.diffuse.a,
                         l.ambient.r,    l.ambient.g,    l.ambient.b,    l.ambient.a,
                         l.direction[0], l.direction[1], l.direction[2], l.enabled ? 1.0f : 0.0f};
    std::memcpy(f, v, sizeof v);
    fixedDirty_ = true;
}

void GlDevice::flushBlocks() {
    struct {
        bool* dirty;
        const void* data;
        GLsizeiptr size;
    } blocks[4] = {{&vcDirty_, vc_, sizeof vc_},
                   {&pcDirty_, pc_, sizeof pc_},
                   {&deviceDirty_, device_, sizeof device_},
                   {&fixedDirty_, fixed_, sizeof fixed_}};
    for (unsigned i = 0; i < 4; ++i) {
        if (!*blocks[i].dirty) continue;
        glBindBuffer(GL_UNIFORM_BUFFER, blocks_[i]);
        glBufferSubData(GL_UNIFORM_BUFFER, 0, blocks[i].size, blocks[i].data);
        *blocks[i].dirty = false;
    }
}

bool GlDevice::prepareDraw() {
    if (!created_) return false;
    bindTarget();
    const bool pre = GetVertexLayout(layout_).pretransformed;
    unsigned vs = pre ? screenVs_ : (vs_ ? vs_ : fixedVs_);
    unsigned ps = ps_ ? ps_ : fixedPs_;
    if (!vs_ && !pre) ps = fixedPs_;  // fixed function is a pair
    Program* prog = programFor(vs, ps);
    if (!prog) return false;
    glUseProgram(prog->name);
    if (prog->hasTexture0 >= 0) glUniform1f(prog->hasTexture0, stages_[0] ? 1.0f : 0.0f);
    flushBlocks();
    return true;
}

void GlDevice::applyLayout(unsigned vbo, uint32_t stride, uint32_t offset) {
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    const VertexLayout& l = GetVertexLayout(layout_);
    bool used[6] = {};
    for (uint32_t i = 0; i < l.count; ++i) {
        const VertexElement& e = l.elements[i];
        unsigned loc = kAttrPosition;
        switch (e.usage) {
            case ElementUsage::Position:
            case ElementUsage::PositionT: loc = kAttrPosition; break;
            case ElementUsage::Normal: loc = kAttrNormal; break;
            case ElementUsage::Colour: loc = kAttrColour; break;
            case ElementUsage::TexCoord: loc = e.usageIndex ? kAttrUv1 : kAttrUv0; break;
            case ElementUsage::Tangent: loc = kAttrTangent; break;
        }
        used[loc] = true;
        const void* at = reinterpret_cast<const void*>(uintptr_t(offset + e.offset));
        glEnableVertexAttribArray(loc);
        if (e.type == ElementType::Colour)
            glVertexAttribPointer(loc, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, GLsizei(stride), at);
        else
            glVertexAttribPointer(loc,
                                  e.type == ElementType::Float2   ? 2
                                  : e.type == ElementType::Float3 ? 3
                                                                  : 4,
                                  GL_FLOAT, GL_FALSE, GLsizei(stride), at);
    }
    for (unsigned loc = 0; loc < 6; ++loc) {
        if (used[loc]) continue;
        glDisableVertexAttribArray(loc);
        if (loc == kAttrColour)
            glVertexAttrib4f(loc, 1, 1, 1, 1);
        else
            glVertexAttrib4f(loc, 0, 0, 0, 1);
    }
}

void GlDevice::draw(Primitive prim, uint32_t firstVertex, uint32_t count) {
    auto it = buffers_.find(stream_.id);
    if (it == buffers_.end() || count == 0 || !prepareDraw()) return;
    applyLayout(it->second.name, stride_ ? stride_ : GetVertexLayout(layout_).stride, 0);
    glDrawArrays(GlPrim(prim), GLint(firstVertex), GLsizei(VertexCountFor(prim, count)));
}

void GlDevice::drawIndexed(Primitive prim, int32_t baseVertex, uint32_t, uint32_t, uint32_t startIndex,
                           uint32_t count) {
    auto vb = buffers_.find(stream_.id);
    auto ib = buffers_.find(indices_.id);
    if (vb == buffers_.end() || ib == buffers_.end() || count == 0 || !prepareDraw()) return;
    applyLayout(vb->second.name, stride_ ? stride_ : GetVertexLayout(layout_).stride, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ib->second.name);
    const bool wide = ib->second.kind == BufferKind::Index32;
    const uintptr_t offset = uintptr_t(startIndex) * (wide ? 4 : 2);
    glDrawElementsBaseVertex(GlPrim(prim), GLsizei(VertexCountFor(prim, count)),
                             wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, reinterpret_cast<const void*>(offset),
                             baseVertex);
}

void GlDevice::drawInline(Primitive prim, uint32_t count, const void* vertices, uint32_t stride) {
    if (!vertices || count == 0 || !prepareDraw()) return;
    const uint32_t n = VertexCountFor(prim, count);
    glBindBuffer(GL_ARRAY_BUFFER, inlineVbo_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(n) * stride, vertices, GL_STREAM_DRAW);
    applyLayout(inlineVbo_, stride, 0);
    glDrawArrays(GlPrim(prim), 0, GLsizei(n));
}

}  // namespace gfx
