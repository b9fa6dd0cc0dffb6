#include "platform/base/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace base {
namespace {

bool IsAscii(std::string_view text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

bool IsAscii(std::u16string_view text)
{
    for (char16_t c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input, calling onInvalid(out) and skipping invalidLength(in, left)
    // bytes where the input cannot be converted. Returns the bytes produced.
    template <typename InvalidLength, typename OnInvalid>
    std::string Run(const char* input, size_t size, InvalidLength invalidLength, OnInvalid onInvalid)
    {
        std::string out;
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(size * 4 + 16);
        char* in = const_cast<char*>(input);
        size_t inLeft = size;
        size_t used = 0;
        while (inLeft > 0) {
            char* dest = out.data() + used;
            size_t destLeft = out.size() - used;
            size_t rc = iconv(m_cd, &in, &inLeft, &dest, &destLeft);
            used = out.size() - destLeft;
            if (rc != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ: an invalid sequence; EINVAL: an incomplete one at the end.
            out.resize(used);
            onInvalid(out);
            size_t step = std::min(inLeft, invalidLength(in, inLeft));
            in += step;
            inLeft -= step;
            used = out.size();
            out.resize(used + inLeft * 4 + 16);
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t m_cd;
};

Converter& AnsiToUtf16Converter()
{
    thread_local Converter converter("UTF-16LE", "CP936");
    return converter;
}

Converter& Utf16ToAnsiConverter()
{
    thread_local Converter converter("CP936", "UTF-16LE");
    return converter;
}

std::u16string BytesToUtf16(const std::string& bytes)
{
    std::u16string result(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return result;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u16string AnsiToUtf16(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::u16string(ansi.begin(), ansi.end());
    std::string bytes = AnsiToUtf16Converter().Run(
        ansi.data(), ansi.size(), [](const char*, size_t) -> size_t { return 1; },
        [](std::string& out) {
            out += static_cast<char>(0xFD);
            out += static_cast<char>(0xFF);
        });
    return BytesToUtf16(bytes);
}

std::string Utf16ToAnsi(std::u16string_view utf16)
{
    if (IsAscii(utf16)) {
        std::string out(utf16.size(), '\0');
        for (size_t i = 0; i < utf16.size(); ++i)
            out[i] = static_cast<char>(utf16[i]);
        return out;
    }
    std::string bytes(utf16.size() * 2, '\0');
    for (size_t i = 0; i < utf16.size(); ++i) {
        bytes[2 * i] = static_cast<char>(utf16[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(utf16[i] >> 8);
    }
    // A surrogate pair is one character and becomes one '?'.
    auto invalidLength = [](const char* in, size_t left) -> size_t {
        auto unit = [in](size_t i) {
            return static_cast<char16_t>(static_cast<unsigned char>(in[i]) |
                                         (static_cast<unsigned char>(in[i + 1]) << 8));
        };
        if (left >= 4 && unit(0) >= 0xD800 && unit(0) <= 0xDBFF && unit(2) >= 0xDC00 && unit(2) <= 0xDFFF)
            return 4;
        return 2;
    };
    return Utf16ToAnsiConverter().Run(bytes.data(), bytes.size(), invalidLength,
                                      [](std::string& out) { out += UnmappableAnsi; });
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        char32_t c = 0;
        size_t length = 0;
        if (lead < 0x80) {
            c = lead;
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            c = lead & 0x1F;
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            c = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            c = lead & 0x07;
            length = 4;
        }
        bool valid = length > 0 && i + length <= utf8.size();
        for (size_t k = 1; valid && k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are invalid too.
        if (valid && ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
                      (c >= 0xD800 && c <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out += ReplacementCharacter;
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = ReplacementCharacter;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi)
{
    if (IsAscii(ansi))
        return std::string(ansi);
    return Utf16ToUtf8(AnsiToUtf16(ansi));
}

std::string Utf8ToAnsi(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    return Utf16ToAnsi(Utf8ToUtf16(utf8));
}

} // namespace base
