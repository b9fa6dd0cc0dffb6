#pragma once

// The test component PlinthProbe.dll: its classes, interfaces and dispatch ids.

#include "platform/automation/Guid.h"

#include <array>

namespace probe {

// {73ADEBA2-4EAA-4E79-95D9-43C6DEF74E93}
constexpr IID IID_IProbe { 0x73ADEBA2, 0x4EAA, 0x4E79, { 0x95, 0xD9, 0x43, 0xC6, 0xDE, 0xF7, 0x4E, 0x93 } };
// {BEC0A79A-C9AB-44A2-81A8-6C1AE02D8650}
constexpr IID IID_IProbeExtra { 0xBEC0A79A, 0xC9AB, 0x44A2, { 0x81, 0xA8, 0x6C, 0x1A, 0xE0, 0x2D, 0x86, 0x50 } };
// {52CB7C00-6037-4059-B623-750FD74F60C3}
constexpr GUID LIBID_Probe { 0x52CB7C00, 0x6037, 0x4059, { 0xB6, 0x23, 0x75, 0x0F, 0xD7, 0x4F, 0x60, 0xC3 } };

// Each class differs only in the type description it gives; the broken ones
// exercise every way a caller can fail to read a description.
enum class Variant {
    Probe, // a class description: IProbeExtra, then IProbe as the default
    Plain, // the dispatch interface itself
    NoTypeInfo, // GetTypeInfo fails with E_NOTIMPL
    NullTypeInfo, // GetTypeInfo succeeds without a description
    NoDefault, // a class whose interfaces are all non-default
    BrokenRef, // a class whose default interface cannot be fetched (E_ACCESSDENIED)
    TakenThenBroken, // default IProbe, then a default whose fetch fails
    LaterDefault, // default IProbeExtra, then default IProbe
    UnreadableFlags, // a class whose only interface's flags cannot be read
    WrongKind, // an interface description of kind TKIND_INTERFACE
    BadFunction, // the second function description fails (E_HANDLE)
    BadVariable, // the first variable description fails (E_ABORT)
};

struct ClassInfo {
    Variant variant;
    const char* progId; // version-independent; the versioned one adds ".1"
};

constexpr std::array<ClassInfo, 12> Classes { {
    { Variant::Probe, "PlinthTest.Probe" },
    { Variant::Plain, "PlinthTest.Plain" },
    { Variant::NoTypeInfo, "PlinthTest.NoTypeInfo" },
    { Variant::NullTypeInfo, "PlinthTest.NullTypeInfo" },
    { Variant::NoDefault, "PlinthTest.NoDefault" },
    { Variant::BrokenRef, "PlinthTest.BrokenRef" },
    { Variant::TakenThenBroken, "PlinthTest.TakenThenBroken" },
    { Variant::LaterDefault, "PlinthTest.LaterDefault" },
    { Variant::UnreadableFlags, "PlinthTest.UnreadableFlags" },
    { Variant::WrongKind, "PlinthTest.WrongKind" },
    { Variant::BadFunction, "PlinthTest.BadFunction" },
    { Variant::BadVariable, "PlinthTest.BadVariable" },
} };

// {5D0C10nn-7A2B-4C3D-9E8F-102132435465}, nn the class's place in Classes.
constexpr CLSID ClassId(Variant variant)
{
    return CLSID { 0x5D0C1000u + static_cast<DWORD>(variant), 0x7A2B, 0x4C3D,
        { 0x9E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65 } };
}

constexpr const char* ProbeDescription = "Probe Class";

namespace dispid {
constexpr LONG Nothing = 1;
constexpr LONG Join3 = 2;
constexpr LONG EchoI2 = 3;
constexpr LONG EchoI4 = 4;
constexpr LONG EchoR4 = 5;
constexpr LONG EchoR8 = 6;
constexpr LONG EchoCy = 7;
constexpr LONG EchoDate = 8;
constexpr LONG EchoBstr = 9;
constexpr LONG EchoDispatch = 10;
constexpr LONG EchoError = 11;
constexpr LONG EchoBool = 12;
constexpr LONG EchoVariant = 13;
constexpr LONG EchoUnknown = 14;
constexpr LONG EchoUI1 = 15;
constexpr LONG SumArray = 16;
constexpr LONG JoinArray = 17;
constexpr LONG Increment = 18;
constexpr LONG CountByRefArray = 19;
constexpr LONG Describe = 20;
constexpr LONG Fail = 21;
constexpr LONG FailDeferred = 22;
constexpr LONG FailWith = 23;
constexpr LONG MakeChild = 24;
constexpr LONG Name = 25;
constexpr LONG Level = 26;
constexpr LONG CallCount = 27;
constexpr LONG Extra = 1; // on IProbeExtra
} // namespace dispid

// What Fail and FailDeferred report.
constexpr const char16_t* FailureDescription = u"Probe failure";
constexpr const char16_t* DeferredDescription = u"Deferred probe failure";
constexpr HRESULT DeferredCode = static_cast<HRESULT>(0x80040A01u);

} // namespace probe
