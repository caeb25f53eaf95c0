// TextEncoding.cpp -- CP932 to UTF-32 through iconv, one converter per call.
#include "platform/text/TextEncoding.h"

#include <iconv.h>
#include <cerrno>

namespace platform {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// ASCII-only fallback used when the C library has no CP932 converter.
std::u32string Latin(const char* bytes, size_t length) {
    std::u32string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        out.push_back(c < 0x80 ? char32_t(c) : kReplacement);
    }
    return out;
}
}  // namespace

std::u32string Cp932ToUtf32(const char* bytes, size_t length) {
    if (!bytes || length == 0) return {};
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return Latin(bytes, length);

    std::u32string out;
    out.reserve(length);
    char* in = const_cast<char*>(bytes);
    size_t inLeft = length;
    char buffer[256];
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        const int err = errno;
        const size_t produced = (sizeof buffer - oLeft) / 4;
        for (size_t i = 0; i < produced; ++i) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(buffer) + i * 4;
            out.push_back(char32_t(p[0]) | char32_t(p[1]) << 8 | char32_t(p[2]) << 16 | char32_t(p[3]) << 24);
        }
        if (r != static_cast<size_t>(-1)) continue;
        if (err == E2BIG) continue;
        // Invalid or truncated sequence: mark it and step over one byte.
        out.push_back(kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::u32string Cp932ToUtf32(const std::string& bytes) { return Cp932ToUtf32(bytes.data(), bytes.size()); }

}  // namespace platform
