// GuidFormat.h -- the two text forms of a profile GUID (internal to the library).
#pragma once
#include <cstddef>
#include <cstdint>

namespace lobby {

// "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}" from 16 GUID bytes
// (first field, two 16-bit fields little-endian, then eight bytes).
void FormatGuid(char* out, size_t size, const uint8_t bytes[16]);

// The fallback when no random GUID can be made: the C runtime generator seeded
// with `seconds`, two 15-bit draws r1, r2 giving "{(r1<<16|r2)-FFFF-...}".
void FormatFallbackGuid(char* out, size_t size, uint32_t seconds);

}  // namespace lobby
