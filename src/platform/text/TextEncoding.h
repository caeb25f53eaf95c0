// TextEncoding.h -- Shift-JIS (code page 932) text converted to Unicode at the platform edge.
#pragma once
#include <cstddef>
#include <string>

namespace platform {

// Converts CP932 bytes to UTF-32 code points. A byte sequence that is not
// valid CP932 becomes U+FFFD and decoding resumes at the next byte, so a
// corrupt string never stops or overruns the conversion.
std::u32string Cp932ToUtf32(const char* bytes, size_t length);
std::u32string Cp932ToUtf32(const std::string& bytes);

// CP932 bytes as UTF-8 (clipboard, input method); invalid bytes become U+FFFD.
std::string Cp932ToUtf8(const std::string& bytes);
// UTF-8 text as CP932 bytes. Characters CP932 cannot hold, and bytes that are
// not valid UTF-8, are dropped (typed text never gains a wrong character).
std::string Utf8ToCp932(const std::string& utf8);

}  // namespace platform
