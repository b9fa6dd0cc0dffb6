#pragma once

// The tokenizer shared by every scan over a markup text, with the byte classes
// and the name match it relies on. Offsets are byte offsets into the text.

#include <array>
#include <string_view>

namespace markup {

namespace detail {

enum ByteClass : unsigned char {
    Whitespace = 1,
    NameDelimiter = 2,
    NameTerminator = 4,
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
    return classes;
}

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

    // Takes the next token; false when only whitespace is left.
    bool Scan(std::string_view text);

    int Length() const { return right >= left ? right - left + 1 : 0; }
    std::string_view Text(std::string_view text) const { return text.substr(left, Length()); }
    // True for an unquoted token whose first byte is `byte` (delimiters are
    // always tokens of one byte).
    bool StartsWith(std::string_view text, char byte) const { return !quoted && text[left] == byte; }
};

// A token matches a name when its bytes equal the name's first bytes (ASCII
// letters in either case) and the name ends there or goes on with one of the
// name terminators. So "alias" matches "Alias", but "Ali" does not.
bool NameMatches(std::string_view token, std::string_view name);

} // namespace markup
