#include "common/markup/AttributeValue.h"

namespace markup {

namespace {

struct Entity {
    std::string_view name; // the text after '&', through ';'
    char byte;
};

// The order in which a '&' is tried.
constexpr Entity Entities[] = {
    { "lt;", '<' },
    { "amp;", '&' },
    { "gt;", '>' },
    { "apos;", '\'' },
    { "quot;", '"' },
};

} // namespace

std::string DecodeValue(std::string_view value)
{
    size_t pos = value.find('&');
    if (pos == std::string_view::npos)
        return std::string(value);
    std::string decoded;
    decoded.reserve(value.size());
    decoded.append(value.substr(0, pos));
    while (pos < value.size()) {
        const size_t ampersand = value.find('&', pos);
        if (ampersand == std::string_view::npos) {
            decoded.append(value.substr(pos));
            break;
        }
        decoded.append(value.substr(pos, ampersand - pos));
        pos = ampersand + 1;
        const std::string_view rest = value.substr(pos);
        char byte = '&';
        for (const Entity& entity : Entities) {
            if (rest.starts_with(entity.name)) {
                byte = entity.byte;
                pos += entity.name.size();
                break;
            }
        }
        decoded += byte;
    }
    return decoded;
}

std::string EncodeValue(std::string_view value)
{
    std::string encoded;
    encoded.reserve(value.size() + value.size() / 10 + 7);
    for (char byte : value) {
        switch (byte) {
        case '<':
            encoded += "&lt;";
            break;
        case '&':
            encoded += "&amp;";
            break;
        case '>':
            encoded += "&gt;";
            break;
        case '\'':
            encoded += "&apos;";
            break;
        case '"':
            encoded += "&quot;";
            break;
        default:
            encoded += byte;
        }
    }
    return encoded;
}

} // namespace markup
