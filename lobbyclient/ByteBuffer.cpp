// ByteBuffer.cpp -- bounded little-endian reads and writes over a fixed byte array.
#include "lobbyclient/ByteBuffer.h"

#include <cstring>

namespace lobby {

ByteBuffer::ByteBuffer(uint32_t capacity) : data_(new uint8_t[capacity]()), capacity_(capacity), limit_(capacity) {}

ByteBuffer::~ByteBuffer() { delete[] data_; }

void ByteBuffer::clear() {
    position_ = 0;
    limit_ = capacity_;
    mark_ = -1;
}

void ByteBuffer::flip() {
    limit_ = position_;
    position_ = 0;
    mark_ = -1;
}

void ByteBuffer::reset() {
    if (mark_ < 0) throw InvalidMarkException();
    position_ = static_cast<uint32_t>(mark_);
}

void ByteBuffer::limit(int64_t n) {
    if (n < 0 || n > static_cast<int64_t>(capacity_)) throw IllegalArgumentException();
    limit_ = static_cast<uint32_t>(n);
    if (position_ > limit_) position_ = limit_;
    if (mark_ > static_cast<int64_t>(limit_)) mark_ = -1;
}

void ByteBuffer::skip(uint32_t n) {
    needWrite(n);
    position_ += n;
}

void ByteBuffer::needRead(uint32_t n) const {
    if (n > limit_ - position_) throw BufferUnderflowException();
}

void ByteBuffer::needWrite(uint32_t n) const {
    if (n > limit_ - position_) throw BufferOverflowException();
}

uint64_t ByteBuffer::getLE(uint32_t n) {
    needRead(n);
    uint64_t v = 0;
    for (uint32_t i = 0; i < n; ++i) v |= static_cast<uint64_t>(data_[position_ + i]) << (8 * i);
    position_ += n;
    return v;
}

void ByteBuffer::putLE(uint64_t v, uint32_t n) {
    needWrite(n);
    for (uint32_t i = 0; i < n; ++i) data_[position_ + i] = static_cast<uint8_t>(v >> (8 * i));
    position_ += n;
}

uint8_t ByteBuffer::getU8() { return static_cast<uint8_t>(getLE(1)); }
uint16_t ByteBuffer::getU16() { return static_cast<uint16_t>(getLE(2)); }
uint32_t ByteBuffer::getU32() { return static_cast<uint32_t>(getLE(4)); }
uint64_t ByteBuffer::getU64() { return getLE(8); }

void ByteBuffer::get(void* out, uint32_t n) {
    needRead(n);
    if (n) std::memcpy(out, data_ + position_, n);
    position_ += n;
}

void ByteBuffer::putU8(uint8_t v) { putLE(v, 1); }
void ByteBuffer::putU16(uint16_t v) { putLE(v, 2); }
void ByteBuffer::putU32(uint32_t v) { putLE(v, 4); }
void ByteBuffer::putU64(uint64_t v) { putLE(v, 8); }

void ByteBuffer::put(const void* in, uint32_t n) {
    needWrite(n);
    if (n) std::memcpy(data_ + position_, in, n);
    position_ += n;
}

void ByteBuffer::putU32At(uint32_t index, uint32_t v) {
    if (index > limit_ || 4 > limit_ - index) throw IndexOutOfBoundsException();
    for (uint32_t i = 0; i < 4; ++i) data_[index + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace lobby
