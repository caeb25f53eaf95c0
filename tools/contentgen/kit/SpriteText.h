// SpriteText.h -- captions for generated sprites: a UTF-8 line rasterised by FreeType into a coverage mask.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

// One rendered line: coverage 0..255 per pixel, row 0 at the top.
struct TextMask {
    int width = 0, height = 0;
    int baseline = 0;  // rows from the top to the baseline
    std::vector<std::uint8_t> coverage;
    std::uint8_t At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? coverage[size_t(y) * width + x] : 0;
    }
};

// Renders a line of text with the system's Japanese gothic face (a sans face
// when there is none) at a pixel height (the face's em). Thread-safe. Empty
// masks when no face can be opened; the caller then reports a failure.
TextMask RenderText(const std::string& utf8, int pixelHeight);
// False when no face could be opened (captions would be missing).
bool TextAvailable();

}  // namespace contentgen
