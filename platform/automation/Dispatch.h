#pragma once

// Late-bound calls: members are reached by dispatch id, arguments travel in
// an array of variants stored last to first, and a failure may carry an
// exception record.

#include "platform/automation/Unknown.h"
#include "platform/automation/VariantTypes.h"

struct ITypeInfo;

// {00020400-0000-0000-C000-000000000046}
constexpr IID IID_IDispatch { 0x00020400, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };

using DISPID = LONG;
using MEMBERID = DISPID;

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr MEMBERID MEMBERID_NIL = DISPID_UNKNOWN;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// rgvarg holds the positional arguments last to first, after the named ones;
// rgdispidNamedArgs names the first cNamedArgs entries of rgvarg.
struct DISPPARAMS {
    VARIANTARG* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

struct EXCEPINFO;
using DeferredFillIn = HRESULT (*)(EXCEPINFO* exception);

// Filled by a component whose member failed with DISP_E_EXCEPTION. A
// component may leave the texts empty and set pfnDeferredFillIn instead; the
// caller runs it when it wants the texts. The strings belong to the caller.
struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    PVOID pvReserved;
    DeferredFillIn pfnDeferredFillIn;
    SCODE scode;
};

struct IDispatch : public IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) = 0;
    // names[0] is a member, any further names are its parameters; the
    // comparison ignores letter case.
    virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError)
        = 0;

protected:
    ~IDispatch() = default;
};

using LPDISPATCH = IDispatch*;
