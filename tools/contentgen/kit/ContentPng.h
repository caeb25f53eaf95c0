// ContentPng.h -- PNG encoding and small procedural pictures for generated content.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen {

// Encodes width x height RGBA8 pixels (row 0 at the top) as PNG.
zfmt::Bytes EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

// A stable colour (opaque RGBA) derived from a text.
std::uint32_t ColourOf(const std::string& text);

}  // namespace contentgen
