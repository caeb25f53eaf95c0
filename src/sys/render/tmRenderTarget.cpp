// tmRenderTarget.cpp -- making, binding and releasing off-screen targets.
#include "sys/render/tmRenderTarget.h"

#include "platform/gfx/Device.h"

tmRenderTarget tmMakeRenderTarget(gfx::Device* device, uint32_t width, uint32_t height, uint32_t clearArgb) {
    tmRenderTarget t;
    t.texture = device->createTexture({width, height, 1, gfx::Format::A8R8G8B8, gfx::Usage::RenderTarget, false});
    if (!t.texture) return {};
    t.depth = device->createDepthSurface(width, height, gfx::Format::D24X8);
    if (!t.depth) {
        device->releaseTexture(t.texture);
        return {};
    }
    t.width = width;
    t.height = height;
    tmBindRenderTarget(device, t);
    device->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, clearArgb, 1.0f, 0);
    return t;
}

void tmReleaseRenderTarget(gfx::Device* device, tmRenderTarget& t) {
    if (t.depth) device->releaseDepthSurface(t.depth);
    if (t.texture) device->releaseTexture(t.texture);
    t = tmRenderTarget{};
}

void tmBindRenderTarget(gfx::Device* device, const tmRenderTarget& t) {
    device->setRenderTarget(t.texture, 0);
    device->setDepthSurface(t.depth);
}
