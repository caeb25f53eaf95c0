// EffectSheet.h -- the particle sprite sheet the effect batches draw from.
#pragma once
#include <cstdint>
#include <vector>

namespace contentgen {

// One sprite's pixel rectangle on its sheet.
struct SpriteCell {
    int x, y, w, h;
};

// RGBA8 pixels of the effect sheet (sprite group 16), one picture per cell by
// sprite index: flashes 4, 6, 10, 12, 32; trails 0, 5, 11; smoke 16..29; glow
// 31; debris 33..41; solid white 42.
std::vector<uint8_t> DrawEffectSheet(int width, int height, const std::vector<SpriteCell>& cells);

}  // namespace contentgen
