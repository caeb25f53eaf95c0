// ggSpriteManager.cpp -- registration of named sprites, anchored queueing and the depth-sorted flush.
#include "lobby/ggSpriteManager.h"

#include <algorithm>
#include <cstdio>

#include "content_tables.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmDraw.h"
#include "sys/resource/tmPicture.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"
#include "table/tmSpriteGroup.h"

namespace g2lobby {

const uint32_t ggSpriteManager::kSolidSpriteId = content::SPR_LB_WHITE;

namespace {

// Anchor factors of a 3 x 3 grid in reading order.
const float kAnchorX[9] = {0.0f, -0.5f, -1.0f, 0.0f, -0.5f, -1.0f, 0.0f, -0.5f, -1.0f};
const float kAnchorY[9] = {0.0f, 0.0f, 0.0f, -0.5f, -0.5f, -0.5f, -1.0f, -1.0f, -1.0f};

// A texture sprite covers its whole texture.
const sys::tmSpriteRecord kWholeTexture{"", 0.0f, 0.0f, 1.0f, 1.0f};

tmResourceHolder* Cache() { return tmDraw::GetInstance()->GetResourceHolder(); }

uint32_t Channel(float v) {
    if (!(v > 0.0f)) return 0;  // NaN reads as 0
    if (v >= 1.0f) return 255;
    return static_cast<uint32_t>(v * 255.0f + 0.5f);
}

void ReleaseNamed(tmResourceHolder* cache, int type, const std::string& name) {
    if (!cache) return;
    if (sys::tmResource* r = cache->Find(type, name.c_str())) r->Release();
}

}  // namespace

uint32_t ggSpriteManager::PackColor(const ggColor& c) {
    return Channel(c.a) << 24 | Channel(c.r) << 16 | Channel(c.g) << 8 | Channel(c.b);
}

// ---------------------------------------------------------------- registration

bool ggSpriteManager::LoadSpriteSet(int id) {
    if (!tmSpriteGroup::Load(id)) return false;
    loadedSets_.push_back(id);
    return true;
}

bool ggSpriteManager::Has(const std::string& name) const {
    return tables_.count(name) || solids_.count(name) || textures_.count(name);
}

bool ggSpriteManager::AddTableSprite(const std::string& name, uint32_t spriteId) {
    if (Has(name)) return false;
    float w = 1.0f, h = 1.0f;
    tmResourceHolder* cache = Cache();
    const sys::tmSprite* sprite = cache ? cache->GetSpriteSlot(static_cast<int>(spriteId)) : nullptr;
    uint32_t tw = 0, th = 0;
    if (sprite && sprite->GetTexture() && sprite->GetRecord() && sprite->GetTexture()->GetSize(&tw, &th)) {
        w = static_cast<float>(tw) * sprite->GetRecord()->width;
        h = static_cast<float>(th) * sprite->GetRecord()->height;
    }
    tables_[name] = {spriteId, w, h};
    return true;
}

bool ggSpriteManager::AddSolidSprite(const std::string& name, float width, float height, float r, float g, float b,
                                     float a) {
    if (Has(name)) return false;
    solids_[name] = {{r, g, b, a}, width, height};
    return true;
}

bool ggSpriteManager::AddTextureSprite(const std::string& name, const std::string& textureName) {
    if (Has(name)) return false;
    tmResourceHolder* cache = Cache();
    if (!cache) return false;
    auto* texture = static_cast<sys::tmTexture*>(cache->Find(sys::tmResource::kTexture, textureName.c_str()));
    if (!texture) return false;
    if (cache->Find(sys::tmResource::kSprite, name.c_str())) {
        std::fprintf(stderr, "lobby: a sprite resource named %s already exists\n", name.c_str());
        return false;
    }
    auto* sprite = TM_NEW sys::tmSprite;
    sprite->SetName(name.c_str());
    sprite->Set(texture, &kWholeTexture);
    cache->Register(sprite);
    uint32_t tw = 0, th = 0;
    if (!texture->GetSize(&tw, &th)) tw = th = 1;
    textures_[name] = {textureName, 0.0f, 0.0f, 1.0f, 1.0f, sprite, static_cast<float>(tw), static_cast<float>(th)};
    return true;
}

bool ggSpriteManager::AddTextureFromMemory(const std::string& name, int width, int height, const void* data,
                                           size_t size) {
    tmResourceHolder* cache = Cache();
    if (Has(name) || !cache) return false;
    if (cache->Find(sys::tmResource::kTexture, name.c_str())) {
        std::fprintf(stderr, "lobby: a texture named %s already exists\n", name.c_str());
        return false;
    }
    std::vector<uint32_t> argb;
    std::string why;
    if (!tmDecodePicture(data, size, width, height, &argb, &why)) {
        std::fprintf(stderr, "lobby: picture %s refused: %s\n", name.c_str(), why.c_str());
        return false;
    }
    tmDraw* drawer = tmDraw::GetInstance();
    sys::tmTexture* texture = drawer->CreateTexture(name.c_str(), width, height);
    if (!texture) return false;
    if (!drawer->UploadTexture(texture, argb.data(), width, height)) {
        TM_DELETE(texture);
        return false;
    }
    cache->Register(texture);
    if (!AddTextureSprite(name, name)) {
        texture->Release();
        return false;
    }
    return true;
}

void ggSpriteManager::ReleaseTextureEntry(const TextureEntry& entry, const std::string& name) {
    tmResourceHolder* cache = Cache();
    ReleaseNamed(cache, sys::tmResource::kSprite, name);
    ReleaseNamed(cache, sys::tmResource::kTexture, entry.texture);
}

bool ggSpriteManager::Remove(const std::string& name) {
    if (tables_.erase(name) || solids_.erase(name)) return true;
    auto it = textures_.find(name);
    if (it == textures_.end()) return false;
    const TextureEntry entry = it->second;
    textures_.erase(it);
    ReleaseTextureEntry(entry, name);
    return true;
}

void ggSpriteManager::ReleaseAll() {
    const auto textures = textures_;
    textures_.clear();
    for (const auto& [name, entry] : textures) ReleaseTextureEntry(entry, name);
    for (int id : loadedSets_) tmSpriteGroup::Unload(id);
    loadedSets_.clear();
    tables_.clear();
    solids_.clear();
}

float ggSpriteManager::GetWidth(const std::string& name) const {
    if (auto t = tables_.find(name); t != tables_.end()) return t->second.width;
    if (auto s = solids_.find(name); s != solids_.end()) return s->second.width;
    if (auto x = textures_.find(name); x != textures_.end()) return x->second.width;
    return 1.0f;
}

float ggSpriteManager::GetHeight(const std::string& name) const {
    if (auto t = tables_.find(name); t != tables_.end()) return t->second.height;
    if (auto s = solids_.find(name); s != solids_.end()) return s->second.height;
    if (auto x = textures_.find(name); x != textures_.end()) return x->second.height;
    return 1.0f;
}

// ---------------------------------------------------------------- queueing

void ggSpriteManager::Queue(sys::tmSprite* sprite, const std::string& name, float x, float y, float depth, float w,
                            float h, float rotation, float sx, float sy, int anchor, uint32_t colour, float u0,
                            float v0, float u1, float v1) {
    const float du = u1 - u0, dv = v1 - v0;
    if (du == 0.0f || dv == 0.0f) return;  // an empty texture range shows nothing
    if (anchor < 0 || anchor > 8) anchor = 0;
    DrawRecord r;
    r.sprite = sprite;
    r.name = name;
    r.x = x + kAnchorX[anchor] * w * sx;
    r.y = y + kAnchorY[anchor] * h * sy;
    r.depth = depth;
    r.scaleX = sx / du;
    r.scaleY = sy / dv;
    r.colour = colour;
    r.rotation = rotation;
    r.reserved0 = r.reserved1 = 0.0f;
    r.u0 = u0;
    r.v0 = v0;
    r.uExtent = du;
    r.vExtent = dv;
    drawList_.push_back(std::move(r));
}

void ggSpriteManager::Draw(const std::string& name, float x, float y, float depth, float rotation, float scaleX,
                           float scaleY, float, int anchor, const ggColor* colour, float u0, float v0, float u1,
                           float v1) {
    tmResourceHolder* cache = Cache();
    const uint32_t argb = colour ? PackColor(*colour) : 0xFFFFFFFFu;
    if (auto t = tables_.find(name); t != tables_.end()) {
        sys::tmSprite* sprite = cache ? cache->GetSpriteSlot(static_cast<int>(t->second.id)) : nullptr;
        Queue(sprite, name, x, y, depth, t->second.width, t->second.height, rotation, scaleX, scaleY, anchor, argb, u0,
              v0, u1, v1);
    } else if (auto s = solids_.find(name); s != solids_.end()) {
        sys::tmSprite* sprite = cache ? cache->GetSpriteSlot(static_cast<int>(kSolidSpriteId)) : nullptr;
        Queue(sprite, name, x, y, depth, 1.0f, 1.0f, rotation, s->second.width * scaleX, s->second.height * scaleY,
              anchor, PackColor(s->second.colour), u0, v0, u1, v1);
    } else if (auto x2 = textures_.find(name); x2 != textures_.end()) {
        auto* sprite =
            cache ? static_cast<sys::tmSprite*>(cache->Find(sys::tmResource::kSprite, name.c_str())) : nullptr;
        Queue(sprite, name, x + 0.5f, y + 0.5f, depth, x2->second.width, x2->second.height, rotation, scaleX, scaleY,
              anchor, argb, u0, v0, u1, v1);
    }
}

bool ggSpriteManager::DrawPart(const std::string& name, float x, float y, float depth, float partWidth,
                               float partHeight, float, int anchor, const ggColor* colour, float targetWidth,
                               float targetHeight) {
    auto t = tables_.find(name);
    if (t == tables_.end()) return false;
    const float w = t->second.width, h = t->second.height;
    const float u0 = 1.0f / w, v0 = 1.0f / h;
    const float du = partWidth / w, dv = partHeight / h;
    const float sx = targetWidth == 0.0f ? 1.0f : targetWidth / partWidth;
    const float sy = targetHeight == 0.0f ? 1.0f : targetHeight / partHeight;
    tmResourceHolder* cache = Cache();
    sys::tmSprite* sprite = cache ? cache->GetSpriteSlot(static_cast<int>(t->second.id)) : nullptr;
    Queue(sprite, name, x, y, depth, w, h, 0.0f, du * sx, dv * sy, anchor, colour ? PackColor(*colour) : 0xFFFFFFFFu,
          u0, v0, u0 + du, v0 + dv);
    return true;
}

void ggSpriteManager::Flush() {
    std::stable_sort(drawList_.begin(), drawList_.end(),
                     [](const DrawRecord& a, const DrawRecord& b) { return a.depth < b.depth; });
    tmDraw* drawer = tmDraw::GetInstance();
    for (const DrawRecord& r : drawList_) {
        if (!r.sprite) continue;  // a sprite set that is not loaded draws nothing
        const g2ui::Point at = view_.ToWindow({r.x, r.y});
        const float s = view_.scale;
        drawer->DrawSpritePtrEx(r.sprite, at.x, at.y, r.scaleX * s, r.scaleY * s, r.colour, tmSpritePlacement::kTopLeft,
                                r.rotation, 0.0f, 0.0f, r.u0, r.v0, r.uExtent, r.vExtent);
    }
    drawList_.clear();
}

}  // namespace g2lobby
