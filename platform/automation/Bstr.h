#pragma once

// Automation strings: UTF-16 text preceded by its length in bytes (32 bits)
// and followed by a terminator, so that a BSTR is also a terminated string.
// A null BSTR is the empty string. Every BSTR is allocated with malloc, so a
// string made by one component can be freed by another.

#include "platform/base/Types.h"

#include <string>
#include <string_view>

using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);
// Length in bytes; the bytes are copied as they are and may be odd in number.
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
// Replaces *target with a copy of text; FALSE (and *target unchanged) when memory runs out.
BOOL SysReAllocString(BSTR* target, LPCOLESTR text);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

namespace automation {

// Conversions used at every automation call: 8-bit text is code page 936.
BSTR AllocBstr(std::u16string_view text);
BSTR AllocBstrFromAnsi(std::string_view ansi);
BSTR AllocBstrFromUtf8(std::string_view utf8);
std::u16string_view BstrView(BSTR text);
std::string BstrToAnsi(BSTR text);
std::string BstrToUtf8(BSTR text);

// Owns one BSTR.
class CBstr {
public:
    CBstr() = default;
    explicit CBstr(std::u16string_view text)
        : m_text(AllocBstr(text))
    {
    }
    ~CBstr() { SysFreeString(m_text); }
    CBstr(const CBstr& other)
        : m_text(AllocBstr(BstrView(other.m_text)))
    {
    }
    CBstr(CBstr&& other) noexcept
        : m_text(other.Detach())
    {
    }
    CBstr& operator=(CBstr other) noexcept
    {
        std::swap(m_text, other.m_text);
        return *this;
    }

    static CBstr Adopt(BSTR text)
    {
        CBstr owned;
        owned.m_text = text;
        return owned;
    }

    BSTR Get() const { return m_text; }
    // For out-parameters: frees the held string and hands out the slot.
    BSTR* Receive()
    {
        SysFreeString(m_text);
        m_text = nullptr;
        return &m_text;
    }
    BSTR Detach()
    {
        BSTR text = m_text;
        m_text = nullptr;
        return text;
    }
    std::u16string_view View() const { return BstrView(m_text); }

private:
    BSTR m_text = nullptr;
};

} // namespace automation
