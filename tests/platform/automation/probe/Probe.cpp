#include "tests/platform/automation/probe/Probe.h"

#include <cstdio>
#include <string>

namespace probe {

namespace {

using automation::CDispatchCall;
using automation::MemberKind;

HRESULT FillDeferred(EXCEPINFO* record)
{
    record->bstrSource = automation::AllocBstr(u"PlinthTest.Probe");
    record->bstrDescription = automation::AllocBstr(DeferredDescription);
    return S_OK;
}

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

} // namespace

const automation::CDispatchTable<CProbe>& CProbe::Table()
{
    static const automation::CDispatchTable<CProbe> table(IID_IProbe, "IProbe", "IProbe Interface",
        {
            { dispid::Nothing, "Nothing", MemberKind::Method, {}, VT_EMPTY,
                [](CProbe&, CDispatchCall&) { return S_OK; } },
            { dispid::Join3, "Join3", MemberKind::Method, { { "a", VT_BSTR }, { "b", VT_BSTR }, { "c", VT_BSTR } },
                VT_BSTR, &CProbe::Join3 },
            { dispid::EchoI2, "EchoI2", MemberKind::Method, { { "value", VT_I2 } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoI4, "EchoI4", MemberKind::Method, { { "value", VT_I4 } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoR4, "EchoR4", MemberKind::Method, { { "value", VT_R4 } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoR8, "EchoR8", MemberKind::Method, { { "value", VT_R8 } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoCy, "EchoCy", MemberKind::Method, { { "value", VT_CY } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoDate, "EchoDate", MemberKind::Method, { { "value", VT_DATE } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoBstr, "EchoBstr", MemberKind::Method, { { "value", VT_BSTR } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoDispatch, "EchoDispatch", MemberKind::Method, { { "value", VT_DISPATCH } }, VT_VARIANT,
                &CProbe::Echo },
            { dispid::EchoError, "EchoError", MemberKind::Method, { { "value", VT_ERROR } }, VT_VARIANT,
                &CProbe::Echo },
            { dispid::EchoBool, "EchoBool", MemberKind::Method, { { "value", VT_BOOL } }, VT_VARIANT, &CProbe::Echo },
            { dispid::EchoVariant, "EchoVariant", MemberKind::Method, { { "value", VT_VARIANT } }, VT_VARIANT,
                &CProbe::Echo },
            { dispid::EchoUnknown, "EchoUnknown", MemberKind::Method, { { "value", VT_UNKNOWN } }, VT_VARIANT,
                &CProbe::Echo },
            { dispid::EchoUI1, "EchoUI1", MemberKind::Method, { { "value", VT_UI1 } }, VT_VARIANT, &CProbe::Echo },
            { dispid::SumArray, "SumArray", MemberKind::Method, { { "values", VT_ARRAY | VT_I4 } }, VT_I4,
                &CProbe::SumArray },
            { dispid::JoinArray, "JoinArray", MemberKind::Method, { { "values", VT_ARRAY | VT_BSTR } }, VT_BSTR,
                &CProbe::JoinArray },
            { dispid::Increment, "Increment", MemberKind::Method, { { "value", VT_BYREF | VT_I4 } }, VT_EMPTY,
                &CProbe::Increment },
            { dispid::CountByRefArray, "CountByRefArray", MemberKind::Method,
                { { "values", VT_BYREF | VT_ARRAY | VT_I4 } }, VT_I4, &CProbe::CountByRefArray },
            { dispid::Describe, "Describe", MemberKind::Method,
                { { "number", VT_I2 }, { "text", VT_BSTR }, { "real", VT_R8 }, { "flag", VT_BOOL } }, VT_BSTR,
                &CProbe::Describe },
            { dispid::Fail, "Fail", MemberKind::Method, {}, VT_EMPTY,
                [](CProbe&, CDispatchCall& call) { return call.Raise(std::u16string_view(FailureDescription)); } },
            { dispid::FailDeferred, "FailDeferred", MemberKind::Method, {}, VT_EMPTY, &CProbe::FailDeferred },
            // Answers its code both as the result and as the outcome.
            { dispid::FailWith, "FailWith", MemberKind::Method, { { "code", VT_I4 } }, VT_I4,
                [](CProbe&, CDispatchCall& call) {
                    call.SetLong(call.Long(0));
                    return static_cast<HRESULT>(call.Long(0));
                } },
            { dispid::MakeChild, "MakeChild", MemberKind::Method, { { "name", VT_BSTR } }, VT_DISPATCH,
                &CProbe::MakeChild },
            { dispid::Name, "Name", MemberKind::Property, {}, VT_BSTR, &CProbe::Name },
            { dispid::Level, "Level", MemberKind::PropertyGet, {}, VT_I4,
                [](CProbe& self, CDispatchCall& call) {
                    call.SetLong(self.m_level);
                    return S_OK;
                } },
            { dispid::Level, "Level", MemberKind::PropertyPut, { { "value", VT_I4 } }, VT_EMPTY,
                [](CProbe& self, CDispatchCall& call) {
                    self.m_level = call.Long(0);
                    return S_OK;
                } },
            { dispid::CallCount, "CallCount", MemberKind::Property, {}, VT_I4,
                [](CProbe& self, CDispatchCall& call) {
                    call.SetLong(self.m_calls);
                    return S_OK;
                },
                true },
        });
    return table;
}

const automation::CDispatchTable<CProbe>& CProbe::ExtraTable()
{
    static const automation::CDispatchTable<CProbe> table(IID_IProbeExtra, "IProbeExtra", "IProbeExtra Interface",
        {
            { dispid::Extra, "Extra", MemberKind::Method, {}, VT_I4,
                [](CProbe&, CDispatchCall& call) {
                    call.SetLong(42);
                    return S_OK;
                } },
        });
    return table;
}

HRESULT CProbe::Echo(CDispatchCall& call)
{
    ++m_calls;
    call.SetVariant(call.Argument(0));
    return S_OK;
}

HRESULT CProbe::Join3(CDispatchCall& call)
{
    ++m_calls;
    std::u16string joined(call.String(0));
    joined += call.String(1);
    joined += call.String(2);
    call.SetString(joined);
    return S_OK;
}

HRESULT CProbe::SumArray(CDispatchCall& call)
{
    SAFEARRAY* values = call.Argument(0).parray;
    LONG low = 0;
    LONG high = -1;
    if (SafeArrayGetDim(values) != 1 || FAILED(SafeArrayGetLBound(values, 1, &low))
        || FAILED(SafeArrayGetUBound(values, 1, &high)))
        return DISP_E_TYPEMISMATCH;
    LONG sum = 0;
    for (LONG i = low; i <= high; ++i) {
        LONG value = 0;
        SafeArrayGetElement(values, &i, &value);
        sum += value;
    }
    call.SetLong(sum);
    return S_OK;
}

HRESULT CProbe::JoinArray(CDispatchCall& call)
{
    SAFEARRAY* values = call.Argument(0).parray;
    LONG low = 0;
    LONG high = -1;
    SafeArrayGetLBound(values, 1, &low);
    SafeArrayGetUBound(values, 1, &high);
    std::u16string joined;
    for (LONG i = low; i <= high; ++i) {
        BSTR value = nullptr;
        SafeArrayGetElement(values, &i, &value);
        if (i > low)
            joined += u",";
        joined += automation::BstrView(value);
        SysFreeString(value);
    }
    call.SetString(joined);
    return S_OK;
}

HRESULT CProbe::Increment(CDispatchCall& call)
{
    LONG* value = call.Argument(0).plVal;
    if (!value)
        return E_POINTER;
    ++*value;
    return S_OK;
}

HRESULT CProbe::CountByRefArray(CDispatchCall& call)
{
    SAFEARRAY** values = call.Argument(0).pparray;
    if (!values || !*values)
        return E_POINTER;
    call.SetLong(static_cast<LONG>((*values)->rgsabound[0].cElements));
    return S_OK;
}

HRESULT CProbe::Describe(CDispatchCall& call)
{
    char real[32];
    std::snprintf(real, sizeof real, "%g", call.Double(2));
    std::u16string text = Ascii(std::to_string(call.Short(0))) + u"|" + std::u16string(call.String(1)) + u"|"
        + Ascii(real) + u"|" + Ascii(std::to_string(call.Argument(3).boolVal));
    call.SetString(text);
    return S_OK;
}

HRESULT CProbe::FailDeferred(CDispatchCall& call)
{
    return call.RaiseDeferred(&FillDeferred, DeferredCode);
}

HRESULT CProbe::MakeChild(CDispatchCall& call)
{
    auto* child = new CProbe(Variant::Plain);
    child->m_name = call.String(0);
    child->AddRef();
    call.SetDispatch(child);
    child->Release();
    return S_OK;
}

HRESULT CProbe::Name(CDispatchCall& call)
{
    if (call.IsPut())
        m_name = call.String(0);
    else
        call.SetString(m_name);
    return S_OK;
}

} // namespace probe
