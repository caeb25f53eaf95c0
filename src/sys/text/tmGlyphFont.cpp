// tmGlyphFont.cpp -- glyph placement, clipping and atlas upload for screen text.
#include "sys/text/tmGlyphFont.h"

#include <algorithm>
#include <cstring>

#include "platform/gfx/Device.h"
#include "platform/text/GlyphAtlas.h"
#include "platform/text/TextEncoding.h"
#include "sys/text/tmTextSprite.h"

namespace {
platform::GlyphBackend g_backend = platform::GlyphBackend::System;
}

void tmGlyphFont::SetBackend(platform::GlyphBackend backend) { g_backend = backend; }
platform::GlyphBackend tmGlyphFont::GetBackend() { return g_backend; }

tmGlyphFont::tmGlyphFont() = default;
tmGlyphFont::~tmGlyphFont() { Release(); }

bool tmGlyphFont::Create(gfx::Device* device, int height) {
    Release();
    if (!device) return false;
    device_ = device;
    height_ = std::max(1, height);
    source_ = platform::CreateGlyphSource(g_backend, height_);
    atlas_ = std::make_unique<platform::GlyphAtlas>(source_.get(), kAtlasSize, kAtlasSize);
    if (!MakeTexture()) {
        Release();
        return false;
    }
    return true;
}

void tmGlyphFont::Release() {
    OnLostDevice();
    atlas_.reset();
    source_.reset();
    device_ = nullptr;
    height_ = 0;
}

void tmGlyphFont::OnLostDevice() {
    if (device_ && texture_) device_->releaseTexture(texture_);
    texture_ = gfx::Texture{};
}

void tmGlyphFont::OnResetDevice() {
    if (!device_ || !atlas_ || texture_) return;
    // Glyphs are rendered again on demand into a fresh atlas.
    atlas_->Clear();
    MakeTexture();
}

bool tmGlyphFont::MakeTexture() {
    gfx::TextureDesc desc;
    desc.width = static_cast<uint32_t>(atlas_->Width());
    desc.height = static_cast<uint32_t>(atlas_->Height());
    desc.levels = 1;
    desc.format = gfx::Format::A8R8G8B8;
    desc.usage = gfx::Usage::Static;
    texture_ = device_->createTexture(desc);
    if (!texture_) return false;
    Upload();
    return true;
}

void tmGlyphFont::Upload() {
    if (!texture_ || !atlas_->Dirty()) return;
    if (device_->uploadTexture(texture_, 0, 0, atlas_->Pixels()) == gfx::Res::Ok) atlas_->MarkUploaded();
}

int tmGlyphFont::DrawText(tmTextSprite* sprite, const char* text, int count, const tmRect& rect, uint32_t colour) {
    if (!sprite || !text || !atlas_ || !texture_) return 0;
    // A full atlas is emptied only between batches, never under quads already queued.
    if (sprite->GetBatch() != lastBatch_) {
        lastBatch_ = sprite->GetBatch();
        if (atlas_->Full()) atlas_->Clear();
    }
    const size_t length = count < 0 ? std::strlen(text) : static_cast<size_t>(count);
    const std::u32string codes = platform::Cp932ToUtf32(text, length);

    const float invW = 1.0f / static_cast<float>(atlas_->Width());
    const float invH = 1.0f / static_cast<float>(atlas_->Height());
    const int ascent = source_->Ascent();
    int penX = rect.left;
    int lineTop = rect.top;
    int placed = 0;
    for (char32_t cp : codes) {
        if (cp == U'\n') {
            penX = rect.left;
            lineTop += height_;
            continue;
        }
        if (lineTop >= rect.bottom) break;
        const platform::AtlasGlyph* g = atlas_->Find(cp);
        if (!g) continue;
        int x0 = penX + g->left, y0 = lineTop + ascent - g->top;
        int x1 = x0 + g->width, y1 = y0 + g->height;
        penX += g->advance;
        // Clip to the rectangle, trimming the texture rectangle alike.
        const int cx0 = std::max(x0, rect.left), cy0 = std::max(y0, rect.top);
        const int cx1 = std::min(x1, rect.right), cy1 = std::min(y1, rect.bottom);
        if (cx0 >= cx1 || cy0 >= cy1) continue;
        const float u0 = float(g->x + (cx0 - x0)) * invW, v0 = float(g->y + (cy0 - y0)) * invH;
        const float u1 = float(g->x + (cx1 - x0)) * invW, v1 = float(g->y + (cy1 - y0)) * invH;
        sprite->AddQuad(texture_, float(cx0), float(cy0), float(cx1), float(cy1), u0, v0, u1, v1, colour);
        ++placed;
    }
    Upload();
    return placed;
}
