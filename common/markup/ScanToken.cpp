#include "common/markup/ScanToken.h"

#include <cstring>

namespace markup {

namespace {

char AsciiLower(char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

} // namespace

bool ScanToken::Scan(std::string_view text)
{
    const int size = static_cast<int>(text.size());
    int pos = next < size ? next : size;
    while (pos < size && IsWhitespace(text[pos]))
        ++pos;
    if (pos >= size) {
        left = right = next = size;
        quoted = false;
        return false;
    }

    const char first = text[pos];
    if (first == '"' || first == '\'') {
        quoted = true;
        left = pos + 1;
        const void* close = left < size ? std::memchr(text.data() + left, first, size - left) : nullptr;
        if (close) {
            const int closeAt = static_cast<int>(static_cast<const char*>(close) - text.data());
            right = closeAt - 1;
            next = closeAt + 1;
        } else {
            right = size - 1;
            next = size;
        }
        return true;
    }

    quoted = false;
    left = pos;
    while (pos < size && text[pos] != '\0' && !IsNameDelimiter(text[pos]))
        ++pos;
    if (pos == left)
        ++pos;
    right = pos - 1;
    next = pos;
    return true;
}

bool NameMatches(std::string_view token, std::string_view name)
{
    const size_t length = token.size();
    if (length > name.size())
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (AsciiLower(token[i]) != AsciiLower(name[i]))
            return false;
    }
    return length == name.size() || IsNameTerminator(name[length]);
}

} // namespace markup
