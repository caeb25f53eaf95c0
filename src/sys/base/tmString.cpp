// tmString.cpp -- small string storage and NUL-terminated text helpers.
#include "sys/base/tmString.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "sys/base/tmMemory.h"

namespace {
const char kSiteName[] = "tmString";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
}  // namespace

tmString::tmString() : heap_(nullptr), lengthWord_(0) { inline_[0] = '\0'; }

tmString::tmString(const char* text, bool literal) : heap_(nullptr), lengthWord_(0) {
    inline_[0] = '\0';
    if (literal && text) {
        literal_ = text;
        lengthWord_ = (static_cast<uint32_t>(std::strlen(text)) & kLengthMask) | kLiteralBit;
    } else {
        Assign(text);
    }
}

tmString::tmString(const char* text, int length) : heap_(nullptr), lengthWord_(0) {
    inline_[0] = '\0';
    Assign(text, length);
}

tmString::tmString(const tmString& other) : heap_(nullptr), lengthWord_(0) {
    inline_[0] = '\0';
    *this = other;
}

tmString::tmString(tmString&& other) noexcept : heap_(other.heap_), lengthWord_(other.lengthWord_) {
    std::memcpy(inline_, other.inline_, sizeof inline_);
    other.heap_ = nullptr;
    other.inline_[0] = '\0';
    other.lengthWord_ = 0;
}

tmString& tmString::operator=(const tmString& other) {
    if (this == &other) return *this;
    if (other.IsLiteral()) {
        Release();
        literal_ = other.literal_;
        lengthWord_ = other.lengthWord_;
    } else {
        Assign(other.GetText(), other.GetLength());
    }
    return *this;
}

tmString& tmString::operator=(tmString&& other) noexcept {
    if (this == &other) return *this;
    Release();
    std::memcpy(inline_, other.inline_, sizeof inline_);
    lengthWord_ = other.lengthWord_;
    other.heap_ = nullptr;
    other.inline_[0] = '\0';
    other.lengthWord_ = 0;
    return *this;
}

tmString::~tmString() { Release(); }

void tmString::Release() {
    if (OwnsHeap()) tmFree(heap_);
    heap_ = nullptr;
    inline_[0] = '\0';
    lengthWord_ = 0;
}

void tmString::Assign(const char* text) { Assign(text, text ? static_cast<int>(std::strlen(text)) : 0); }

void tmString::Assign(const char* text, int length) {
    int n = (text && length > 0) ? length : 0;
    // The source may be this string's own characters: the old block is freed
    // only after the copy, and the inline word is filled through a temporary.
    char* oldHeap = OwnsHeap() ? heap_ : nullptr;
    int oldLength = GetLength();
    if (n >= kInlineLimit) {
        char* dest;
        bool reuse = oldHeap && oldLength >= n;
        if (reuse) {
            dest = oldHeap;
        } else {
            dest = static_cast<char*>(tmAlloc(static_cast<size_t>(n) + 1, kSiteName, 0));
            if (!dest) {  // out of memory: keep an empty text rather than crash
                Release();
                return;
            }
        }
        std::memmove(dest, text, static_cast<size_t>(n));
        dest[n] = '\0';
        if (oldHeap && !reuse) tmFree(oldHeap);
        heap_ = dest;
    } else {
        char tmp[kInlineLimit] = {};
        if (n) std::memcpy(tmp, text, static_cast<size_t>(n));
        if (oldHeap) tmFree(oldHeap);
        heap_ = nullptr;
        std::memcpy(inline_, tmp, sizeof tmp);
    }
    lengthWord_ = static_cast<uint32_t>(n);
}

const char* tmString::GetText() const {
    if (IsLiteral()) return literal_;
    return GetLength() < kInlineLimit ? inline_ : heap_;
}

char* tmString::GetBuffer() {
    if (IsLiteral()) Assign(literal_, GetLength());  // become owned before handing out writable bytes
    return GetLength() < kInlineLimit ? inline_ : heap_;
}

int tmString::Find(const char* pattern, int start) const {
    if (!pattern) return -1;
    int length = GetLength();
    int p = static_cast<int>(std::strlen(pattern));
    if (start < 0) start = 0;
    const char* text = GetText();
    for (int i = 0; i <= length - start - p; ++i)
        if (std::memcmp(text + start + i, pattern, static_cast<size_t>(p)) == 0) return i;
    return -1;
}

bool tmString::operator==(const char* text) const {
    if (!text) return false;
    size_t n = std::strlen(text);
    if (n != static_cast<size_t>(GetLength())) return false;
    const char* mine = GetText();
    for (size_t i = n; i-- > 0;)
        if (mine[i] != text[i]) return false;
    return true;
}

bool tmStrEqual(const char* a, const char* b) {
    if (a == b) return true;
    if (!a || !b) return false;
    return std::strcmp(a, b) == 0;
}

const char* tmStrCopyToken(char* dest, int limit, const char* source, char separator) {
    if (!dest || limit <= 0) return nullptr;
    if (!source) {
        dest[0] = '\0';
        return nullptr;
    }
    int i = 0;
    while (source[i] != '\0' && source[i] != separator) {
        if (i == limit - 1) {  // no room for this byte and the terminator
            dest[i] = '\0';
            return nullptr;
        }
        dest[i] = source[i];
        ++i;
    }
    dest[i] = '\0';
    return source[i] == separator && separator != '\0' ? source + i + 1 : source + i;
}

float tmStrToFloat(const char* text, int skipLimit) {
    if (!text) return 0.0f;
    for (int i = 0; i < skipLimit && IsBlank(*text); ++i) ++text;
    if (*text != '-' && (*text < '0' || *text > '9')) return 0.0f;
    float value = 0.0f;
    if (std::sscanf(text, "%f", &value) != 1) return 0.0f;
    return value;
}

int tmSplitFloats(const char* text, char separator, float* out, int count) {
    if (!text || !out || count <= 0 || separator == '\0') return 0;
    int stored = 0;
    const char* field = text;
    bool first = true;
    for (const char* p = text; *p != '\0' && stored < count; ++p) {
        if (*p != separator) continue;
        int length = static_cast<int>(p - field);
        out[stored++] = tmStrToFloat(field, first ? length : length + 1);
        first = false;
        field = p + 1;
    }
    return stored;
}
