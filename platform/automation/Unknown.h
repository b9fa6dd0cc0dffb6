#pragma once

// The root interface every component object answers, and the class object
// through which the component library makes instances. Interfaces are
// abstract classes whose table of virtual functions is the binary contract
// between the suite's programs and components; their order never changes.

#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"

// {00000000-0000-0000-C000-000000000046}
constexpr IID IID_IUnknown { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
// {00000001-0000-0000-C000-000000000046}
constexpr IID IID_IClassFactory { 0x00000001, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

using LPUNKNOWN = IUnknown*;

struct IClassFactory : public IUnknown {
    // outer must be null: objects of the suite are not aggregated.
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    // TRUE keeps the component loaded and in use without an object alive.
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};
