#pragma once

// The automation variant: a type tag and a value, the unit in which every
// argument and result crosses a dispatch call.
//
// Layout: the 16-bit tag, three reserved 16-bit words, then eight bytes of
// value, 16 bytes in all, as on the 32-bit platform. A 64-bit pointer still
// fits the eight value bytes; the only member the platform has that would not
// fit (a record value with its type description, two pointers) is left out,
// and with it VT_RECORD, so the variant stays 16 bytes here as well. A
// decimal value overlays the whole variant, tag included, as it does there.

#include "platform/automation/Bstr.h"
#include "platform/automation/HResult.h"
#include "platform/base/Types.h"

struct IUnknown;
struct IDispatch;
struct SAFEARRAY;

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DATE = double;
using FLOAT = float;
using DOUBLE = double;
using PVOID = void*;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R4 = 4;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_CY = 6;
constexpr VARTYPE VT_DATE = 7;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_DECIMAL = 14;
constexpr VARTYPE VT_I1 = 16;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_UI2 = 18;
constexpr VARTYPE VT_UI4 = 19;
constexpr VARTYPE VT_I8 = 20;
constexpr VARTYPE VT_UI8 = 21;
constexpr VARTYPE VT_INT = 22;
constexpr VARTYPE VT_UINT = 23;
constexpr VARTYPE VT_VOID = 24;
constexpr VARTYPE VT_HRESULT = 25;
constexpr VARTYPE VT_PTR = 26;
constexpr VARTYPE VT_SAFEARRAY = 27;
constexpr VARTYPE VT_CARRAY = 28;
constexpr VARTYPE VT_USERDEFINED = 29;
constexpr VARTYPE VT_LPSTR = 30;
constexpr VARTYPE VT_LPWSTR = 31;
constexpr VARTYPE VT_ARRAY = 0x2000;
constexpr VARTYPE VT_BYREF = 0x4000;
constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

// Currency: a 64-bit integer scaled by 10 000.
union CY {
    struct {
        ULONG Lo;
        LONG Hi;
    };
    LONGLONG int64;
};
static_assert(sizeof(CY) == 8);

struct DECIMAL {
    USHORT wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    ULONGLONG Lo64;
};
static_assert(sizeof(DECIMAL) == 16);

struct VARIANT {
    union {
        struct {
            VARTYPE vt;
            WORD wReserved1;
            WORD wReserved2;
            WORD wReserved3;
            union {
                LONGLONG llVal;
                LONG lVal;
                BYTE bVal;
                SHORT iVal;
                FLOAT fltVal;
                DOUBLE dblVal;
                VARIANT_BOOL boolVal;
                SCODE scode;
                CY cyVal;
                DATE date;
                BSTR bstrVal;
                IUnknown* punkVal;
                IDispatch* pdispVal;
                SAFEARRAY* parray;
                BYTE* pbVal;
                SHORT* piVal;
                LONG* plVal;
                LONGLONG* pllVal;
                FLOAT* pfltVal;
                DOUBLE* pdblVal;
                VARIANT_BOOL* pboolVal;
                SCODE* pscode;
                CY* pcyVal;
                DATE* pdate;
                BSTR* pbstrVal;
                IUnknown** ppunkVal;
                IDispatch** ppdispVal;
                SAFEARRAY** pparray;
                VARIANT* pvarVal;
                PVOID byref;
                CHAR cVal;
                USHORT uiVal;
                ULONG ulVal;
                ULONGLONG ullVal;
                INT intVal;
                UINT uintVal;
                DECIMAL* pdecVal;
                CHAR* pcVal;
                USHORT* puiVal;
                ULONG* pulVal;
                ULONGLONG* pullVal;
                INT* pintVal;
                UINT* puintVal;
            };
        };
        DECIMAL decVal;
    };
};
static_assert(sizeof(VARIANT) == 16, "variants are 16 bytes on every build of the suite");

using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

// VariantChangeType flags.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;

void VariantInit(VARIANTARG* variant);
// Frees what the variant owns (string, interface reference, array) and leaves it empty.
HRESULT VariantClear(VARIANTARG* variant);
// Deep copy: strings and arrays are duplicated, interfaces gain a reference.
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* source);
// Like VariantCopy, but a by-reference source is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* source);
// Converts source to type (dest may be source). DISP_E_TYPEMISMATCH when the
// value has no form of that type, DISP_E_OVERFLOW when it does not fit,
// DISP_E_BADVARTYPE for an unknown tag. Text is read and written in the "C"
// locale; booleans become "True"/"False" with VARIANT_ALPHABOOL, else "-1"/"0".
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE type);
HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* source, LCID locale, USHORT flags, VARTYPE type);
