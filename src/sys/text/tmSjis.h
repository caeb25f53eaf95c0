// tmSjis.h -- Shift-JIS (code page 932) character boundaries and conversion to and from UTF-8.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Helpers for the game's text, which is CP932 bytes: a lead byte (0x81-0x9F,
// 0xE0-0xFC) and the byte after it form one double-byte character; a lead
// byte at the very end stands alone. Every walk starts at the beginning of
// the text, because a trail byte can look like a lead byte.
namespace tmSjis {

// The platform's double-byte lead-byte test for code page 932.
bool IsLeadByte(uint8_t byte);

// Bytes of the character that starts at `pos` (1 or 2; 0 at or past the end).
size_t CharLength(const std::string& text, size_t pos);

// The largest character boundary not above `pos` (a position inside a
// double-byte character moves back to its lead byte).
size_t FloorBoundary(const std::string& text, size_t pos);
bool IsBoundary(const std::string& text, size_t pos);
// The boundary before / after the character at the boundary `pos`.
size_t PrevBoundary(const std::string& text, size_t pos);
size_t NextBoundary(const std::string& text, size_t pos);

// At most maxBytes bytes of the text, never ending inside a character.
std::string Truncate(const std::string& text, size_t maxBytes);

// Conversions for the platform edge (clipboard, input method, glyph lookup).
std::string ToUtf8(const std::string& sjis);
// Characters CP932 cannot hold are dropped.
std::string FromUtf8(const std::string& utf8);
// The Unicode code point of one character code ((lead << 8) | trail, or a
// single byte); 0 when the code has no character.
char32_t CodeToUnicode(uint32_t code);

}  // namespace tmSjis
