// tmModelText.cpp -- line splitting, number reading and file loading for model readers.
#include "sys/model/tmModelText.h"

#include <cstdio>
#include <cstdlib>

namespace tmModelText {

std::vector<std::string_view> SplitLines(std::string_view text) { return SplitAt(text, '\n'); }

std::vector<std::string_view> SplitAt(std::string_view text, char sep) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::vector<std::string_view> SplitBlanks(std::string_view text) {
    std::vector<std::string_view> out;
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < text.size()) {
        while (i < text.size() && blank(text[i])) ++i;
        size_t start = i;
        while (i < text.size() && !blank(text[i])) ++i;
        if (i > start) out.push_back(text.substr(start, i - start));
    }
    return out;
}

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

namespace {
// The number text after the allowed blanks, or empty when it is no number.
std::string NumberText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && i < 32 && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    if (i >= text.size() || !(text[i] == '-' || (text[i] >= '0' && text[i] <= '9'))) return {};
    size_t end = i;
    while (end < text.size() && end - i < 64 && text[end] != ';' && text[end] != ',' && text[end] != ' ' &&
           text[end] != '\t' && text[end] != '\r' && text[end] != '/')
        ++end;
    return std::string(text.substr(i, end - i));
}
}  // namespace

float Float(std::string_view text) {
    std::string s = NumberText(text);
    if (s.empty()) return 0.0f;
    float v = std::strtof(s.c_str(), nullptr);
    return v == v ? v : 0.0f;
}

int32_t Int(std::string_view text) {
    std::string s = NumberText(text);
    if (s.empty()) return 0;
    long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

bool ReadFile(const char* path, std::vector<uint8_t>& out) {
    out.clear();
    if (!path) return false;
    std::string p(path);
    for (char& c : p)
        if (c == '\\') c = '/';
    FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && static_cast<unsigned long>(size) <= kMaxModelFile && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize(static_cast<size_t>(size));
        ok = size == 0 || std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    if (!ok) out.clear();
    return ok;
}

}  // namespace tmModelText
