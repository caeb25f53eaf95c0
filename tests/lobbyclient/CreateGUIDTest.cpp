// Profile GUID text: shape, upper case, the fallback form.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "lobbyclient/GuidFormat.h"
#include "lobbyclient/Lobby.h"

namespace {

TEST(CreateGUID, HasTheBracedUpperCaseShape) {
    const std::string a = lobby::CreateGUID();
    ASSERT_EQ(a.size(), 38u);
    EXPECT_EQ(a.front(), '{');
    EXPECT_EQ(a.back(), '}');
    for (size_t i : {9u, 14u, 19u, 24u}) EXPECT_EQ(a[i], '-') << i;
    for (char c : a) EXPECT_FALSE(std::islower(static_cast<unsigned char>(c)));
    // One static buffer: the next call overwrites it with a different GUID.
    const char* p = lobby::CreateGUID();
    EXPECT_EQ(p, lobby::CreateGUID());
    EXPECT_NE(a, std::string(p));
}

TEST(CreateGUID, FormatsFieldsLittleEndian) {
    const uint8_t bytes[16] = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                               0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
    char out[64];
    lobby::FormatGuid(out, sizeof out, bytes);
    EXPECT_STREQ(out, "{12345678-9ABC-DEF0-0102-030405060708}");
}

TEST(CreateGUID, FallbackUsesTwoFifteenBitDraws) {
    char out[64];
    lobby::FormatFallbackGuid(out, sizeof out, 1);  // seed 1 draws 41, 18467
    EXPECT_STREQ(out, "{00294823-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
    EXPECT_EQ(std::strlen(out), 38u);
}

}  // namespace
