// tmRenderTarget.h -- an off-screen colour texture with a depth surface of its own: making, binding, releasing.
#pragma once
#include <cstdint>

#include "platform/gfx/GfxTypes.h"

namespace gfx {
class Device;
}

// A colour render-target texture and the depth surface drawn with it. Plain
// handles: the renderer and the post-process make and release them on the
// device of the current set-up.
struct tmRenderTarget {
    gfx::Texture texture;
    gfx::DepthSurface depth;
    uint32_t width = 0, height = 0;
    bool Ok() const { return texture && depth; }
};

// A width x height A8R8G8B8 target with a D24X8 depth surface, cleared to
// clearArgb (colour) and 1 (depth); empty when either cannot be made.
tmRenderTarget tmMakeRenderTarget(gfx::Device* device, uint32_t width, uint32_t height, uint32_t clearArgb);
void tmReleaseRenderTarget(gfx::Device* device, tmRenderTarget& target);
// Draws into the target's texture (face 0) with its depth surface.
void tmBindRenderTarget(gfx::Device* device, const tmRenderTarget& target);
