#pragma once

// Globally unique identifiers: class ids, interface ids and type library ids.
// The text form is 8-4-4-4-12 hexadecimal digits, written in upper case with
// or without the surrounding braces.

#include "platform/automation/Bstr.h"
#include "platform/base/Types.h"

#include <optional>
#include <string>
#include <string_view>

struct GUID {
    DWORD Data1 = 0;
    WORD Data2 = 0;
    WORD Data3 = 0;
    BYTE Data4[8] = {};
    bool operator==(const GUID&) const = default;
};
static_assert(sizeof(GUID) == 16);

using CLSID = GUID;
using IID = GUID;
using REFGUID = const GUID&;
using REFCLSID = const CLSID&;
using REFIID = const IID&;
using LPCLSID = CLSID*;
using LPIID = IID*;

constexpr GUID IID_NULL {};

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    return a == b;
}
inline bool IsEqualIID(REFIID a, REFIID b)
{
    return a == b;
}
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b)
{
    return a == b;
}

// Writes "{XXXXXXXX-...}" with its terminator into text; returns the number
// of characters written including the terminator, or 0 when capacity is too small.
int StringFromGUID2(REFGUID guid, LPOLESTR text, int capacity);
// Reads a braced or bare identifier; CO_E_CLASSSTRING when it is not one.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT IIDFromString(LPCOLESTR text, LPIID iid);

namespace automation {

std::string GuidToString(REFGUID guid, bool braces = true);
// Accepts the identifier with both braces or with none, digits in either case.
std::optional<GUID> ParseGuid(std::string_view text);
std::optional<GUID> ParseGuid(std::u16string_view text);

} // namespace automation
