// tmVariant.h -- a text value with the integer and float read from it.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <string>
#include <vector>

#include "sys/base/tmArray.h"
#include "sys/base/tmString.h"

namespace sys {

// A text together with its int and float readings and a type code (0 after
// an integer assignment, 2 after a text assignment). A default variant has
// no text (GetString is null). Every assignment re-reads the numbers: after
// at most 32 leading blanks, a text going on with '-' or a digit is read with
// "%d" and "%f"; anything else reads as 0. Values, created by anyone.
class tmVariant {
public:
    enum { kTypeInt = 0, kTypeString = 2 };
    static constexpr int kFormatBufferSize = 1024;

    tmVariant() = default;
    tmVariant(int value);  // NOLINT: converting on purpose, like SetInt
    // printf-style; the result is cut at 1023 bytes. A null format is the empty text.
    explicit tmVariant(const char* format, ...) __attribute__((format(printf, 2, 3)));
    explicit tmVariant(const tmString& text);
    explicit tmVariant(const std::string& text);
    tmVariant(const tmVariant& other);
    tmVariant& operator=(const tmVariant& other);
    tmVariant& operator=(const char* text);
    tmVariant& operator=(const std::string& text);
    virtual ~tmVariant() = default;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    void SetInt(int value);
    void SetString(const char* text);  // null counts as the empty text
    void SetStringN(const char* text, int length);

    int GetInt() const { return int_; }
    float GetFloat() const { return float_; }
    int GetType() const { return type_; }
    const char* GetString() const { return hasText_ ? text_.GetText() : nullptr; }
    int GetLength() const { return hasText_ ? text_.GetLength() : 0; }

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }
    bool Equals(const tmVariant& other) const;
    bool Contains(const char* s) const;
    // Occurrences of s, overlapping ones included; 0 for an empty or null s.
    int Count(const char* s) const;
    bool StartsWith(const char* s) const;
    // Copies the text (cut to size - 1 bytes) with a terminator; returns buffer.
    char* CopyTo(char* buffer, size_t size) const;

    void Append(const tmVariant& other);
    void AppendString(const char* s);
    // Replaces every occurrence of from, left to right, never searching the
    // inserted text again. An empty or null from changes nothing.
    void Replace(const char* from, const char* to);
    void ToUpper();  // ASCII letters only
    void DropLeft(int n);
    void DropRight(int n);
    // Splits at delimiter (matched as a whole, never at position 0); later
    // tokens start delimiterLength bytes after the preceding delimiter.
    // Returns the number of tokens in out (which is emptied first).
    int Split(std::vector<tmVariant>* out, const char* delimiter, int delimiterLength) const;

private:
    void ReadNumbers();

    tmString text_;
    bool hasText_ = false;
    int int_ = 0;
    float float_ = 0.0f;
    int type_ = kTypeString;
};

bool IsEqualTo(const char* text, const tmVariant& v);

}  // namespace sys

// Array splits into variants: every token after the first keeps the delimiter
// that precedes it. limit < 0 means no limit; with a limit, splitting stops
// once more than `limit` tokens were taken before a further delimiter.
template <>
int tmArray<sys::tmVariant>::Split(tmArray<sys::tmVariant>* out, int limit, const char* text, int length,
                                   const char* delimiter);
template <>
int tmArray<sys::tmVariant>::SplitAll(tmArray<sys::tmVariant>* out, const char* text, int length,
                                      const char* delimiter);
