#include "components/mendor/Text.h"

namespace mendor {

namespace {

constexpr std::string_view Blanks = " \t\r\n\v\f";

} // namespace

std::string TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(Blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (byte >= 0x80) {
            ++i; // the second byte of a double-byte character may look like a letter
            continue;
        }
        if (byte >= 'a' && byte <= 'z')
            upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
    return upper;
}

bool IsHttpAddress(std::string_view text, std::size_t minimumLength)
{
    const std::string address = UpperAscii(TrimBlanks(text));
    return address.size() > minimumLength && address.starts_with("HTTP://");
}

} // namespace mendor
