// Bank scrambling and member naming.
#include "format/BankCodec.h"

#include "format/ByteIO.h"

namespace zfmt {

bool ScrambleWords(std::uint32_t key, std::uint8_t* data, std::size_t size) {
    if (size == 0) return false;
    std::size_t words = size / 4;
    for (std::size_t i = 0; i < words; ++i) {
        std::uint8_t* p = data + i * 4;
        StoreU32(p, LoadU32(p) ^ key);
    }
    return true;
}

std::uint32_t KeyAtOffset(std::uint32_t key, std::uint64_t offset) {
    unsigned shift = unsigned(offset % 4) * 8;
    if (shift == 0) return key;
    return (key >> shift) | (key << (32 - shift));
}

bool UnscrambleMember(std::uint32_t key, std::uint8_t* data, std::size_t dataSize, std::uint64_t offset,
                      std::uint64_t fileSize) {
    if (dataSize == 0) return false;
    std::uint64_t scrambledEnd = fileSize - fileSize % 4;
    std::uint64_t n = scrambledEnd > offset ? scrambledEnd - offset : 0;
    if (n > dataSize) n = dataSize;
    std::uint32_t k = KeyAtOffset(key, offset);
    std::size_t words = std::size_t(n / 4);
    for (std::size_t i = 0; i < words; ++i) {
        std::uint8_t* p = data + i * 4;
        StoreU32(p, LoadU32(p) ^ k);
    }
    for (std::size_t i = 0; i < std::size_t(n % 4); ++i) data[words * 4 + i] ^= std::uint8_t(k >> (8 * i));
    return true;
}

std::string BankStem(const std::string& name) {
    char sep = name.find('/') != std::string::npos ? '/' : '\\';
    std::size_t cut = name.rfind(sep);
    std::string last = cut == std::string::npos ? name : name.substr(cut + 1);
    std::size_t dot = last.find('.');
    if (dot != std::string::npos) last.resize(dot);
    for (char& c : last)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return last;
}

std::string BankPathKey(const std::string& name) {
    return name.size() > kDataPrefixLength ? name.substr(kDataPrefixLength) : name;
}

}  // namespace zfmt
