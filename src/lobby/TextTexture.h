// TextTexture.h -- a texture whose pixels are glyphs rasterised on the CPU, and its pen.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace g2ui {

class TextTextureFont;

// A text image: A8R8G8B8 pixels kept on the CPU, in which queued glyphs are
// rasterised at Flush and then uploaded to the texture of the same name in
// the resource cache (made and registered by Create; without a renderer the
// pixels stay on the CPU). Owns its pixels and pending glyphs, not the
// texture: the cache owns it, and owners give it back through the sprite
// manager's Remove. The text is shown by registering a texture sprite over
// the name.
class TextTexture {
public:
    // Largest side accepted; a larger request makes a texture without pixels.
    static constexpr uint32_t kMaxSide = 4096;

    static TextTexture* Create(const std::string& name, uint32_t width, uint32_t height);
    virtual ~TextTexture() = default;
    TextTexture(const TextTexture&) = delete;
    TextTexture& operator=(const TextTexture&) = delete;

    // Forgets the pending glyphs; the next Flush starts from an empty image.
    // The pen is not moved.
    void Clear();
    // Channels as floats 0 to 1 (truncated to bytes, clamped): 0xRRGGBB.
    void SetColor(float r, float g, float b);
    // Queues the Shift-JIS text's glyphs at the pen, advancing it. A lead
    // byte at the very end becomes code 0.
    bool DrawString(TextTextureFont* font, const std::string& text);
    // Rasterises the queued glyphs and uploads the pixels; false when there
    // are no pixels to draw into or the upload failed.
    bool Flush();

    const std::string& GetName() const { return name_; }
    uint32_t GetWidth() const { return width_; }
    uint32_t GetHeight() const { return height_; }
    uint32_t GetColor() const { return colour_; }
    const std::vector<uint32_t>& GetPixels() const { return pixels_; }
    uint32_t GetPixel(uint32_t x, uint32_t y) const;
    // Glyph records queued since the last Clear.
    struct Pending {
        int32_t penX, penY;
        TextTextureFont* font;
        uint32_t colour;
        uint32_t code;
    };
    const std::vector<Pending>& GetPending() const { return pending_; }

    int32_t penX = 0;
    int32_t penY = 0;

private:
    TextTexture(const std::string& name, uint32_t width, uint32_t height);
    void Rasterise(const Pending& glyph);

    std::string name_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint32_t colour_ = 0xFFFFFF;
    bool clear_ = true;
    int32_t drawnCount_ = 0;
    std::vector<Pending> pending_;
    std::vector<uint32_t> pixels_;
};

}  // namespace g2ui
