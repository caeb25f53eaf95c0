// LobbyPaneSupport.h -- what the lobby panes share: frame sprite ids, list colours, row texts.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lobby/WidgetWindowLayout.h"

namespace g2ui {
class TextTexture;
class TextTextureFont;
}  // namespace g2ui

namespace g2lobby {

class ggSpriteManager;

// The nine frame pieces of the list panes, with the pane's own top-left piece.
void ListPaneFrameIds(int32_t topLeft, int32_t out[WidgetWindowLayout::kPieces]);

// The four solid sprites of a list pane: the selection, the room highlight
// and the two separators; registered under prefix + "ScrollCUR", "RoomCUR", "SEP", "SEB".
void AddListSprites(ggSpriteManager* sprites, const std::string& prefix);
void RemoveListSprites(ggSpriteManager* sprites, const std::string& prefix);
extern const float kSelectionColour[4];

// A text texture of w x h named `name`, drawn with the font in the colour,
// each piece at its pen x, and a texture sprite of the same name over it.
// Null when the texture cannot be made.
g2ui::TextTexture* MakeTextSprite(ggSpriteManager* sprites, g2ui::TextTextureFont* font, const std::string& name,
                                  uint32_t w, uint32_t h, float r, float g, float b,
                                  const std::vector<std::pair<int32_t, std::string>>& pieces);
// Draws the pieces again into an existing text texture.
void RedrawText(g2ui::TextTexture* texture, g2ui::TextTextureFont* font,
                const std::vector<std::pair<int32_t, std::string>>& pieces);

// The width in pixels of a text in half-width cells of the font (bytes x height / 2).
int TextPixels(const std::string& text, int fontHeight);

}  // namespace g2lobby
