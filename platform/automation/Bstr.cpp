#include "platform/automation/Bstr.h"

#include "platform/base/CodePage.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

using Prefix = std::uint32_t;

// Allocates room for byteLength bytes of text plus a two-byte terminator.
BSTR AllocateBytes(const void* bytes, std::size_t byteLength)
{
    if (byteLength > std::numeric_limits<Prefix>::max() - sizeof(Prefix) - sizeof(OLECHAR))
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(Prefix) + byteLength + sizeof(OLECHAR) + 1));
    if (!block)
        return nullptr;
    const Prefix prefix = static_cast<Prefix>(byteLength);
    std::memcpy(block, &prefix, sizeof prefix);
    unsigned char* text = block + sizeof(Prefix);
    if (bytes)
        std::memcpy(text, bytes, byteLength);
    else
        std::memset(text, 0, byteLength);
    // Three zero bytes terminate both an even and an odd byte count.
    std::memset(text + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(text);
}

unsigned char* BlockOf(BSTR text)
{
    return reinterpret_cast<unsigned char*>(text) - sizeof(Prefix);
}

} // namespace

BSTR SysAllocString(LPCOLESTR text)
{
    if (!text)
        return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

BSTR SysAllocStringLen(LPCOLESTR text, UINT length)
{
    return AllocateBytes(text, static_cast<std::size_t>(length) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length)
{
    return AllocateBytes(bytes, length);
}

BOOL SysReAllocString(BSTR* target, LPCOLESTR text)
{
    if (!target)
        return FALSE;
    BSTR copy = SysAllocString(text);
    if (text && !copy)
        return FALSE;
    SysFreeString(*target);
    *target = copy;
    return TRUE;
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(BlockOf(text));
}

UINT SysStringByteLen(BSTR text)
{
    if (!text)
        return 0;
    Prefix prefix;
    std::memcpy(&prefix, BlockOf(text), sizeof prefix);
    return prefix;
}

UINT SysStringLen(BSTR text)
{
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

namespace automation {

BSTR AllocBstr(std::u16string_view text)
{
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

BSTR AllocBstrFromAnsi(std::string_view ansi)
{
    return AllocBstr(base::AnsiToUtf16(ansi));
}

BSTR AllocBstrFromUtf8(std::string_view utf8)
{
    return AllocBstr(base::Utf8ToUtf16(utf8));
}

std::u16string_view BstrView(BSTR text)
{
    if (!text)
        return {};
    return std::u16string_view(text, SysStringLen(text));
}

std::string BstrToAnsi(BSTR text)
{
    return base::Utf16ToAnsi(BstrView(text));
}

std::string BstrToUtf8(BSTR text)
{
    return base::Utf16ToUtf8(BstrView(text));
}

} // namespace automation
