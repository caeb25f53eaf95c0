// Small value types shared by the compiled-in game tables.
#pragma once

#include <cstddef>
#include <cstdint>

// A 3-component float vector as the tables store it (x, y, z, 12 bytes).
struct yiVec3 {
    float x;
    float y;
    float z;
};
static_assert(sizeof(yiVec3) == 12, "table vectors are three packed floats");

// Copies a string into a fixed char field at compile time, zero-padding the rest.
template <std::size_t N>
constexpr void yiCopyText(char (&dst)[N], const char* src) {
    std::size_t i = 0;
    for (; src[i] != '\0' && i + 1 < N; ++i) dst[i] = src[i];
    for (; i < N; ++i) dst[i] = '\0';
}
