// LobbyTestSupport.cpp -- the headless test renderer, slot sprites and the probe widget.
#include "lobby/LobbyTestSupport.h"

#include "content_tables.h"
#include "harness/WorkFolder.h"
#include "lobby/WidgetRoot.h"
#include "platform/gfx/NullDevice.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

namespace lobbytest {

tmRenderSetting SmallRenderSetting(int width, int height) {
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
    return s;
}

TestRenderer::TestRenderer(int width, int height) {
    folder_ = std::make_unique<harness::WorkFolder>(true);
    if (!folder_->Ok()) {
        error_ = "no working folder of the test's own";
        return;
    }
    device_ = std::make_unique<gfx::NullDevice>();
    device_->logCalls = false;
    render_ = tmRender::Create();
    // No shader manager: sprites take the fixed-function path.
    render_->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
    if (!render_->Initialize(device_.get(), SmallRenderSetting(width, height))) {
        error_ = "the renderer cannot start";
        return;
    }
    ok_ = true;
}

TestRenderer::~TestRenderer() {
    ownSprites_.clear();
    if (render_) tmRender::Destroy();
    device_.reset();
    folder_.reset();
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
    return texture ? device_->textureTexels(texture->GetTexture()) : nullptr;
}

int TestRenderer::QueuedCount() const { return render_->GetQueue()->GetSpriteCount(); }

TestRenderer::Queued TestRenderer::GetQueued(int i) const {
    const auto* r = render_->GetQueue()->GetSprite(i);
    if (!r) return {};
    return {r->sprite, r->x, r->y, r->scaleX, r->scaleY, r->colour, r->uOffset, r->vOffset, r->uExtent, r->vExtent};
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
    g2ui::WidgetRoot::SetView({});
}

}  // namespace lobbytest
