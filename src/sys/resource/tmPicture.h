// tmPicture.h -- pictures from untrusted image files, decoded and scaled to a texture's size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Largest side of a picture file accepted (checked before any pixel is decoded).
constexpr int kPictureMaxSourceSide = 1024;
// Largest side of a picture made from one.
constexpr int kPictureMaxSide = 1024;

// Decodes an image file held in memory (JPEG, PNG or BMP; a player's picture
// arrives from the network) and scales it to width x height ARGB texels, top
// row first. False, with a reason, for a corrupt, truncated, oversized or
// unsupported file or a size outside 1 .. kPictureMaxSide; argb is then empty.
bool tmDecodePicture(const void* data, size_t size, int width, int height, std::vector<uint32_t>* argb,
                     std::string* why);
