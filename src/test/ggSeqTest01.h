// ggSeqTest01.h -- the widget test screen: a text texture and the lobby sprite manager outside the lobby.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/tmSequence.h"
#include "sys/text/tmDxFont.h"

class tmCameraCtrl;
class tmSpriteSheet;
namespace g2ui {
class TextTexture;
class TextTextureFont;
}  // namespace g2ui
namespace g2lobby {
class ggSpriteManager;
}

// Debug screen 12, reached from the debug menu: renders a short text into a
// 256 x 32 text texture, shows it centred on the virtual screen through the
// lobby sprite manager, and re-renders it on the numeric keypad (0: "00000000",
// 1: "1", 2: a full-width Japanese text). Enter, keypad Enter or Escape go
// back to the debug menu. Owns the camera controller, the sprite sheet, the
// sprite manager, the font and the text texture, and holds the debug font at
// 32 pixels while it runs.
class ggSeqTest01 : public tmSequence {
public:
    static constexpr int kId = 12;
    static constexpr int kNextId = kSeqDebugMenu;

    ggSeqTest01();
    ~ggSeqTest01() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // Read by tests.
    int32_t GetFrameCount() const { return frameCount_; }
    const g2ui::TextTexture* GetTextTexture() const { return text_.get(); }
    const g2lobby::ggSpriteManager* GetSprites() const { return sprites_.get(); }
    const tmCameraCtrl* GetCamera() const { return camera_.get(); }

private:
    // Clears the texture and draws the text from the pen's origin.
    void Render(const std::string& text);

    std::unique_ptr<tmCameraCtrl> camera_;
    std::unique_ptr<tmSpriteSheet> sheet_;
    std::unique_ptr<g2lobby::ggSpriteManager> sprites_;
    std::unique_ptr<g2ui::TextTextureFont> font_;
    // The text texture comes from TextTexture::Create (a tracked allocation).
    struct TextDeleter {
        void operator()(g2ui::TextTexture* text) const;
    };
    std::unique_ptr<g2ui::TextTexture, TextDeleter> text_;
    int32_t frameCount_ = 0;
    tmDxFont::Claim debugFont_;
};
