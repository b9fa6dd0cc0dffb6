#pragma once

// The tokenizer shared by every scan over a markup text, with the byte classes
// and the name match it relies on. Offsets are byte offsets into the text.

#include <array>
#include <string>
#include <string_view>

namespace markup {

namespace detail {

enum ByteClass : unsigned char {
    Whitespace = 1,
    NameDelimiter = 2,
    NameTerminator = 4,
    TokenEnd = 8, // a name delimiter or NUL
};

constexpr std::array<unsigned char, 256> MakeByteClasses()
{
    std::array<unsigned char, 256> classes {};
    for (unsigned char byte : std::string_view(" \t\n\r"))
        classes[byte] |= Whitespace | NameDelimiter;
    for (unsigned char byte : std::string_view("<>=\\/?!"))
        classes[byte] |= NameDelimiter;
    for (unsigned char byte : std::string_view(" =/["))
        classes[byte] |= NameTerminator;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == 0 || (classes[byte] & NameDelimiter))
            classes[byte] |= TokenEnd;
    }
    return classes;
}

constexpr std::array<char, 256> MakeAsciiLower()
{
    std::array<char, 256> lower {};
    for (int byte = 0; byte < 256; ++byte)
        lower[byte] = static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    return lower;
}

inline constexpr std::array<char, 256> AsciiLower = MakeAsciiLower();

// Bytes from 0x80 up are in no class, so double-byte characters stay whole
// inside names, values and text.
inline constexpr std::array<unsigned char, 256> ByteClasses = MakeByteClasses();

} // namespace detail

inline bool IsWhitespace(char byte)
{
    return detail::ByteClasses[static_cast<unsigned char>(byte)] & detail::Whitespace;
}

inline bool IsNameDelimiter(char byte)
{
    return detail::ByteClasses[static_cast<unsigned char>(byte)] & detail::NameDelimiter;
}

inline bool IsNameTerminator(char byte)
{
    return detail::ByteClasses[static_cast<unsigned char>(byte)] & detail::NameTerminator;
}

// One token: the bytes left..right (right < left when it is empty). A scan
// starts at `next` and leaves `next` where the following scan starts.
struct ScanToken {
    int left = 0;
    int right = -1;
    int next = 0;
    bool quoted = false;

    // Takes the next token; false when only whitespace is left. The text's
    // terminating NUL ends every unquoted run.
    bool Scan(const std::string& text);

    int Length() const { return right >= left ? right - left + 1 : 0; }
    std::string_view Text(std::string_view text) const { return std::string_view(text.data() + left, Length()); }
    // True for an unquoted token whose first byte is `byte` (delimiters are
    // always tokens of one byte).
    bool StartsWith(std::string_view text, char byte) const { return !quoted && text[left] == byte; }
};

// Defined here so that scans in tight loops keep the token in registers.
inline bool ScanToken::Scan(const std::string& text)
{
    const char* data = text.c_str();
    const int size = static_cast<int>(text.size());
    int pos = next < size ? next : size;
    while (IsWhitespace(data[pos]))
        ++pos;
    if (pos >= size) {
        left = right = next = size;
        quoted = false;
        return false;
    }

    const char first = data[pos];
    if (first == '"' || first == '\'') {
        quoted = true;
        left = pos + 1;
        // Values are short: a plain loop beats a library call here.
        int close = left;
        while (close < size && data[close] != first)
            ++close;
        right = close - 1;
        next = close < size ? close + 1 : size;
        return true;
    }

    // A NUL inside the text ends the token like a delimiter; when the first
    // byte ends it, that byte is the token.
    quoted = false;
    left = pos;
    while (!(detail::ByteClasses[static_cast<unsigned char>(data[pos])] & detail::TokenEnd))
        ++pos;
    if (pos == left)
        ++pos;
    right = pos - 1;
    next = pos;
    return true;
}

// A token matches a name when its bytes equal the name's first bytes (ASCII
// letters in either case) and the name ends there or goes on with one of the
// name terminators. So "alias" matches "Alias", but "Ali" does not.
inline bool NameMatches(std::string_view token, std::string_view name)
{
    const size_t length = token.size();
    if (length > name.size() || (length < name.size() && !IsNameTerminator(name[length])))
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (detail::AsciiLower[static_cast<unsigned char>(token[i])]
            != detail::AsciiLower[static_cast<unsigned char>(name[i])])
            return false;
    }
    return true;
}

} // namespace markup
