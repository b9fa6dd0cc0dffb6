#include "platform/automation/Guid.h"

#include "platform/automation/HResult.h"

#include <cstdio>
#include <type_traits>

namespace automation {

namespace {

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

template <typename Char> std::optional<GUID> ParseGuidText(std::basic_string_view<Char> text)
{
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;
    std::uint8_t nibbles[32];
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[i]));
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-')
                return std::nullopt;
            continue;
        }
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        nibbles[count++] = static_cast<std::uint8_t>(d);
    }
    auto field = [&](int first, int digits) {
        std::uint32_t value = 0;
        for (int i = first; i < first + digits; ++i)
            value = (value << 4) | nibbles[i];
        return value;
    };
    GUID guid;
    guid.Data1 = field(0, 8);
    guid.Data2 = static_cast<WORD>(field(8, 4));
    guid.Data3 = static_cast<WORD>(field(12, 4));
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<BYTE>(field(16 + 2 * i, 2));
    return guid;
}

} // namespace

std::string GuidToString(REFGUID guid, bool braces)
{
    char text[40];
    std::snprintf(text, sizeof text, "%s%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X%s", braces ? "{" : "",
        static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
        guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7], braces ? "}" : "");
    return text;
}

std::optional<GUID> ParseGuid(std::string_view text)
{
    return ParseGuidText(text);
}

std::optional<GUID> ParseGuid(std::u16string_view text)
{
    return ParseGuidText(text);
}

} // namespace automation

int StringFromGUID2(REFGUID guid, LPOLESTR text, int capacity)
{
    const std::string ascii = automation::GuidToString(guid);
    if (!text || capacity < static_cast<int>(ascii.size()) + 1)
        return 0;
    for (std::size_t i = 0; i < ascii.size(); ++i)
        text[i] = static_cast<OLECHAR>(ascii[i]);
    text[ascii.size()] = 0;
    return static_cast<int>(ascii.size()) + 1;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = IID_NULL;
    if (!text)
        return CO_E_CLASSSTRING;
    const auto guid = automation::ParseGuid(std::u16string_view(text));
    if (!guid)
        return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

HRESULT IIDFromString(LPCOLESTR text, LPIID iid)
{
    return CLSIDFromString(text, iid);
}
