// tmTextSprite.cpp -- drawing the quad batch through the graphics device.
#include "sys/text/tmTextSprite.h"

#include <cstring>

#include "platform/gfx/Device.h"

namespace {

// Layout 1: x, y, z, rhw, ARGB colour, u, v.
struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28, "layout 1 vertices are 28 bytes");

constexpr size_t kQuadsPerDraw = 512;

const gfx::State kSavedStates[] = {
    gfx::State::CullMode,          gfx::State::ZEnable,  gfx::State::ZWriteEnable,     gfx::State::AlphaBlendEnable,
    gfx::State::BlendOp,           gfx::State::SrcBlend, gfx::State::DestBlend,        gfx::State::AlphaTestEnable,
    gfx::State::ScissorTestEnable, gfx::State::Lighting, gfx::State::ColorWriteEnable,
};
constexpr size_t kSavedCount = sizeof kSavedStates / sizeof kSavedStates[0];

}  // namespace

void tmTextSprite::Begin() {
    quads_.clear();
    ++batch_;
    open_ = true;
}

void tmTextSprite::AddQuad(gfx::Texture texture, float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                           float v1, uint32_t colour) {
    if (!open_) return;
    quads_.push_back({texture, x0, y0, x1, y1, u0, v0, u1, v1, colour});
}

void tmTextSprite::End() {
    if (!open_) return;
    open_ = false;
    if (!device_ || quads_.empty()) {
        quads_.clear();
        return;
    }
    gfx::Device& d = *device_;
    uint32_t saved[kSavedCount];
    for (size_t i = 0; i < kSavedCount; ++i) saved[i] = d.getState(kSavedStates[i]);

    d.setState(gfx::State::CullMode, gfx::Cull::None);
    d.setState(gfx::State::ZEnable, 0);
    d.setState(gfx::State::ZWriteEnable, 0);
    d.setState(gfx::State::AlphaBlendEnable, 1);
    d.setState(gfx::State::BlendOp, gfx::BlendOp::Add);
    d.setState(gfx::State::SrcBlend, gfx::Blend::SrcAlpha);
    d.setState(gfx::State::DestBlend, gfx::Blend::InvSrcAlpha);
    d.setState(gfx::State::AlphaTestEnable, 0);
    d.setState(gfx::State::ScissorTestEnable, 0);
    d.setState(gfx::State::Lighting, 0);
    d.setState(gfx::State::ColorWriteEnable, 0xF);
    d.setShaders(gfx::Shader{}, gfx::Shader{});
    d.setLayout(1);
    d.setSamplerAddress(0, gfx::Address::Clamp, gfx::Address::Clamp);
    d.setSamplerFilter(0, gfx::Filter::Point, gfx::Filter::Point, gfx::Filter::Point, 1);

    // Runs of quads sharing a texture, at most kQuadsPerDraw per draw.
    std::vector<ScreenVertex> vertices;
    vertices.reserve(kQuadsPerDraw * 6);
    size_t i = 0;
    while (i < quads_.size()) {
        const gfx::Texture texture = quads_[i].texture;
        vertices.clear();
        size_t n = 0;
        for (; i < quads_.size() && n < kQuadsPerDraw && quads_[i].texture == texture; ++i, ++n) {
            const Quad& q = quads_[i];
            // Pixel edges sit half a pixel before pixel centres.
            const float x0 = q.x0 - 0.5f, y0 = q.y0 - 0.5f, x1 = q.x1 - 0.5f, y1 = q.y1 - 0.5f;
            const ScreenVertex a{x0, y0, 0, 1, q.colour, q.u0, q.v0};
            const ScreenVertex b{x1, y0, 0, 1, q.colour, q.u1, q.v0};
            const ScreenVertex c{x0, y1, 0, 1, q.colour, q.u0, q.v1};
            const ScreenVertex e{x1, y1, 0, 1, q.colour, q.u1, q.v1};
            vertices.insert(vertices.end(), {a, b, c, c, b, e});
        }
        d.setTexture(0, texture);
        d.drawInline(gfx::Primitive::TriangleList, static_cast<uint32_t>(n * 2), vertices.data(), sizeof(ScreenVertex));
    }
    d.setTexture(0, gfx::Texture{});
    for (size_t k = 0; k < kSavedCount; ++k) d.setState(kSavedStates[k], saved[k]);
    quads_.clear();
}
