// tmString.h -- the engine's small string and helpers for NUL-terminated texts.
#pragma once
#include <cstdint>

// A byte string (no notion of double-byte characters or case). Short owned
// texts (0 to 3 bytes) live inline; longer owned texts live in a heap block
// taken from the tracking allocator under the site name "tmString"; a literal
// reference stores the caller's pointer and neither copies nor frees it.
// The layout is one pointer-sized text word plus a 32-bit length word whose
// bit 31 marks a literal (the text word must hold a pointer on 64-bit, so the
// object is 16 bytes rather than two 32-bit words).
class tmString {
public:
    tmString();
    // literal: keep a reference to text (which must outlive the string).
    explicit tmString(const char* text, bool literal = false);
    tmString(const char* text, int length);
    tmString(const tmString& other);
    tmString(tmString&& other) noexcept;
    tmString& operator=(const tmString& other);
    tmString& operator=(tmString&& other) noexcept;
    ~tmString();

    // Copies text (null counts as empty); the string is owned afterwards.
    // text may point into this string's own characters.
    void Assign(const char* text);
    void Assign(const char* text, int length);

    int GetLength() const { return static_cast<int>(lengthWord_ & kLengthMask); }
    bool IsLiteral() const { return (lengthWord_ & kLiteralBit) != 0; }
    // True when the characters live in the object itself (owned, length below 4).
    bool IsInline() const { return !IsLiteral() && GetLength() < kInlineLimit; }
    const char* GetText() const;
    // The characters of an owned string, writable in place (length unchanged).
    char* GetBuffer();

    // Offset of the first occurrence of pattern at or after start, counted
    // from start; -1 when there is none. An empty pattern matches at 0.
    int Find(const char* pattern, int start) const;

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    static constexpr uint32_t kLiteralBit = 0x80000000u;
    static constexpr uint32_t kLengthMask = 0x7FFFFFFFu;
    static constexpr int kInlineLimit = 4;

    bool OwnsHeap() const { return !IsLiteral() && GetLength() >= kInlineLimit; }
    void Release();

    union {
        char* heap_;
        const char* literal_;
        char inline_[sizeof(char*)];
    };
    uint32_t lengthWord_;
};

// True when both are the same pointer (null included) or equal byte for byte;
// false when exactly one is null.
bool tmStrEqual(const char* a, const char* b);

// Copies source up to the first separator or NUL into dest (limit bytes of
// room) and terminates it. Returns the position after the separator, or of
// the NUL when the text ended. A token that does not fit in limit - 1 bytes
// returns null and leaves dest holding its first limit - 1 bytes, terminated.
// A null source copies the empty text and returns null, so a caller chaining
// the results never reads through a null pointer.
const char* tmStrCopyToken(char* dest, int limit, const char* source, char separator);

// Skips at most skipLimit blanks (space, tab, line feed); then reads a float
// with "%f" when the text goes on with '-' or a digit, else returns 0.
float tmStrToFloat(const char* text, int skipLimit);

// Reads each separator-terminated field of text into out (at most count
// values); the last field, which no separator follows, is not read.
// Returns the number of values stored.
int tmSplitFloats(const char* text, char separator, float* out, int count);
