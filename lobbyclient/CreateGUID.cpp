// CreateGUID.cpp -- profile GUIDs: random version-4 GUIDs, with a time-seeded fallback.
#include <cstdint>
#include <cstdio>
#include <ctime>

#include "lobbyclient/GuidFormat.h"
#include "lobbyclient/Lobby.h"

namespace lobby {
namespace {

char g_guidText[64];

// Reads 16 bytes from the system's random source; false when none is readable.
bool MakeSystemGuid(uint8_t bytes[16]) {
    FILE* f = std::fopen("/dev/urandom", "rb");
    if (!f) return false;
    const size_t got = std::fread(bytes, 1, 16, f);
    std::fclose(f);
    if (got != 16) return false;
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    return true;
}

// The C runtime's 15-bit generator, seeded here so the fallback needs no game code.
struct Rand15 {
    uint32_t state;
    int Next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

}  // namespace

void FormatGuid(char* out, size_t size, const uint8_t b[16]) {
    const uint32_t data1 = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    const unsigned data2 = unsigned(b[4]) | unsigned(b[5]) << 8;
    const unsigned data3 = unsigned(b[6]) | unsigned(b[7]) << 8;
    std::snprintf(out, size, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(data1), data2,
                  data3, b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
}

void FormatFallbackGuid(char* out, size_t size, uint32_t seconds) {
    Rand15 rng{seconds};
    const uint32_t r1 = static_cast<uint32_t>(rng.Next());
    const uint32_t r2 = static_cast<uint32_t>(rng.Next());
    std::snprintf(out, size, "{%08X-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", static_cast<unsigned>((r1 << 16) | r2));
}

const char* CreateGUID() {
    uint8_t bytes[16];
    if (MakeSystemGuid(bytes)) {
        FormatGuid(g_guidText, sizeof g_guidText, bytes);
    } else {
        FormatFallbackGuid(g_guidText, sizeof g_guidText, static_cast<uint32_t>(std::time(nullptr)));
    }
    return g_guidText;
}

}  // namespace lobby
