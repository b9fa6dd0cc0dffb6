#include "platform/automation/Automation.h"
#include "tests/platform/automation/probe/ProbeIds.h"
#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using automation::CVariant;

struct Outcome {
    HRESULT code = E_FAIL;
    CVariant result;
    EXCEPINFO exception {};
    UINT argumentError = 0xFFFF;

    Outcome() = default;
    Outcome(const Outcome&) = delete;
    ~Outcome()
    {
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    std::u16string_view Description() const { return automation::BstrView(exception.bstrDescription); }
};

CVariant Long(LONG value)
{
    return CVariant::FromLong(value);
}
CVariant Text(std::u16string_view text)
{
    return CVariant(text);
}
CVariant Real(double value)
{
    return CVariant::FromDouble(value);
}
CVariant Bool(bool value)
{
    return CVariant::FromBool(value);
}

class Dispatch : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(test::RegisterProbe().exitCode, 0);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        m_object = Create(probe::Variant::Plain);
        ASSERT_NE(m_object, nullptr);
    }
    void TearDown() override
    {
        if (m_object)
            m_object->Release();
        CoUninitialize();
    }

    static IDispatch* Create(probe::Variant variant)
    {
        IDispatch* object = nullptr;
        CoCreateInstance(
            probe::ClassId(variant), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
        return object;
    }

    // Calls with the arguments in declaration order; `named` gives the ids of
    // the last arguments, which travel first in the array as the platform puts them.
    void Call(Outcome& outcome, DISPID member, WORD flags, std::vector<CVariant> arguments,
        std::vector<DISPID> named = {}, IDispatch* object = nullptr)
    {
        const std::size_t positional = arguments.size() - named.size();
        std::vector<VARIANT> slots;
        for (std::size_t j = 0; j < named.size(); ++j)
            slots.push_back(arguments[positional + j]);
        for (std::size_t i = positional; i-- > 0;)
            slots.push_back(arguments[i]);
        std::vector<DISPID> namedIds = named;
        DISPPARAMS params;
        params.rgvarg = slots.empty() ? nullptr : slots.data();
        params.cArgs = static_cast<UINT>(slots.size());
        params.rgdispidNamedArgs = namedIds.empty() ? nullptr : namedIds.data();
        params.cNamedArgs = static_cast<UINT>(namedIds.size());
        outcome.code = (object ? object : m_object)
                           ->Invoke(member, IID_NULL, LOCALE_SYSTEM_DEFAULT, flags, &params, &outcome.result,
                               &outcome.exception, &outcome.argumentError);
    }

    test::TempSuiteRoot m_root;
    IDispatch* m_object = nullptr;
};

TEST_F(Dispatch, NamesAreFoundWithoutRegardToCase)
{
    for (const char16_t* spelling : { u"Join3", u"join3", u"JOIN3" }) {
        LPOLESTR names[] = { const_cast<LPOLESTR>(spelling) };
        DISPID id = 0;
        EXPECT_EQ(m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, probe::dispid::Join3);
    }
}

TEST_F(Dispatch, ParameterNamesGetTheirPositions)
{
    LPOLESTR names[]
        = { const_cast<LPOLESTR>(u"describe"), const_cast<LPOLESTR>(u"TEXT"), const_cast<LPOLESTR>(u"missing") };
    DISPID ids[3] = {};
    EXPECT_EQ(m_object->GetIDsOfNames(IID_NULL, names, 3, LOCALE_SYSTEM_DEFAULT, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], probe::dispid::Describe);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
}

TEST_F(Dispatch, UnknownNamesAndInterfacesAreRefused)
{
    LPOLESTR names[] = { const_cast<LPOLESTR>(u"NoSuchMember") };
    DISPID id = 0;
    EXPECT_EQ(m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_EQ(m_object->GetIDsOfNames(IID_IDispatch, names, 1, LOCALE_SYSTEM_DEFAULT, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(Dispatch, ArgumentsTravelLastToFirst)
{
    Outcome outcome;
    Call(outcome, probe::dispid::Describe, DISPATCH_METHOD, { Long(12), Text(u"abc"), Real(2.5), Bool(true) });
    ASSERT_EQ(outcome.code, S_OK);
    EXPECT_EQ(automation::BstrView(outcome.result.bstrVal), u"12|abc|2.5|-1");
}

TEST_F(Dispatch, NamedArgumentsAreNumberedByPosition)
{
    Outcome outcome;
    Call(
        outcome, probe::dispid::Describe, DISPATCH_METHOD, { Long(12), Text(u"abc"), Bool(true), Real(2.5) }, { 3, 2 });
    ASSERT_EQ(outcome.code, S_OK);
    EXPECT_EQ(automation::BstrView(outcome.result.bstrVal), u"12|abc|2.5|-1");
}

TEST_F(Dispatch, ArgumentsAreConvertedToTheirDeclaredTypes)
{
    Outcome outcome;
    Call(outcome, probe::dispid::Describe, DISPATCH_METHOD, { Text(u"7"), Long(5), Text(u"2.5"), Long(1) });
    ASSERT_EQ(outcome.code, S_OK);
    EXPECT_EQ(automation::BstrView(outcome.result.bstrVal), u"7|5|2.5|-1");
}

struct FailureCase {
    const char* name;
    DISPID member;
    WORD flags;
    std::vector<CVariant> arguments;
    std::vector<DISPID> named;
    HRESULT code;
    UINT argumentError; // 0xFFFF: not set
};

class DispatchFailure : public Dispatch, public testing::WithParamInterface<FailureCase> { };

TEST_P(DispatchFailure, ReportsTheCode)
{
    const FailureCase& c = GetParam();
    Outcome outcome;
    Call(outcome, c.member, c.flags, c.arguments, c.named);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.argumentError, c.argumentError);
    EXPECT_EQ(outcome.result.vt, VT_EMPTY);
}

INSTANTIATE_TEST_SUITE_P(Cases, DispatchFailure,
    testing::Values(FailureCase { "TooFewArguments", probe::dispid::Join3, DISPATCH_METHOD, { Text(u"a"), Text(u"b") },
                        {}, DISP_E_BADPARAMCOUNT, 0xFFFF },
        FailureCase { "TooManyArguments", probe::dispid::Nothing, DISPATCH_METHOD, { Long(1) }, {},
            DISP_E_BADPARAMCOUNT, 0xFFFF },
        FailureCase {
            "TextForANumber", probe::dispid::EchoI4, DISPATCH_METHOD, { Text(u"abc") }, {}, DISP_E_TYPEMISMATCH, 0 },
        FailureCase { "MismatchIndexCountsFromTheLast", probe::dispid::Describe, DISPATCH_METHOD,
            { Long(1), Text(u"x"), Text(u"no number"), Bool(true) }, {}, DISP_E_TYPEMISMATCH, 1 },
        FailureCase {
            "NumberTooLarge", probe::dispid::EchoI2, DISPATCH_METHOD, { Long(70000) }, {}, DISP_E_OVERFLOW, 0 },
        FailureCase {
            "ValueForAReference", probe::dispid::Increment, DISPATCH_METHOD, { Long(5) }, {}, DISP_E_TYPEMISMATCH, 0 },
        FailureCase {
            "ScalarForAnArray", probe::dispid::SumArray, DISPATCH_METHOD, { Long(5) }, {}, DISP_E_TYPEMISMATCH, 0 },
        FailureCase { "UnknownMember", 999, DISPATCH_METHOD, {}, {}, DISP_E_MEMBERNOTFOUND, 0xFFFF },
        FailureCase {
            "MethodReadAsProperty", probe::dispid::Join3, DISPATCH_PROPERTYGET, {}, {}, DISP_E_MEMBERNOTFOUND, 0xFFFF },
        FailureCase { "ReadOnlyPropertyWritten", probe::dispid::CallCount, DISPATCH_PROPERTYPUT, { Long(3) },
            { DISPID_PROPERTYPUT }, DISP_E_MEMBERNOTFOUND, 0xFFFF },
        FailureCase { "UnknownNamedArgument", probe::dispid::EchoI4, DISPATCH_METHOD, { Long(1) }, { 7 },
            DISP_E_PARAMNOTFOUND, 0 },
        FailureCase { "DispatchCodePassesThrough", probe::dispid::FailWith, DISPATCH_METHOD, { Long(DISP_E_OVERFLOW) },
            {}, DISP_E_OVERFLOW, 0xFFFF }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Dispatch, RaisedExceptionFillsTheRecord)
{
    Outcome outcome;
    Call(outcome, probe::dispid::Fail, DISPATCH_METHOD, {});
    ASSERT_EQ(outcome.code, DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.exception.scode, E_FAIL);
    EXPECT_EQ(outcome.Description(), probe::FailureDescription);
    EXPECT_EQ(automation::BstrView(outcome.exception.bstrSource), u"IProbe");
    EXPECT_EQ(outcome.exception.pfnDeferredFillIn, nullptr);
}

TEST_F(Dispatch, DeferredExceptionFillsInOnRequest)
{
    Outcome outcome;
    Call(outcome, probe::dispid::FailDeferred, DISPATCH_METHOD, {});
    ASSERT_EQ(outcome.code, DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.exception.scode, probe::DeferredCode);
    EXPECT_TRUE(outcome.Description().empty());
    ASSERT_NE(outcome.exception.pfnDeferredFillIn, nullptr);
    EXPECT_EQ(outcome.exception.pfnDeferredFillIn(&outcome.exception), S_OK);
    EXPECT_EQ(outcome.Description(), probe::DeferredDescription);
}

TEST_F(Dispatch, OtherFailuresBecomeExceptionsCarryingTheirCode)
{
    Outcome outcome;
    Call(outcome, probe::dispid::FailWith, DISPATCH_METHOD, { Long(E_ACCESSDENIED) });
    ASSERT_EQ(outcome.code, DISP_E_EXCEPTION);
    EXPECT_EQ(outcome.exception.scode, E_ACCESSDENIED);
}

TEST_F(Dispatch, ExceptionWithoutARecordStillFails)
{
    DISPPARAMS none;
    EXPECT_EQ(m_object->Invoke(probe::dispid::Fail, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_EXCEPTION);
}

TEST_F(Dispatch, PropertyVariableIsReadAndWritten)
{
    Outcome put;
    Call(put, probe::dispid::Name, DISPATCH_PROPERTYPUT, { Text(u"报表") }, { DISPID_PROPERTYPUT });
    ASSERT_EQ(put.code, S_OK);
    EXPECT_EQ(put.result.vt, VT_EMPTY);
    Outcome get;
    Call(get, probe::dispid::Name, DISPATCH_PROPERTYGET, {});
    ASSERT_EQ(get.code, S_OK);
    EXPECT_EQ(automation::BstrView(get.result.bstrVal), u"报表");
}

TEST_F(Dispatch, PropertyFunctionsAreReadAndWritten)
{
    Outcome put;
    Call(put, probe::dispid::Level, DISPATCH_PROPERTYPUT, { Text(u"5") }, { DISPID_PROPERTYPUT });
    ASSERT_EQ(put.code, S_OK);
    Outcome get;
    Call(get, probe::dispid::Level, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {});
    ASSERT_EQ(get.code, S_OK);
    EXPECT_EQ(get.result.vt, VT_I4);
    EXPECT_EQ(get.result.lVal, 5);
}

TEST_F(Dispatch, ReferencesAndArraysReachTheMember)
{
    LONG counter = 41;
    CVariant reference;
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &counter;
    Outcome increment;
    Call(increment, probe::dispid::Increment, DISPATCH_METHOD, { reference });
    ASSERT_EQ(increment.code, S_OK);
    EXPECT_EQ(counter, 42);
    reference.Detach();

    CVariant numbers;
    numbers.vt = VT_ARRAY | VT_I4;
    numbers.parray = SafeArrayCreateVector(VT_I4, 0, 3);
    for (LONG i = 0; i < 3; ++i)
        SafeArrayPutElement(numbers.parray, &i, &i);
    Outcome sum;
    Call(sum, probe::dispid::SumArray, DISPATCH_METHOD, { numbers });
    ASSERT_EQ(sum.code, S_OK);
    EXPECT_EQ(sum.result.lVal, 3);

    SAFEARRAY* array = numbers.parray;
    CVariant arrayReference;
    arrayReference.vt = VT_BYREF | VT_ARRAY | VT_I4;
    arrayReference.pparray = &array;
    Outcome count;
    Call(count, probe::dispid::CountByRefArray, DISPATCH_METHOD, { arrayReference });
    ASSERT_EQ(count.code, S_OK);
    EXPECT_EQ(count.result.lVal, 3);
    arrayReference.Detach();
}

TEST_F(Dispatch, ReturnedObjectsAreCallable)
{
    Outcome made;
    Call(made, probe::dispid::MakeChild, DISPATCH_METHOD, { Text(u"child") });
    ASSERT_EQ(made.code, S_OK);
    ASSERT_EQ(made.result.vt, VT_DISPATCH);
    Outcome name;
    Call(name, probe::dispid::Name, DISPATCH_PROPERTYGET, {}, {}, made.result.pdispVal);
    EXPECT_EQ(automation::BstrView(name.result.bstrVal), u"child");
}

TEST_F(Dispatch, InterfaceDescriptionFollowsTheTable)
{
    UINT count = 0;
    ASSERT_EQ(m_object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(m_object->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    ASSERT_EQ(m_object->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attributes->guid, probe::IID_IProbe);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_EQ(attributes->cFuncs, 26);
    EXPECT_EQ(attributes->cVars, 2);
    info->ReleaseTypeAttr(attributes);

    // SumArray takes a safe array of longs, CountByRefArray a pointer to one.
    FUNCDESC* sum = nullptr;
    ASSERT_EQ(info->GetFuncDesc(15, &sum), S_OK);
    EXPECT_EQ(sum->memid, probe::dispid::SumArray);
    EXPECT_EQ(sum->cParams, 1);
    EXPECT_EQ(sum->lprgelemdescParam[0].tdesc.vt, VT_SAFEARRAY);
    EXPECT_EQ(sum->lprgelemdescParam[0].tdesc.lptdesc->vt, VT_I4);
    EXPECT_EQ(sum->elemdescFunc.tdesc.vt, VT_I4);
    info->ReleaseFuncDesc(sum);
    FUNCDESC* byRef = nullptr;
    ASSERT_EQ(info->GetFuncDesc(18, &byRef), S_OK);
    EXPECT_EQ(byRef->lprgelemdescParam[0].tdesc.vt, VT_PTR);
    EXPECT_EQ(byRef->lprgelemdescParam[0].tdesc.lptdesc->vt, VT_SAFEARRAY);
    EXPECT_EQ(byRef->lprgelemdescParam[0].tdesc.lptdesc->lptdesc->vt, VT_I4);
    info->ReleaseFuncDesc(byRef);

    VARDESC* name = nullptr;
    ASSERT_EQ(info->GetVarDesc(0, &name), S_OK);
    EXPECT_EQ(name->memid, probe::dispid::Name);
    EXPECT_EQ(name->varkind, VAR_DISPATCH);
    EXPECT_EQ(name->elemdescVar.tdesc.vt, VT_BSTR);
    info->ReleaseVarDesc(name);

    BSTR names[6] = {};
    UINT got = 0;
    ASSERT_EQ(info->GetNames(probe::dispid::Describe, names, 6, &got), S_OK);
    ASSERT_EQ(got, 5u);
    EXPECT_EQ(automation::BstrView(names[0]), u"Describe");
    EXPECT_EQ(automation::BstrView(names[4]), u"flag");
    for (UINT i = 0; i < got; ++i)
        SysFreeString(names[i]);
    info->Release();
}

TEST_F(Dispatch, ClassDescriptionMarksTheDefaultInterface)
{
    IDispatch* object = Create(probe::Variant::Probe);
    ASSERT_NE(object, nullptr);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_EQ(attributes->guid, probe::ClassId(probe::Variant::Probe));
    ASSERT_EQ(attributes->cImplTypes, 2);
    info->ReleaseTypeAttr(attributes);
    INT flags[2] = { -1, -1 };
    EXPECT_EQ(info->GetImplTypeFlags(0, &flags[0]), S_OK);
    EXPECT_EQ(info->GetImplTypeFlags(1, &flags[1]), S_OK);
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(flags[1], IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE reference = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(1, &reference), S_OK);
    ITypeInfo* interfaceInfo = nullptr;
    ASSERT_EQ(info->GetRefTypeInfo(reference, &interfaceInfo), S_OK);
    ASSERT_EQ(interfaceInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, probe::IID_IProbe);
    interfaceInfo->ReleaseTypeAttr(attributes);
    interfaceInfo->Release();
    BSTR name = nullptr;
    BSTR help = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(automation::BstrView(help), u"Probe Class");
    SysFreeString(name);
    SysFreeString(help);
    info->Release();
    object->Release();
}

} // namespace
