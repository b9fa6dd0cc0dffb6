#include "tools/script/DispatchBridge.h"
#include "tests/platform/automation/probe/ProbeIds.h"
#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

using automation::CVariant;

class DispatchBridge : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "plinth_script_tests";
        static char* argv[] = { name, nullptr };
        static QCoreApplication application(argc, argv);
    }

    void SetUp() override
    {
        ASSERT_EQ(test::RegisterProbe().exitCode, 0);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override
    {
        m_bridge.reset();
        CoUninitialize();
    }

    test::TempSuiteRoot m_root;
    QJSEngine m_engine;
    std::unique_ptr<CDispatchBridge> m_bridge = std::make_unique<CDispatchBridge>(m_engine);
};

struct ToVariantCase {
    const char* name;
    const char16_t* script;
    VARTYPE type;
    const char16_t* text; // the value as VariantChangeType writes it; null to skip
};

class ScriptToVariant : public DispatchBridge, public testing::WithParamInterface<ToVariantCase> { };

TEST_P(ScriptToVariant, PicksTheVariantType)
{
    CVariant value;
    ASSERT_EQ(m_bridge->ToVariant(m_engine.evaluate(QString::fromUtf16(GetParam().script)), value), S_OK);
    EXPECT_EQ(value.vt, GetParam().type);
    if (GetParam().text) {
        CVariant text;
        ASSERT_EQ(VariantChangeType(&text, &value, 0, VT_BSTR), S_OK);
        EXPECT_EQ(automation::BstrView(text.bstrVal), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptToVariant,
    testing::Values(ToVariantCase { "Undefined", u"undefined", VT_EMPTY, u"" },
        ToVariantCase { "Null", u"null", VT_NULL, nullptr }, ToVariantCase { "True", u"true", VT_BOOL, u"-1" },
        ToVariantCase { "WholeNumber", u"42", VT_I4, u"42" }, ToVariantCase { "Fraction", u"2.5", VT_R8, u"2.5" },
        ToVariantCase { "BeyondLong", u"4294967296", VT_R8, u"4294967296" },
        ToVariantCase { "Text", u"'报表'", VT_BSTR, u"报表" },
        ToVariantCase { "Date", u"new Date(2023, 2, 15)", VT_DATE, u"2023-03-15" },
        ToVariantCase { "Array", u"[1, 'a']", VT_ARRAY | VT_VARIANT, nullptr },
        ToVariantCase { "PlainObject", u"({ toString: function () { return 'x'; } })", VT_BSTR, u"x" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DispatchBridge, FunctionsHaveNoVariantForm)
{
    CVariant value;
    EXPECT_EQ(m_bridge->ToVariant(m_engine.evaluate(QStringLiteral("(function () {})")), value), DISP_E_TYPEMISMATCH);
}

TEST_F(DispatchBridge, VariantsBecomeScriptValues)
{
    CVariant currency;
    currency.vt = VT_CY;
    currency.cyVal.int64 = 15000;
    EXPECT_EQ(m_bridge->ToScript(currency).toNumber(), 1.5);
    CVariant flag;
    flag.vt = VT_BOOL;
    flag.boolVal = 1; // a component answering 1 for true
    EXPECT_TRUE(m_bridge->ToScript(flag).toBool());
    EXPECT_TRUE(m_bridge->ToScript(CVariant()).isUndefined());
    EXPECT_TRUE(m_bridge->ToScript(CVariant::FromDispatch(nullptr)).isNull());
    CVariant list;
    list.vt = VT_ARRAY | VT_BSTR;
    list.parray = SafeArrayCreateVector(VT_BSTR, 1, 2);
    LONG index = 2;
    automation::CBstr second(u"two");
    SafeArrayPutElement(list.parray, &index, second.Get());
    const QJSValue array = m_bridge->ToScript(list);
    ASSERT_TRUE(array.isArray());
    EXPECT_EQ(array.property(QStringLiteral("length")).toInt(), 2);
    EXPECT_EQ(array.property(1).toString(), QStringLiteral("two"));
}

TEST_F(DispatchBridge, WrappedObjectGoesBackAsTheSameObject)
{
    const QJSValue probe = m_bridge->Create(QStringLiteral("PlinthTest.Probe"));
    ASSERT_TRUE(probe.isObject());
    IDispatch* object = m_bridge->Unwrap(probe);
    ASSERT_NE(object, nullptr);
    CVariant value;
    ASSERT_EQ(m_bridge->ToVariant(probe, value), S_OK);
    EXPECT_EQ(value.vt, VT_DISPATCH);
    EXPECT_EQ(value.pdispVal, object);
    EXPECT_TRUE(probe.property(QStringLiteral("Join3")).isCallable());
    EXPECT_FALSE(probe.property(QStringLiteral("Extra")).isCallable()) << "only the default interface";
}

} // namespace
