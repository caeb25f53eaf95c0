// Little-endian byte writer and bounds-checked reader for binary formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zfmt {

using Bytes = std::vector<std::uint8_t>;

// Appends little-endian fields to a growing byte vector, one field at a time.
class ByteWriter {
public:
    void U8(std::uint8_t v) { m_bytes.push_back(v); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F32(float v);
    void Raw(const void* data, std::size_t size);
    void Text(const std::string& s) { Raw(s.data(), s.size()); }
    // Writes s into a fixed field of `width` bytes, NUL-padded (cut when longer).
    void FixedText(const std::string& s, std::size_t width);
    void Zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, 0); }
    // Overwrites a u32 already written at `offset` (for sizes known later).
    void PatchU32(std::size_t offset, std::uint32_t v);

    std::size_t Size() const { return m_bytes.size(); }
    const Bytes& Data() const { return m_bytes; }
    Bytes Take() { return std::move(m_bytes); }

private:
    Bytes m_bytes;
};

// Reads little-endian fields from a byte range. A read past the end yields 0
// and clears Ok(); it never touches memory outside the range.
class ByteReader {
public:
    ByteReader(const void* data, std::size_t size) : m_data(static_cast<const std::uint8_t*>(data)), m_size(size) {}
    explicit ByteReader(const Bytes& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    float F32();
    // Copies `size` bytes; false (and nothing copied) when fewer remain.
    bool Raw(void* out, std::size_t size);
    // Reads a fixed NUL-padded field of `width` bytes.
    std::string FixedText(std::size_t width);
    void Skip(std::size_t count);
    void Seek(std::size_t pos);

    std::size_t Pos() const { return m_pos; }
    std::size_t Remaining() const { return m_pos <= m_size ? m_size - m_pos : 0; }
    bool Ok() const { return m_ok; }

private:
    bool Take(std::size_t n);

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// Plain little-endian loads and stores on raw memory (caller checks bounds).
inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

}  // namespace zfmt
