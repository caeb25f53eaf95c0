// Byte buffer: bounds checks that leave the cursor alone, limits, marks, byte order.
#include <gtest/gtest.h>

#include "lobbyclient/ByteBuffer.h"

namespace {

using lobby::ByteBuffer;

TEST(ByteBuffer, ReadsAndWritesLittleEndianUnaligned) {
    ByteBuffer b(32);
    b.putU8(0x01);
    b.putU16(0x0302);
    b.putU32(0x07060504);
    b.putU64(0x0F0E0D0C0B0A0908ull);
    for (uint8_t i = 0; i < 15; ++i) EXPECT_EQ(b.data()[i], i + 1);
    b.flip();
    EXPECT_EQ(b.remaining(), 15u);
    EXPECT_EQ(b.getU8(), 0x01);
    EXPECT_EQ(b.getU16(), 0x0302);
    EXPECT_EQ(b.getU32(), 0x07060504u);
    EXPECT_EQ(b.getU64(), 0x0F0E0D0C0B0A0908ull);
    EXPECT_FALSE(b.hasRemaining());
}

TEST(ByteBuffer, OutOfBoundsAccessThrowsWithoutMoving) {
    ByteBuffer b(8);
    b.putU8(1);
    b.putU8(2);
    b.putU8(3);
    b.flip();  // three bytes readable
    EXPECT_THROW(b.getU32(), ByteBuffer::BufferUnderflowException);
    EXPECT_EQ(b.position(), 0u);
    uint8_t out[4];
    EXPECT_THROW(b.get(out, 4), ByteBuffer::BufferUnderflowException);
    EXPECT_EQ(b.getU16(), 0x0201);

    ByteBuffer w(6);
    w.putU32(1);
    EXPECT_THROW(w.putU32(2), ByteBuffer::BufferOverflowException);
    EXPECT_EQ(w.position(), 4u);
    EXPECT_THROW(w.skip(3), ByteBuffer::BufferOverflowException);
    // Absolute writes are bounded by the limit and leave the position alone.
    w.flip();
    EXPECT_THROW(w.putU32At(1, 7), ByteBuffer::IndexOutOfBoundsException);
    w.putU32At(0, 0xAABBCCDD);
    EXPECT_EQ(w.position(), 0u);
    EXPECT_EQ(w.getU32(), 0xAABBCCDDu);
    // Every failure belongs to the one family the senders catch.
    EXPECT_THROW(w.getU8(), ByteBuffer::Exception);
}

TEST(ByteBuffer, LimitPullsThePositionBackAndDropsAMarkBeyondIt) {
    ByteBuffer b(16);
    EXPECT_THROW(b.limit(17), ByteBuffer::IllegalArgumentException);
    EXPECT_THROW(b.limit(-1), ByteBuffer::IllegalArgumentException);
    EXPECT_EQ(b.limit(), 16u);

    b.skip(10);
    b.limit(6);  // pulls the position back
    EXPECT_EQ(b.position(), 6u);

    b.clear();
    b.skip(2);
    b.mark();
    b.skip(3);
    b.reset();
    EXPECT_EQ(b.position(), 2u);

    b.flip();
    EXPECT_THROW(b.reset(), ByteBuffer::InvalidMarkException);

    b.clear();
    b.skip(8);
    b.mark();
    b.limit(4);  // the mark lies beyond the new limit: dropped
    EXPECT_THROW(b.reset(), ByteBuffer::InvalidMarkException);

    b.clear();
    b.skip(3);
    b.mark();
    b.limit(3);  // a mark at the limit stays
    b.reset();
    EXPECT_EQ(b.position(), 3u);
}

}  // namespace
