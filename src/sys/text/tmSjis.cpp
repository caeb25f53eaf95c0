// tmSjis.cpp -- CP932 character walks and the conversions at the platform edge.
#include "sys/text/tmSjis.h"

#include "platform/text/TextEncoding.h"

namespace tmSjis {

bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

size_t CharLength(const std::string& text, size_t pos) {
    if (pos >= text.size()) return 0;
    return IsLeadByte(static_cast<uint8_t>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

size_t FloorBoundary(const std::string& text, size_t pos) {
    if (pos >= text.size()) return text.size();
    size_t i = 0;
    while (i < pos) {
        const size_t next = i + CharLength(text, i);
        if (next > pos) break;
        i = next;
    }
    return i;
}

bool IsBoundary(const std::string& text, size_t pos) { return pos <= text.size() && FloorBoundary(text, pos) == pos; }

size_t PrevBoundary(const std::string& text, size_t pos) {
    pos = FloorBoundary(text, pos);
    return pos == 0 ? 0 : FloorBoundary(text, pos - 1);
}

size_t NextBoundary(const std::string& text, size_t pos) {
    pos = FloorBoundary(text, pos);
    return pos + CharLength(text, pos);
}

std::string Truncate(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    return text.substr(0, FloorBoundary(text, maxBytes));
}

std::string ToUtf8(const std::string& sjis) { return platform::Cp932ToUtf8(sjis); }

std::string FromUtf8(const std::string& utf8) { return platform::Utf8ToCp932(utf8); }

char32_t CodeToUnicode(uint32_t code) {
    if (code == 0 || code > 0xFFFF) return 0;
    std::string bytes;
    if (code > 0xFF) {
        if (!IsLeadByte(static_cast<uint8_t>(code >> 8))) return 0;
        bytes.push_back(static_cast<char>(code >> 8));
    }
    bytes.push_back(static_cast<char>(code & 0xFF));
    const std::u32string u = platform::Cp932ToUtf32(bytes);
    if (u.size() != 1 || u[0] == 0xFFFD) return 0;
    return u[0];
}

}  // namespace tmSjis
