// LobbyPaneSupport.cpp -- list pane frames, solid sprites and row text textures.
#include "lobby/LobbyPaneSupport.h"

#include "content_tables.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "lobby/ggSpriteManager.h"

namespace g2lobby {

const float kSelectionColour[4] = {0.06666667f, 0.44117647f, 0.037254903f, 1.0f};

void ListPaneFrameIds(int32_t topLeft, int32_t out[WidgetWindowLayout::kPieces]) {
    const int32_t ids[WidgetWindowLayout::kPieces] = {
        topLeft,
        content::SPR_LB_PANE_MT,
        content::SPR_LB_PANE_RT,
        content::SPR_LB_PANE_LM,
        content::SPR_LB_PANE_MM,
        content::SPR_LB_PANE_RM,
        content::SPR_LB_PANE_LB,
        content::SPR_LB_PANE_MB,
        content::SPR_LB_PANE_RB,
    };
    for (int i = 0; i < WidgetWindowLayout::kPieces; ++i) out[i] = ids[i];
}

void AddListSprites(ggSpriteManager* sprites, const std::string& prefix) {
    if (!sprites) return;
    const float* c = kSelectionColour;
    sprites->AddSolidSprite(prefix + "ScrollCUR", 1, 1, c[0], c[1], c[2], c[3]);
    sprites->AddSolidSprite(prefix + "RoomCUR", 1, 1, 0.06666667f, 0.44117647f, 0.44117647f, 1.0f);
    sprites->AddSolidSprite(prefix + "SEP", 248, 1, 0.78431374f, 0.9882353f, 0.43137255f, 1.0f);
    sprites->AddSolidSprite(prefix + "SEB", 248, 1, 0.9411765f, 0.4509804f, 0.0f, 1.0f);
}

void RemoveListSprites(ggSpriteManager* sprites, const std::string& prefix) {
    if (!sprites) return;
    for (const char* suffix : {"ScrollCUR", "RoomCUR", "SEP", "SEB"}) sprites->Remove(prefix + suffix);
}

void RedrawText(g2ui::TextTexture* texture, g2ui::TextTextureFont* font,
                const std::vector<std::pair<int32_t, std::string>>& pieces) {
    if (!texture) return;
    texture->Clear();
    for (const auto& [penX, text] : pieces) {
        texture->penX = penX;
        texture->penY = 0;
        if (font) texture->DrawString(font, text);
    }
    texture->Flush();
}

g2ui::TextTexture* MakeTextSprite(ggSpriteManager* sprites, g2ui::TextTextureFont* font, const std::string& name,
                                  uint32_t w, uint32_t h, float r, float g, float b,
                                  const std::vector<std::pair<int32_t, std::string>>& pieces) {
    g2ui::TextTexture* texture = g2ui::TextTexture::Create(name, w, h);
    if (!texture) return nullptr;
    texture->SetColor(r, g, b);
    RedrawText(texture, font, pieces);
    if (sprites) sprites->AddTextureSprite(name, name);
    return texture;
}

int TextPixels(const std::string& text, int fontHeight) { return static_cast<int>(text.size()) * fontHeight / 2; }

}  // namespace g2lobby
