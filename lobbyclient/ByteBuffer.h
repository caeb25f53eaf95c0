// ByteBuffer.h -- fixed-capacity cursor buffer for lobby messages (little-endian, bounded).
#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace lobby {

// Owns `capacity` bytes with a position, a limit and an optional mark
// (0 <= mark <= position <= limit <= capacity). Every read and write is
// checked against the limit before it touches a byte; violations throw.
class ByteBuffer {
public:
    class Exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    class BufferOverflowException : public Exception {
    public:
        BufferOverflowException() : Exception("buffer overflow") {}
    };
    class BufferUnderflowException : public Exception {
    public:
        BufferUnderflowException() : Exception("buffer underflow") {}
    };
    class IndexOutOfBoundsException : public Exception {
    public:
        IndexOutOfBoundsException() : Exception("index out of bounds") {}
    };
    class IllegalArgumentException : public Exception {
    public:
        IllegalArgumentException() : Exception("illegal argument") {}
    };
    class InvalidMarkException : public Exception {
    public:
        InvalidMarkException() : Exception("invalid mark") {}
    };

    explicit ByteBuffer(uint32_t capacity);
    virtual ~ByteBuffer();
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    uint32_t capacity() const { return capacity_; }
    uint32_t position() const { return position_; }
    uint32_t limit() const { return limit_; }
    uint32_t remaining() const { return limit_ - position_; }
    bool hasRemaining() const { return position_ < limit_; }

    void clear();
    void flip();
    void mark() { mark_ = position_; }
    void reset();
    void limit(int64_t n);
    void skip(uint32_t n);

    // The byte at the position, for in-place ciphering and socket calls.
    uint8_t* current() { return data_ + position_; }
    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }

    uint8_t getU8();
    uint16_t getU16();
    uint32_t getU32();
    uint64_t getU64();
    void get(void* out, uint32_t n);

    void putU8(uint8_t v);
    void putU16(uint16_t v);
    void putU32(uint32_t v);
    void putU64(uint64_t v);
    void put(const void* in, uint32_t n);
    // Writes a u32 at `index` without moving the position.
    void putU32At(uint32_t index, uint32_t v);

private:
    void needRead(uint32_t n) const;
    void needWrite(uint32_t n) const;
    uint64_t getLE(uint32_t n);
    void putLE(uint64_t v, uint32_t n);

    uint8_t* data_;
    uint32_t capacity_;
    uint32_t position_ = 0;
    uint32_t limit_;
    int64_t mark_ = -1;
};

}  // namespace lobby
