// Little-endian byte writer and reader.
#include <gtest/gtest.h>

#include "format/ByteIO.h"

namespace {

TEST(ByteIO, FieldsRoundTripLittleEndian) {
    zfmt::ByteWriter w;
    w.U8(0xAB);
    w.U16(0x1234);
    w.U32(0xDEADBEEFu);
    w.I32(-2);
    w.F32(1.5f);
    w.FixedText("abc", 6);
    w.FixedText("toolong", 3);
    w.PatchU32(3, 0x01020304u);
    const zfmt::Bytes& b = w.Data();
    ASSERT_EQ(b.size(), 1u + 2 + 4 + 4 + 4 + 6 + 3);
    EXPECT_EQ(b[1], 0x34);
    EXPECT_EQ(b[3], 0x04);

    zfmt::ByteReader r(b);
    EXPECT_EQ(r.U8(), 0xAB);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.U32(), 0x01020304u);
    EXPECT_EQ(r.I32(), -2);
    EXPECT_EQ(r.F32(), 1.5f);
    EXPECT_EQ(r.FixedText(6), "abc");
    EXPECT_EQ(r.FixedText(3), "too");
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ByteIO, ReadingPastTheEndFailsSafely) {
    const std::uint8_t data[3] = {1, 2, 3};
    zfmt::ByteReader r(data, 3);
    EXPECT_EQ(r.U16(), 0x0201);
    EXPECT_EQ(r.U32(), 0u);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.U8(), 0);  // stays failed
    char out[4];
    zfmt::ByteReader r2(data, 3);
    EXPECT_FALSE(r2.Raw(out, 4));
    r2 = zfmt::ByteReader(data, 3);
    r2.Seek(4);
    EXPECT_FALSE(r2.Ok());
}

}  // namespace
