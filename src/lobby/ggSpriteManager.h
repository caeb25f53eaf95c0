// ggSpriteManager.h -- the lobby's named sprites (table, solid, texture) and its depth-sorted draw list.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lobby/WidgetRoot.h"

namespace sys {
class tmSprite;
}

namespace g2lobby {

// A colour as red, green, blue, alpha floats (0 to 1).
struct ggColor {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// Gives every lobby widget one drawing vocabulary: sprites registered under
// unique names, of three kinds (sprites of the game's sprite tables by slot
// id, solid-colour rectangles, and sprites over whole textures: text textures
// and player pictures), drawn by name. Draw calls are queued with a depth and
// handed to the renderer, sorted by depth, at Flush. Owns the sprite sets it
// loaded and the sprite resources it made for texture sprites (both given
// back by ReleaseAll); the resource cache owns the resources themselves. The
// lobby screen owns one manager, the widget test screen another.
class ggSpriteManager {
public:
    // The solid-colour sprites are this white table sprite, tinted and scaled.
    static const uint32_t kSolidSpriteId;

    // One queued draw; the name is kept for tests and logs.
    struct DrawRecord {
        sys::tmSprite* sprite;
        std::string name;
        float x, y, depth;
        float scaleX, scaleY;
        uint32_t colour;
        float rotation;
        float reserved0, reserved1;
        float u0, v0, uExtent, vExtent;
    };

    ggSpriteManager() = default;
    ~ggSpriteManager() = default;
    ggSpriteManager(const ggSpriteManager&) = delete;
    ggSpriteManager& operator=(const ggSpriteManager&) = delete;

    // Loads a numbered sprite group; true (and remembered) when it loaded.
    bool LoadSpriteSet(int id);
    // Each registration fails, leaving the old entry, when the name is taken in any map.
    bool AddTableSprite(const std::string& name, uint32_t spriteId);
    bool AddSolidSprite(const std::string& name, float width, float height, float r, float g, float b, float a);
    // A sprite over the whole texture of that name in the resource cache.
    bool AddTextureSprite(const std::string& name, const std::string& textureName);
    // Decodes an image file in memory (a player's picture), scaled to width x
    // height, into a texture named `name`, and registers a texture sprite over
    // it. False, with nothing registered, when the file is corrupt, truncated
    // or oversized, or the texture or sprite cannot be made.
    bool AddTextureFromMemory(const std::string& name, int width, int height, const void* data, size_t size);
    // Unregisters the name; a texture sprite also releases its sprite and texture resources.
    bool Remove(const std::string& name);
    // Releases every texture sprite's resources, unloads the sprite sets, forgets every name.
    void ReleaseAll();

    bool Has(const std::string& name) const;
    // Size in pixels of a registered sprite; 1 for an unknown name.
    float GetWidth(const std::string& name) const;
    float GetHeight(const std::string& name) const;

    // Queues a sprite. anchor 0..8 picks the point of the sprite placed at
    // (x, y) in reading order of a 3 x 3 grid (0 top-left, 4 centre); colour
    // null draws untinted. Unknown names queue nothing.
    void Draw(const std::string& name, float x, float y, float depth, float rotation, float scaleX, float scaleY,
              float unused, int anchor, const ggColor* colour, float u0 = 0.0f, float v0 = 0.0f, float u1 = 1.0f,
              float v1 = 1.0f);
    // Queues a part of a table sprite: partWidth x partHeight texels from one
    // texel in from its top-left corner, stretched to the target size (0 keeps
    // the part's size). False for other kinds of sprite.
    bool DrawPart(const std::string& name, float x, float y, float depth, float partWidth, float partHeight,
                  float unused, int anchor, const ggColor* colour, float targetWidth, float targetHeight);
    // Hands the queue to the renderer sorted by depth (equal depths in queue order) and empties it;
    // each sprite goes through the view, from layout pixels to the window's.
    void Flush();
    // The view Flush places the sprites through (the identity unless set).
    void SetView(const g2ui::ScreenView& view) { view_ = view; }
    const g2ui::ScreenView& GetView() const { return view_; }

    const std::vector<DrawRecord>& GetDrawList() const { return drawList_; }
    const std::vector<int>& GetLoadedSets() const { return loadedSets_; }

    // Colour components as bytes: 1 or more is 255, 0 or less is 0, else rounded.
    static uint32_t PackColor(const ggColor& c);

private:
    struct TableEntry {
        uint32_t id;
        float width, height;
    };
    struct SolidEntry {
        ggColor colour;
        float width, height;
    };
    struct TextureEntry {
        std::string texture;
        float u0, v0, u1, v1;
        sys::tmSprite* sprite;
        float width, height;
    };

    void Queue(sys::tmSprite* sprite, const std::string& name, float x, float y, float depth, float w, float h,
               float rotation, float sx, float sy, int anchor, uint32_t colour, float u0, float v0, float u1, float v1);
    void ReleaseTextureEntry(const TextureEntry& entry, const std::string& name);

    std::vector<int> loadedSets_;
    std::map<std::string, TableEntry> tables_;
    std::map<std::string, SolidEntry> solids_;
    std::map<std::string, TextureEntry> textures_;
    std::vector<DrawRecord> drawList_;
    g2ui::ScreenView view_;
};

}  // namespace g2lobby
