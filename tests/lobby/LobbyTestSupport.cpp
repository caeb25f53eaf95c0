// LobbyTestSupport.cpp -- the test renderer (null or OpenGL device), slot sprites, screenshots and the probe widget.
#include "lobby/LobbyTestSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "content_tables.h"
#include "lobby/WidgetRoot.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/NullDevice.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace lobbytest {

TestRenderer::TestRenderer(Kind kind, int width, int height) : width_(width), height_(height) {
    char tmpl[] = "/tmp/zarvo-lobby-XXXXXX";
    if (!mkdtemp(tmpl)) {
        error_ = "no temporary folder";
        return;
    }
    folder_ = tmpl;
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder_);
    // The sprite sheets are read from the build's data/ folder.
    std::error_code ec;
    std::filesystem::create_directory_symlink(std::string(ZARVO_RUN_DIR) + "/data", folder_ + "/data", ec);

    if (kind == Kind::OpenGl) {
        gfx::GlOptions o;
        o.hidden = true;
        device_ = gfx::CreateGlDevice(o, &error_);
        if (!device_) return;
    } else {
        device_ = std::make_unique<gfx::NullDevice>();
        static_cast<gfx::NullDevice*>(device_.get())->logCalls = false;
    }
    tmRenderSetting s;
    s.width = static_cast<uint32_t>(width);
    s.height = static_cast<uint32_t>(height);
    s.sceneTargetWidth = s.sceneTargetHeight = 64;
    s.workTargetWidth = s.workTargetHeight = 16;
    s.secondViewWidth = s.secondViewHeight = 16;
    s.mirrorWidth = s.mirrorHeight = 16;
    s.shadowMapSize = 32;
    s.cubeTargetSize = 16;
    s.gammaReport = 0;
    render_ = tmRender::Create();
    // No shader manager: sprites take the fixed-function path.
    render_->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
    if (!render_->Initialize(device_.get(), s)) {
        error_ = "the renderer cannot start";
        return;
    }
    render_->SetClearColor(0xFF000000u);
    ok_ = true;
}

TestRenderer::~TestRenderer() {
    ownSprites_.clear();
    if (render_) tmRender::Destroy();
    device_.reset();
    if (!previousFolder_.empty()) std::filesystem::current_path(previousFolder_);
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

tmResourceHolder* TestRenderer::Cache() const { return render_ ? render_->GetResourceHolder() : nullptr; }

sys::tmTexture* TestRenderer::AddTexture(const std::string& name, int w, int h, uint32_t argb) {
    sys::tmTexture* t = render_->CreateTexture(name.c_str(), w, h);
    if (!t) return nullptr;
    std::vector<uint32_t> px(size_t(w) * h, argb);
    render_->UploadTexture(t, px.data(), w, h);
    Cache()->Register(t);
    return t;
}

sys::tmSprite* TestRenderer::PutSlotSprite(int id, int w, int h) {
    sys::tmTexture* t = AddTexture(std::string("slot_texture_") + std::to_string(id), w, h);
    static const sys::tmSpriteRecord kWhole{"", 0, 0, 1, 1};
    auto sprite = std::make_unique<sys::tmSprite>();
    sprite->SetName(content::kSpriteNames[id]);
    sprite->Set(t, &kWhole);
    Cache()->SetSpriteSlot(sprite.get());
    ownSprites_.push_back(std::move(sprite));
    return ownSprites_.back().get();
}

const std::vector<uint32_t>* TestRenderer::Texels(sys::tmTexture* texture) const {
    auto* null = dynamic_cast<gfx::NullDevice*>(device_.get());
    return null && texture ? null->textureTexels(texture->GetTexture()) : nullptr;
}

int TestRenderer::QueuedCount() const { return render_->GetQueue()->GetSpriteCount(); }

TestRenderer::Queued TestRenderer::GetQueued(int i) const {
    const auto* r = render_->GetQueue()->GetSprite(i);
    if (!r) return {};
    return {r->sprite, r->x, r->y, r->scaleX, r->scaleY, r->colour, r->uOffset, r->vOffset, r->uExtent, r->vExtent};
}

bool TestRenderer::Shoot(const std::string& name) {
    // A frame of its own: the renderer draws over what the target holds.
    device_->setRenderTarget(device_->backBuffer());
    device_->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
    render_->Render();
    uint32_t w = 0, h = 0;
    if (!device_->readPixels(device_->backBuffer(), 0, &shot_, &w, &h)) return false;
    if (int(w) != width_ || int(h) != height_) return false;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (size_t i = 0; i < size_t(w) * h; ++i) {
        rgb[i * 3 + 0] = uint8_t(shot_[i] >> 16);
        rgb[i * 3 + 1] = uint8_t(shot_[i] >> 8);
        rgb[i * 3 + 2] = uint8_t(shot_[i]);
    }
    std::error_code ec;
    std::filesystem::create_directories(ZARVO_SHOTS_DIR, ec);
    const std::string path = std::string(ZARVO_SHOTS_DIR) + "/" + name + ".png";
    return stbi_write_png(path.c_str(), int(w), int(h), 3, rgb.data(), int(w) * 3) != 0;
}

uint32_t TestRenderer::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || shot_.empty()) return 0;
    return shot_[size_t(y) * width_ + x] & 0xFFFFFF;
}

// ---------------------------------------------------------------- probe

Probe::Probe(g2ui::Widget* parent, float px, float py, float w, float h, bool handle)
    : WidgetBase(parent), handles(handle) {
    x = px;
    y = py;
    width = w;
    height = h;
}

void Probe::Draw(float px, float py, int32_t d) { drawn.push_back({px, py, d}); }

bool Probe::OnMessage(const g2ui::WidgetMsg& msg) {
    if (onMessage) onMessage(this, msg);
    Seen s{msg.type, 0, 0, -1, {}, nullptr};
    if (msg.type == g2ui::WidgetMsg::kAction) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        s.action = a.action;
        s.sender = a.sender;
    } else if (msg.type != g2ui::WidgetMsg::kActivate) {
        const auto& m = static_cast<const g2ui::WDMouseButton&>(msg);
        s.x = m.x;
        s.y = m.y;
        s.button = m.button;
    }
    seen.push_back(s);
    return handles;
}

int CountSeen(const Probe& p, uint32_t type) {
    int n = 0;
    for (const auto& s : p.seen) n += s.type == type;
    return n;
}

void ResetToolkit() {
    g2ui::WidgetRoot::SetModal(false);
    g2ui::WidgetRoot::SetCursorWidget(nullptr);
    g2ui::WidgetRoot::SetCursorPosition(0, 0);
}

}  // namespace lobbytest
