// LobbyTestSupport.h -- a headless renderer for lobby tests in a folder of its own, and a probe widget.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lobby/Widget.h"
#include "sys/gfx/tmRenderSetting.h"

namespace gfx {
class NullDevice;
}
namespace harness {
class WorkFolder;
}
namespace sys {
class tmSprite;
class tmTexture;
}  // namespace sys
class tmRender;
class tmResourceHolder;

namespace lobbytest {

// The renderer the lobby draws through in headless tests: the null device
// (textures kept on the CPU, nothing drawn) in a working folder of the test's
// own (the renderer writes its report files there) with the build's data/
// linked in, so sprite sheets load.
class TestRenderer {
public:
    TestRenderer(int width, int height);
    ~TestRenderer();
    bool Ok() const { return ok_; }
    const std::string& Error() const { return error_; }

    tmRender* Render() const { return render_; }
    tmResourceHolder* Cache() const;

    // A texture of w x h texels registered under the name (for texture sprites).
    sys::tmTexture* AddTexture(const std::string& name, int w, int h, uint32_t argb = 0xFFFFFFFFu);
    // A w x h sprite in the sprite slot `id` (as a loaded sprite set would put one there).
    sys::tmSprite* PutSlotSprite(int id, int w, int h);
    // Texels last uploaded to a texture.
    const std::vector<uint32_t>* Texels(sys::tmTexture* texture) const;

    // Sprites queued with the renderer this frame, in order.
    int QueuedCount() const;
    struct Queued {
        sys::tmSprite* sprite;
        float x, y, scaleX, scaleY;
        uint32_t colour;
        float u, v, uExtent, vExtent;
    };
    Queued GetQueued(int i) const;

private:
    std::unique_ptr<harness::WorkFolder> folder_;
    std::unique_ptr<gfx::NullDevice> device_;
    tmRender* render_ = nullptr;
    std::vector<std::unique_ptr<sys::tmSprite>> ownSprites_;
    bool ok_ = false;
    std::string error_;
};

// Settings of a small renderer for lobby tests (a window of width x height).
tmRenderSetting SmallRenderSetting(int width, int height);

// A widget that records what reaches it.
class Probe : public g2ui::WidgetBase {
public:
    explicit Probe(g2ui::Widget* parent = nullptr, float x = 0, float y = 0, float w = 0, float h = 0,
                   bool handles = false);
    void Update() override { ++updates; }
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

    struct Seen {
        uint32_t type;
        float x, y;
        int32_t button;
        std::string action;
        g2ui::Widget* sender;
    };
    std::vector<Seen> seen;
    struct Drawn {
        float x, y;
        int32_t depth;
    };
    std::vector<Drawn> drawn;
    int updates = 0;
    bool handles;
    // Called on every message before it is recorded (tests that change the tree from a handler).
    void (*onMessage)(Probe* self, const g2ui::WidgetMsg& msg) = nullptr;
    void* user = nullptr;
};

// Counts of one message type seen by a probe.
int CountSeen(const Probe& p, uint32_t type);

// Resets the toolkit's process-wide state a test may leave behind.
void ResetToolkit();

}  // namespace lobbytest
