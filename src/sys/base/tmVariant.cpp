// tmVariant.cpp -- variant assignment, number reading and text operations.
#include "sys/base/tmVariant.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace sys {
namespace {

constexpr int kMaxLeadingBlanks = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

tmVariant::tmVariant(int value) { SetInt(value); }

tmVariant::tmVariant(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

tmVariant::tmVariant(const tmString& text) { SetString(text.GetText()); }

tmVariant::tmVariant(const std::string& text) { SetString(text.c_str()); }

tmVariant::tmVariant(const tmVariant& other) {
    SetString(other.GetString());
    type_ = other.type_;
}

tmVariant& tmVariant::operator=(const tmVariant& other) {
    if (this != &other) {
        SetString(other.GetString());
        type_ = other.type_;
    }
    return *this;
}

tmVariant& tmVariant::operator=(const char* text) {
    SetString(text);
    return *this;
}

tmVariant& tmVariant::operator=(const std::string& text) {
    SetString(text.c_str());
    return *this;
}

void tmVariant::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void tmVariant::FormatV(const char* format, va_list args) {
    char buffer[kFormatBufferSize];
    buffer[0] = '\0';
    if (format) std::vsnprintf(buffer, sizeof buffer, format, args);
    SetString(buffer);
}

void tmVariant::SetInt(int value) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    text_.Assign(buffer);
    hasText_ = true;
    int_ = value;
    float_ = static_cast<float>(value);
    type_ = kTypeInt;
}

void tmVariant::SetString(const char* text) {
    text_.Assign(text ? text : "");  // Assign copies first, so text may be our own
    hasText_ = true;
    type_ = kTypeString;
    ReadNumbers();
}

void tmVariant::SetStringN(const char* text, int length) {
    if (!text || length <= 0) {
        SetString("");
        return;
    }
    std::string tmp(text, static_cast<size_t>(length));
    SetString(tmp.c_str());
}

void tmVariant::ReadNumbers() {
    int_ = 0;
    float_ = 0.0f;
    const char* p = text_.GetText();
    for (int i = 0; i < kMaxLeadingBlanks && IsBlank(*p); ++i) ++p;
    if (*p != '-' && (*p < '0' || *p > '9')) return;
    int i = 0;
    float f = 0.0f;
    if (std::sscanf(p, "%d", &i) == 1) int_ = i;
    if (std::sscanf(p, "%f", &f) == 1) float_ = f;
}

bool tmVariant::operator==(const char* text) const { return tmStrEqual(GetString(), text); }

bool tmVariant::Equals(const tmVariant& other) const { return tmStrEqual(GetString(), other.GetString()); }

bool IsEqualTo(const char* text, const tmVariant& v) { return tmStrEqual(text, v.GetString()); }

bool tmVariant::Contains(const char* s) const {
    const char* t = GetString();
    if (!t || !s) return false;
    return std::strstr(t, s) != nullptr;
}

int tmVariant::Count(const char* s) const {
    const char* t = GetString();
    if (!t || !s || !*s) return 0;
    int n = 0;
    for (const char* p = std::strstr(t, s); p; p = std::strstr(p + 1, s)) ++n;
    return n;
}

bool tmVariant::StartsWith(const char* s) const {
    const char* t = GetString();
    if (!t || !s) return false;
    return std::strncmp(t, s, std::strlen(s)) == 0;
}

char* tmVariant::CopyTo(char* buffer, size_t size) const {
    if (!buffer || size == 0) return buffer;
    const char* t = GetString();
    size_t n = t ? static_cast<size_t>(GetLength()) : 0;
    if (n > size - 1) n = size - 1;
    if (n) std::memcpy(buffer, t, n);
    buffer[n] = '\0';
    return buffer;
}

void tmVariant::Append(const tmVariant& other) { AppendString(other.GetString()); }

void tmVariant::AppendString(const char* s) {
    std::string joined;
    if (const char* t = GetString()) joined.assign(t, static_cast<size_t>(GetLength()));
    if (s) joined += s;
    SetString(joined.c_str());
}

void tmVariant::Replace(const char* from, const char* to) {
    const char* t = GetString();
    if (!t || !from || !*from) return;
    if (!to) to = "";
    size_t fromLength = std::strlen(from);
    std::string result;
    const char* p = t;
    for (const char* hit = std::strstr(p, from); hit; hit = std::strstr(p, from)) {
        result.append(p, static_cast<size_t>(hit - p));
        result += to;
        p = hit + fromLength;
    }
    result += p;
    SetString(result.c_str());
}

void tmVariant::ToUpper() {
    const char* t = GetString();
    if (!t) return;
    std::string upper(t, static_cast<size_t>(GetLength()));
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    SetString(upper.c_str());
}

void tmVariant::DropLeft(int n) {
    const char* t = GetString();
    if (!t || n < 0 || GetLength() <= n) return;
    std::string rest(t + n);
    SetString(rest.c_str());
}

void tmVariant::DropRight(int n) {
    const char* t = GetString();
    if (!t || n < 0 || n > GetLength()) return;
    std::string head(t, static_cast<size_t>(GetLength() - n));
    SetString(head.c_str());
}

int tmVariant::Split(std::vector<tmVariant>* out, const char* delimiter, int delimiterLength) const {
    if (!out) return 0;
    out->clear();
    const char* t = GetString();
    if (!t) return 0;
    std::string text(t, static_cast<size_t>(GetLength()));
    if (!delimiter || !*delimiter) {
        if (!text.empty()) out->emplace_back(text);
        return static_cast<int>(out->size());
    }
    size_t k = delimiterLength > 0 ? static_cast<size_t>(delimiterLength) : 0;
    size_t p = 0;
    bool found = false;
    for (size_t d = text.find(delimiter, 1); d != std::string::npos; d = text.find(delimiter, p + 1)) {
        size_t from = found ? p + k : 0;
        out->emplace_back(from < d ? text.substr(from, d - from) : std::string());
        p = d;
        found = true;
    }
    size_t from = found ? p + k : 0;
    if (from < text.size()) out->emplace_back(text.substr(from));
    return static_cast<int>(out->size());
}

}  // namespace sys

template <>
int tmArray<sys::tmVariant>::Split(tmArray<sys::tmVariant>* out, int limit, const char* text, int length,
                                   const char* delimiter) {
    if (!out) return 0;
    out->Clear();
    if (!text || length <= 0) return 0;
    out->Reserve(limit >= 0 ? limit + 1 : length / 8 + 8);  // a hint: Append grows beyond it
    std::string copy(text, static_cast<size_t>(length));
    size_t p = 0;
    int n = 0;
    if (delimiter && *delimiter) {
        for (size_t d = copy.find(delimiter, 1); d != std::string::npos; d = copy.find(delimiter, p + 1)) {
            if (limit >= 0 && n > limit) break;
            out->Append(sys::tmVariant(copy.substr(p, d - p)));
            p = d;
            ++n;
        }
    }
    if (limit >= 0 && n >= limit) return out->GetCount();
    if (p < copy.size()) out->Append(sys::tmVariant(copy.substr(p)));
    return out->GetCount();
}

template <>
int tmArray<sys::tmVariant>::SplitAll(tmArray<sys::tmVariant>* out, const char* text, int length,
                                      const char* delimiter) {
    return Split(out, -1, text, length, delimiter);
}
