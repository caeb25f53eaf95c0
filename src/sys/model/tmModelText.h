// tmModelText.h -- line and field helpers shared by the text model readers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tmModelText {

// Splits at every line feed; the pieces keep carriage returns.
std::vector<std::string_view> SplitLines(std::string_view text);
// Splits at every occurrence of `sep` (the separator dropped).
std::vector<std::string_view> SplitAt(std::string_view text, char sep);
// Splits at runs of blanks (space, tab, CR); empty cells never appear.
std::vector<std::string_view> SplitBlanks(std::string_view text);
// Drops leading and trailing blanks and carriage returns.
std::string_view Trim(std::string_view text);
// Numbers by the engine's text rule: at most 32 leading blanks skipped, then
// a number only when the text goes on with '-' or a digit; otherwise 0.
float Float(std::string_view text);
int32_t Int(std::string_view text);
bool Contains(std::string_view text, std::string_view what);

// Reads a whole model file; '\' in the path is a folder separator. False when
// it cannot be read or exceeds kMaxModelFile bytes.
constexpr size_t kMaxModelFile = 256u * 1024u * 1024u;
bool ReadFile(const char* path, std::vector<uint8_t>& out);

}  // namespace tmModelText
