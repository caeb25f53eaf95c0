// tmNumberFont.cpp -- placing digits, times and texts of a sprite font.
#include "frontend/tmNumberFont.h"

#include <algorithm>

#include "sys/render/tmDraw.h"

namespace {
constexpr char kStripChars[] = "0123456789:+-/.";
constexpr int kGridFirst = 32;  // the space
constexpr int kGridCells = 96;  // up to code 127
constexpr int kGridColumns = 16;

// Glyphs collected left to right and queued in screen order for the placement.
class GlyphRun {
public:
    GlyphRun(const tmNumberFont& font, float x, float y, float scale, int layer, uint32_t colour)
        : font_(font), x_(x), y_(y), scale_(scale), layer_(layer), colour_(colour) {}
    // A glyph `offset` units right of the start, `width` wide on screen.
    void Add(bool digit, int code, float offset, float width) {
        if (count_ < kCapacity) glyphs_[count_++] = {digit, code, offset, width};
    }
    void Queue() const {
        float end = 0.0f;
        for (int i = 0; i < count_; ++i) end = std::max(end, glyphs_[i].offset + glyphs_[i].width);
        const bool right = tmNumberFont::IsRightAnchored(layer_);
        // On a right-anchored placement the last glyph is queued first, at the smallest distance from the edge.
        for (int k = 0; k < count_; ++k) {
            const Glyph& g = glyphs_[right ? count_ - 1 - k : k];
            const float x = right ? x_ + (end - g.offset - g.width) : x_ + g.offset;
            if (g.digit)
                font_.DrawDigit(g.code, x, y_, scale_, layer_, colour_);
            else
                font_.DrawChar(g.code, x, y_, scale_, layer_, colour_);
        }
    }

private:
    struct Glyph {
        bool digit;
        int code;
        float offset, width;
    };
    static constexpr int kCapacity = 48;
    const tmNumberFont& font_;
    float x_, y_, scale_;
    int layer_;
    uint32_t colour_;
    Glyph glyphs_[kCapacity] = {};
    int count_ = 0;
};
}  // namespace

void tmNumberFont::Setup(uint32_t tex, float textureWidth, float textureHeight, float glyphWidth, float glyphHeight,
                         float adv) {
    texture = tex;
    cellU = textureWidth > 0.0f ? glyphWidth / textureWidth : 0.0f;
    cellV = textureHeight > 0.0f ? glyphHeight / textureHeight : 0.0f;
    advance = adv;
    height = glyphHeight;
    grid = (textureHeight > 0.0f && textureWidth / textureHeight > 8.0f) ? 0u : 1u;
}

bool tmNumberFont::IsRightAnchored(int layer) {
    const int placement = layer & ~tmSpritePlacement::kHudScaled;
    return placement == tmSpritePlacement::kTopRight || placement == tmSpritePlacement::kBottomRight;
}

void tmNumberFont::Queue(int code, float x, float y, float scale, int layer, uint32_t colour) const {
    float u = 0.0f, v = 0.0f;
    if (grid) {
        const int i = code - kGridFirst;
        if (i < 0 || i >= kGridCells) return;
        u = static_cast<float>(i % kGridColumns) * cellU;
        v = static_cast<float>(i / kGridColumns) * cellV;
    } else {
        if (code < 0 || code >= kStripCodes) return;
        u = static_cast<float>(code) * cellU;
    }
    tmDraw::GetInstance()->DrawSpriteEx(static_cast<int>(texture), x, y, scale, scale, colour, layer, 0.0f, 0.0f, 0.0f,
                                        u, v, cellU, cellV);
}

void tmNumberFont::DrawDigit(int code, float x, float y, float scale, int layer, uint32_t colour) const {
    if (code < 0 || code >= kStripCodes) return;
    if (grid)
        Queue(kStripChars[code], x, y, scale, layer, colour);
    else
        Queue(code, x, y, scale, layer, colour);
}

void tmNumberFont::DrawChar(int c, float x, float y, float scale, int layer, uint32_t colour) const {
    if (grid) {
        Queue(c, x, y, scale, layer, colour);
        return;
    }
    // A strip holds only its fifteen characters; any other draws nothing.
    for (int code = 0; code < kStripCodes; ++code)
        if (kStripChars[code] == c) Queue(code, x, y, scale, layer, colour);
}

int tmNumberFont::SplitDigits(uint32_t value, int digits, int out[kMaxDigits]) {
    int natural = 1;
    for (uint32_t v = value / 10; v != 0; v /= 10) ++natural;
    const int count = digits >= 1 ? std::min(digits, kMaxDigits) : natural;
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<int>(value % 10);
        value /= 10;
    }
    return count;
}

void tmNumberFont::DrawNumber(uint32_t value, int digits, float x, float y, float scale, int layer,
                              uint32_t colour) const {
    int d[kMaxDigits];
    const int n = SplitDigits(value, digits, d);
    const float a = advance * scale;
    GlyphRun run(*this, x, y, scale, layer, colour);
    for (int i = 0; i < n; ++i) run.Add(true, d[i], static_cast<float>(i) * a, a);
    run.Queue();
}

namespace {
// The glyphs of a time in DrawTime's places: digits of `ms`, or dashes when blank.
void TimeRun(GlyphRun& run, float a, uint32_t ms, bool blank, int minuteDigits) {
    auto digit = [&](int d, float at) { run.Add(true, blank ? tmNumberFont::kMinus : d, at, a); };
    float colon = 0.0f;
    if (minuteDigits == 1) {
        digit(static_cast<int>(std::min<uint32_t>(ms / 60000u, 9u)), 0.0f);
        colon = a - 0.35f * a;
    } else if (minuteDigits > 1) {
        int d[tmNumberFont::kMaxDigits];
        const int n = tmNumberFont::SplitDigits(ms / 60000u, minuteDigits, d);
        for (int i = 0; i < n; ++i) digit(d[i], static_cast<float>(i) * a);
        colon = static_cast<float>(n) * a - 0.35f * a;
    }
    run.Add(true, tmNumberFont::kColon, colon, a);
    const float seconds = colon + 0.7f * a;
    const uint32_t s = (ms / 1000u) % 60u;
    digit(static_cast<int>(s / 10), seconds);
    digit(static_cast<int>(s % 10), seconds + a);
    const float point = seconds + 2.0f * a - 0.35f * a;
    run.Add(true, tmNumberFont::kPoint, point, a);
    const float millis = point + 0.7f * a;
    const uint32_t m = ms % 1000u;
    digit(static_cast<int>(m / 100), millis);
    digit(static_cast<int>(m / 10 % 10), millis + a);
    digit(static_cast<int>(m % 10), millis + 2.0f * a);
}
}  // namespace

void tmNumberFont::DrawTime(uint32_t ms, float x, float y, float scale, int layer, uint32_t colour,
                            int minuteDigits) const {
    GlyphRun run(*this, x, y, scale, layer, colour);
    TimeRun(run, advance * scale, ms, false, minuteDigits);
    run.Queue();
}

void tmNumberFont::DrawBlankTime(float x, float y, float scale, int layer, uint32_t colour, int minuteDigits) const {
    GlyphRun run(*this, x, y, scale, layer, colour);
    TimeRun(run, advance * scale, 0u, true, minuteDigits);
    run.Queue();
}

void tmNumberFont::DrawString(const char* text, float x, float y, float scale, int layer, uint32_t colour) const {
    if (!text) return;
    GlyphRun run(*this, x, y, scale, layer, colour);
    for (int i = 0; text[i] != '\0' && i < 48; ++i)
        run.Add(false, static_cast<unsigned char>(text[i]), static_cast<float>(i) * advance, advance);
    run.Queue();
}
