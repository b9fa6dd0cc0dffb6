#include "designer/automation/LateBoundObject.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/platform/automation/probe/ProbeIds.h"
#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <functional>
#include <thread>

namespace {

using automation::CVariant;

// The probe's interface: 26 functions and 2 property variables.
constexpr LONG ProbeFunctions = 26;
constexpr LONG ProbeProperties = 2;

HRESULT InvokeIndex(CLateBoundObject& object, int index, ...)
{
    va_list arguments;
    va_start(arguments, index);
    const HRESULT hr = object.InvokeMember(index, arguments);
    va_end(arguments);
    return hr;
}

class LateBound : public testing::Test {
protected:
    void SetUp() override
    {
        const auto registered = test::RegisterProbe();
        ASSERT_EQ(registered.exitCode, 0) << registered.errors;
    }

    test::TempSuiteRoot m_root;
};

class LateBoundProbe : public LateBound {
protected:
    void SetUp() override
    {
        LateBound::SetUp();
        ASSERT_TRUE(m_object.Create("PlinthTest.Probe", 7)) << std::hex << m_object.LastResult();
    }

    CLateBoundObject m_object;
};

TEST_F(LateBoundProbe, ReadsTheDefaultInterfaceOfAClass)
{
    EXPECT_EQ(m_object.FunctionCount(), ProbeFunctions);
    EXPECT_EQ(m_object.PropertyCount(), ProbeProperties);
    EXPECT_EQ(m_object.MemberCount(), ProbeFunctions + 2 * ProbeProperties);
    const int join = m_object.FindMember("Join3", 1);
    ASSERT_GE(join, 0);
    const LateBoundMember& member = m_object.Member(join);
    EXPECT_EQ(member.dispatchId, probe::dispid::Join3);
    EXPECT_EQ(member.parameterCount, 3);
    EXPECT_EQ(member.parameterTypes, (std::vector<VARTYPE> { VT_BSTR, VT_BSTR, VT_BSTR, 0 }));
    EXPECT_EQ(m_object.FindMember("Extra", 1), -1) << "the non-default interface is not read";
}

TEST_F(LateBoundProbe, RecordsArraysAndPointersWithTheirFlags)
{
    EXPECT_EQ(m_object.Member(m_object.FindMember("SumArray", 1)).parameterTypes,
        (std::vector<VARTYPE> { VT_ARRAY + VT_I4, 0 }));
    EXPECT_EQ(m_object.Member(m_object.FindMember("Increment", 1)).parameterTypes,
        (std::vector<VARTYPE> { VT_BYREF + VT_I4, 0 }));
    EXPECT_EQ(m_object.Member(m_object.FindMember("CountByRefArray", 1)).parameterTypes,
        (std::vector<VARTYPE> { 0x6003, 0 }));
}

TEST_F(LateBoundProbe, LookupIsCaseSensitive)
{
    EXPECT_GE(m_object.FindMember("Join3", 1), 0);
    EXPECT_EQ(m_object.FindMember("join3", 1), -1);
    EXPECT_EQ(m_object.InvokeMethod("join3", "a", "b", "c"), nullptr);
    EXPECT_EQ(m_object.FindMember(std::string(122, 'a').c_str(), 1), -1) << "longer than a name buffer";
}

TEST_F(LateBoundProbe, PropertyVariableGivesReadAndWriteTwins)
{
    const int read = m_object.FindMember("Name", 2);
    const int write = m_object.FindMember("Name", 4);
    EXPECT_EQ(read, ProbeFunctions);
    EXPECT_EQ(write, ProbeFunctions + ProbeProperties);
    EXPECT_EQ(m_object.FindMember("Name", 1), -1);
    EXPECT_EQ(m_object.InvokeMethod("Name"), nullptr) << "InvokeMethod never calls a property";
    EXPECT_EQ(m_object.Member(write).parameterCount, 1);
    EXPECT_EQ(m_object.Member(write).parameterTypes, (std::vector<VARTYPE> { VT_BSTR, 0 }));
    EXPECT_EQ(m_object.Member(read).parameterCount, 0);

    ASSERT_EQ(InvokeIndex(m_object, write, "报表"), S_OK);
    ASSERT_EQ(InvokeIndex(m_object, read), S_OK);
    EXPECT_EQ(automation::BstrView(m_object.Member(read).result.bstrVal), u"报表");
}

TEST_F(LateBoundProbe, MethodWithoutParametersOrResultGivesAnEmptySlot)
{
    VARIANT* result = m_object.InvokeMethod("Nothing");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->vt, VT_EMPTY);
    EXPECT_EQ(m_object.LastResult(), S_OK);
}

TEST_F(LateBoundProbe, ArgumentsArriveInDeclarationOrder)
{
    VARIANT* result = m_object.InvokeMethod("Describe", 12, "abc", 2.5, TRUE);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(automation::BstrView(result->bstrVal), u"12|abc|2.5|-1");
}

TEST_F(LateBoundProbe, GbkTextArrivesAsUtf16)
{
    VARIANT* result = m_object.InvokeMethod("Join3", "输出", "代码", "");
    ASSERT_NE(result, nullptr);
    ASSERT_EQ(result->vt, VT_BSTR);
    EXPECT_EQ(automation::BstrView(result->bstrVal), u"输出代码");
}

struct ConversionCase {
    const char* name;
    std::function<VARIANT*(CLateBoundObject&)> call;
    VARTYPE type;
    std::function<bool(const VARIANT&)> check;
};

class LateBoundConversion : public LateBoundProbe, public testing::WithParamInterface<ConversionCase> { };

TEST_P(LateBoundConversion, ConvertsByTheDeclaredType)
{
    VARIANT* result = GetParam().call(m_object);
    ASSERT_NE(result, nullptr) << std::hex << m_object.LastResult();
    EXPECT_EQ(result->vt, GetParam().type);
    EXPECT_TRUE(GetParam().check(*result));
}

CY Currency(LONGLONG scaled)
{
    CY value;
    value.int64 = scaled;
    return value;
}

VARIANT TextVariant()
{
    static automation::CBstr text(u"inside");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = text.Get();
    return value;
}

INSTANTIATE_TEST_SUITE_P(Types, LateBoundConversion,
    testing::Values(ConversionCase { "ShortKeepsTheLow16Bits", [](auto& o) { return o.InvokeMethod("EchoI2", 70000); },
                        VT_I2, [](const VARIANT& v) { return v.iVal == 4464; } },
        ConversionCase { "Long", [](auto& o) { return o.InvokeMethod("EchoI4", -5); }, VT_I4,
            [](const VARIANT& v) { return v.lVal == -5; } },
        ConversionCase { "Float", [](auto& o) { return o.InvokeMethod("EchoR4", 1.5); }, VT_R4,
            [](const VARIANT& v) { return v.fltVal == 1.5f; } },
        ConversionCase { "Double", [](auto& o) { return o.InvokeMethod("EchoR8", 2.25); }, VT_R8,
            [](const VARIANT& v) { return v.dblVal == 2.25; } },
        ConversionCase { "Date", [](auto& o) { return o.InvokeMethod("EchoDate", 45000.5); }, VT_DATE,
            [](const VARIANT& v) { return v.date == 45000.5; } },
        ConversionCase { "Currency", [](auto& o) { return o.InvokeMethod("EchoCy", Currency(123456789012LL)); }, VT_CY,
            [](const VARIANT& v) { return v.cyVal.int64 == 123456789012LL; } },
        ConversionCase { "NonZeroIsTrue", [](auto& o) { return o.InvokeMethod("EchoBool", 5); }, VT_BOOL,
            [](const VARIANT& v) { return v.boolVal == VARIANT_TRUE; } },
        ConversionCase { "ZeroIsFalse", [](auto& o) { return o.InvokeMethod("EchoBool", 0); }, VT_BOOL,
            [](const VARIANT& v) { return v.boolVal == VARIANT_FALSE; } },
        ConversionCase { "ByteKeepsTheLow8Bits", [](auto& o) { return o.InvokeMethod("EchoUI1", 0x1FF); }, VT_UI1,
            [](const VARIANT& v) { return v.bVal == 0xFF; } },
        ConversionCase { "ErrorCode", [](auto& o) { return o.InvokeMethod("EchoError", static_cast<int>(E_FAIL)); },
            VT_ERROR, [](const VARIANT& v) { return v.scode == E_FAIL; } },
        ConversionCase { "NullString",
            [](auto& o) { return o.InvokeMethod("EchoBstr", static_cast<const char*>(nullptr)); }, VT_BSTR,
            [](const VARIANT& v) { return SysStringLen(v.bstrVal) == 0; } },
        ConversionCase { "VariantWithItsOwnTag", [](auto& o) { return o.InvokeMethod("EchoVariant", TextVariant()); },
            VT_BSTR, [](const VARIANT& v) { return automation::BstrView(v.bstrVal) == u"inside"; } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LateBoundProbe, ObjectsArraysAndReferencesPassAsPointers)
{
    IDispatch* self = m_object.Dispatch();
    VARIANT* echoed = m_object.InvokeMethod("EchoDispatch", self);
    ASSERT_NE(echoed, nullptr);
    EXPECT_EQ(echoed->vt, VT_DISPATCH);
    EXPECT_EQ(echoed->pdispVal, self);
    echoed = m_object.InvokeMethod("EchoUnknown", static_cast<IUnknown*>(self));
    ASSERT_NE(echoed, nullptr);
    EXPECT_EQ(echoed->punkVal, static_cast<IUnknown*>(self));

    SAFEARRAY* numbers = SafeArrayCreateVector(VT_I4, 0, 3);
    for (LONG i = 0; i < 3; ++i) {
        const LONG value = i + 1;
        SafeArrayPutElement(numbers, &i, &value);
    }
    VARIANT* sum = m_object.InvokeMethod("SumArray", numbers);
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->lVal, 6);
    VARIANT* count = m_object.InvokeMethod("CountByRefArray", &numbers);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->lVal, 3);
    SafeArrayDestroy(numbers);

    LONG counter = 9;
    ASSERT_NE(m_object.InvokeMethod("Increment", &counter), nullptr);
    EXPECT_EQ(counter, 10);
}

TEST_F(LateBoundProbe, ExceptionKeepsItsRecord)
{
    EXPECT_EQ(m_object.InvokeMethod("Fail"), nullptr);
    EXPECT_EQ(m_object.LastResult(), DISP_E_EXCEPTION);
    ASSERT_NE(m_object.Exception(), nullptr);
    EXPECT_EQ(automation::BstrView(m_object.Exception()->bstrDescription), probe::FailureDescription);
    EXPECT_NE(m_object.InvokeMethod("Nothing"), nullptr);
    EXPECT_EQ(m_object.Exception(), nullptr) << "a successful call drops the record";
}

TEST_F(LateBoundProbe, DeferredExceptionIsFilledIn)
{
    EXPECT_EQ(m_object.InvokeMethod("FailDeferred"), nullptr);
    ASSERT_NE(m_object.Exception(), nullptr);
    EXPECT_EQ(m_object.Exception()->scode, probe::DeferredCode);
    EXPECT_EQ(automation::BstrView(m_object.Exception()->bstrDescription), probe::DeferredDescription);
}

TEST_F(LateBoundProbe, OtherFailuresKeepNoRecord)
{
    EXPECT_EQ(m_object.InvokeMethod("FailWith", static_cast<int>(DISP_E_OVERFLOW)), nullptr);
    EXPECT_EQ(m_object.LastResult(), DISP_E_OVERFLOW);
    EXPECT_EQ(m_object.Exception(), nullptr);
}

TEST_F(LateBoundProbe, FailedCallLeavesTheResultSlotEmpty)
{
    const int index = m_object.FindMember("FailWith", 1);
    VARIANT* result = m_object.InvokeMethod("FailWith", 0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->vt, VT_I4);
    EXPECT_EQ(m_object.InvokeMethod("FailWith", static_cast<int>(E_FAIL)), nullptr);
    EXPECT_EQ(m_object.Member(index).result.vt, VT_EMPTY);
}

TEST_F(LateBoundProbe, IndexOutsideTheTableIsRefused)
{
    EXPECT_EQ(InvokeIndex(m_object, m_object.MemberCount()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(InvokeIndex(m_object, -1), DISP_E_MEMBERNOTFOUND);
}

struct CreateFailureCase {
    const char* name;
    const char* progId;
    HRESULT lastResult;
};

class LateBoundCreateFailure : public LateBound, public testing::WithParamInterface<CreateFailureCase> { };

TEST_P(LateBoundCreateFailure, LeavesNoUsableMembers)
{
    CLateBoundObject object;
    EXPECT_FALSE(object.Create(GetParam().progId, 7));
    EXPECT_EQ(object.LastResult(), GetParam().lastResult);
    EXPECT_EQ(object.MemberCount(), 0);
    EXPECT_EQ(object.InvokeMethod("Nothing"), nullptr);
}

const std::string LongName(122, 'P');

INSTANTIATE_TEST_SUITE_P(Cases, LateBoundCreateFailure,
    testing::Values(CreateFailureCase { "UnknownProgId", "Nobody.Here", CO_E_CLASSSTRING },
        CreateFailureCase { "NameTooLong", LongName.c_str(), CO_E_CLASSSTRING },
        CreateFailureCase { "NoTypeDescription", "PlinthTest.NoTypeInfo", E_NOTIMPL },
        CreateFailureCase { "EmptyTypeDescription", "PlinthTest.NullTypeInfo", S_FALSE },
        CreateFailureCase { "NoDefaultInterface", "PlinthTest.NoDefault", S_FALSE },
        CreateFailureCase { "DefaultInterfaceUnreachable", "PlinthTest.BrokenRef", E_ACCESSDENIED },
        CreateFailureCase { "FlagsUnreadable", "PlinthTest.UnreadableFlags", S_FALSE },
        CreateFailureCase { "NeitherInterfaceNorClass", "PlinthTest.WrongKind", S_FALSE },
        CreateFailureCase { "FunctionUnreadable", "PlinthTest.BadFunction", E_HANDLE },
        CreateFailureCase { "VariableUnreadable", "PlinthTest.BadVariable", E_ABORT }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LateBound, MissingServerFileFailsCreate)
{
    const std::string key = "CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, "/gone/Gone.dll", 14), ERROR_SUCCESS);
    const char* clsid = "{11111111-2222-3333-4444-555555555555}";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "Gone.Component\\CLSID", REG_SZ, clsid, 38), ERROR_SUCCESS);
    CLateBoundObject object;
    EXPECT_FALSE(object.Create("Gone.Component", 7));
    EXPECT_EQ(object.LastResult(), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}

TEST_F(LateBound, DispatchInterfaceIsReadDirectly)
{
    CLateBoundObject object;
    ASSERT_TRUE(object.Create("PlinthTest.Plain", 7));
    EXPECT_EQ(object.FunctionCount(), ProbeFunctions);
    EXPECT_NE(object.InvokeMethod("Nothing"), nullptr);
}

TEST_F(LateBound, LaterDefaultInterfaceReplacesAnEarlierOne)
{
    CLateBoundObject object;
    ASSERT_TRUE(object.Create("PlinthTest.LaterDefault", 7));
    EXPECT_EQ(object.FindMember("Extra", 1), -1);
    EXPECT_GE(object.FindMember("Join3", 1), 0);
}

TEST_F(LateBound, InterfaceTakenBeforeAFailureStaysTaken)
{
    CLateBoundObject object;
    ASSERT_TRUE(object.Create("PlinthTest.TakenThenBroken", 7));
    EXPECT_GE(object.FindMember("Join3", 1), 0);
}

TEST_F(LateBound, CreatingAgainReleasesTheFirstComponent)
{
    CLateBoundObject object;
    ASSERT_TRUE(object.Create("PlinthTest.Probe", 7));
    void* file = dlopen(test::ProbeComponentPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(file, nullptr);
    auto canUnload = reinterpret_cast<HRESULT (*)()>(dlsym(file, "DllCanUnloadNow"));
    EXPECT_EQ(canUnload(), S_FALSE);

    EXPECT_FALSE(object.Create("PlinthTest.NoDefault", 7));
    EXPECT_EQ(object.MemberCount(), 0) << "the first member table is gone";
    ASSERT_TRUE(object.Create("PlinthTest.Plain", 7));
    object.Clear();
    EXPECT_EQ(canUnload(), S_OK) << "no object of the component is alive";
    dlclose(file);
}

TEST_F(LateBound, EachObjectBalancesItsThreadInitialisation)
{
    HRESULT inside = E_FAIL;
    HRESULT after = S_OK;
    std::thread([&] {
        {
            CLateBoundObject object;
            inside = object.Create("PlinthTest.Plain", 7) ? S_OK : object.LastResult();
        }
        IDispatch* dispatch = nullptr;
        after = CoCreateInstance(probe::ClassId(probe::Variant::Plain), nullptr, CLSCTX_ALL, IID_IDispatch,
            reinterpret_cast<void**>(&dispatch));
    }).join();
    EXPECT_EQ(inside, S_OK);
    EXPECT_EQ(after, CO_E_NOTINITIALIZED);
}

} // namespace
