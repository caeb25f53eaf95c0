// Little-endian byte writer and bounds-checked reader.
#include "format/ByteIO.h"

#include <cstring>

namespace zfmt {

void ByteWriter::U16(std::uint16_t v) {
    m_bytes.push_back(std::uint8_t(v));
    m_bytes.push_back(std::uint8_t(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    std::uint8_t b[4];
    StoreU32(b, v);
    m_bytes.insert(m_bytes.end(), b, b + 4);
}

void ByteWriter::F32(float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    U32(u);
}

void ByteWriter::Raw(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), p, p + size);
}

void ByteWriter::FixedText(const std::string& s, std::size_t width) {
    std::size_t n = s.size() < width ? s.size() : width;
    Raw(s.data(), n);
    Zeros(width - n);
}

void ByteWriter::PatchU32(std::size_t offset, std::uint32_t v) {
    if (offset + 4 <= m_bytes.size()) StoreU32(m_bytes.data() + offset, v);
}

bool ByteReader::Take(std::size_t n) {
    if (!m_ok || m_pos > m_size || m_size - m_pos < n) {
        m_ok = false;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::U8() {
    if (!Take(1)) return 0;
    return m_data[m_pos++];
}

std::uint16_t ByteReader::U16() {
    if (!Take(2)) return 0;
    std::uint16_t v = std::uint16_t(m_data[m_pos] | m_data[m_pos + 1] << 8);
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::U32() {
    if (!Take(4)) return 0;
    std::uint32_t v = LoadU32(m_data + m_pos);
    m_pos += 4;
    return v;
}

float ByteReader::F32() {
    std::uint32_t u = U32();
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

bool ByteReader::Raw(void* out, std::size_t size) {
    if (!Take(size)) return false;
    if (size) std::memcpy(out, m_data + m_pos, size);
    m_pos += size;
    return true;
}

std::string ByteReader::FixedText(std::size_t width) {
    if (!Take(width)) return std::string();
    const char* p = reinterpret_cast<const char*>(m_data + m_pos);
    std::size_t n = 0;
    while (n < width && p[n] != '\0') ++n;
    m_pos += width;
    return std::string(p, n);
}

void ByteReader::Skip(std::size_t count) {
    if (Take(count)) m_pos += count;
}

void ByteReader::Seek(std::size_t pos) {
    if (pos > m_size) {
        m_ok = false;
        return;
    }
    m_pos = pos;
}

}  // namespace zfmt
