// TextEncoding.cpp -- CP932 to UTF-32 through iconv, one converter per call.
#include "platform/text/TextEncoding.h"

#include <iconv.h>
#include <cerrno>
#include <string>

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

std::string Cp932ToUtf8(const std::string& bytes) {
    std::string out;
    for (char32_t c : Cp932ToUtf32(bytes)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Utf8ToCp932(const std::string& utf8) {
    if (utf8.empty()) return {};
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (char c : utf8)
            if (static_cast<unsigned char>(c) < 0x80) out.push_back(c);
        return out;
    }
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char buffer[256];
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        const int err = errno;
        out.append(buffer, sizeof buffer - oLeft);
        if (r != static_cast<size_t>(-1) || err == E2BIG) continue;
        // Unmappable or broken: skip the whole UTF-8 sequence (its continuation bytes too).
        do {
            ++in;
            --inLeft;
        } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace platform
