#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ScriptHost : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::RegisterProbe().exitCode, 0); }

    // Writes the script (UTF-8 text unless given as raw bytes) and runs it.
    test::ProgramResult Run(const std::string& script, std::vector<std::string> arguments = {})
    {
        m_script = (m_root.Path() / "test.js").string();
        std::ofstream(m_script, std::ios::binary) << script;
        arguments.insert(arguments.begin(), m_script);
        return test::RunProgram(PLINTH_SCRIPT, arguments);
    }

    test::TempSuiteRoot m_root;
    std::string m_script;
};

// Scripts are written with UTF-8 bytes: the sources' narrow literals are code page 936.
const std::string Output = "\xE8\xBE\x93\xE5\x87\xBA"; // 输出

TEST_F(ScriptHost, CreatesAComponentCallsItAndPrints)
{
    const auto result = Run("var probe = new ActiveXObject('PlinthTest.Probe');\n"
                            "WScript.Echo(probe.Join3('a', 'b', '"
        + Output
        + "'), probe.EchoI4(7) + 1);\n"
          "probe.Name = 'report';\n"
          "probe.Level = 4;\n"
          "WScript.Echo(probe.Name, probe.Level, probe.EchoBool(true), probe.EchoR8(2.5));\n"
          "var child = probe.MakeChild('child');\n"
          "WScript.Echo(child.Name, probe.EchoDispatch(child).Name, probe.SumArray([1, 2, 3]));\n"
          "WScript.Echo(probe.Nothing() === undefined, probe.EchoVariant(null));\n");
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, "ab" + Output + " 8\nreport 4 true 2.5\nchild child 6\ntrue null\n");
    EXPECT_EQ(result.errors, "");
}

TEST_F(ScriptHost, UncaughtFailureReportsFileLineAndCode)
{
    const auto result = Run("var probe = new ActiveXObject('PlinthTest.Probe');\n"
                            "WScript.Echo('before');\n"
                            "probe.Fail();\n"
                            "WScript.Echo('after');\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, "before\n");
    EXPECT_EQ(result.errors,
        m_script
            + ":3: Fail failed: 0x80020009 (exception occurred), 0x80004005 "
              "(unspecified error): Probe failure\n");
}

struct FailureCase {
    const char* name;
    const char* call;
    const char* message;
};

class ScriptFailure : public ScriptHost, public testing::WithParamInterface<FailureCase> { };

TEST_P(ScriptFailure, ThrowsAnErrorWithCodeAndDescription)
{
    const auto result = Run(std::string("var probe = new ActiveXObject('PlinthTest.Probe');\n"
                                        "try { ")
        + GetParam().call + "; } catch (e) { WScript.Echo(e.message); }\n");
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, std::string(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptFailure,
    testing::Values(FailureCase { "Deferred", "probe.FailDeferred()",
                        "FailDeferred failed: 0x80020009 (exception occurred), 0x80040A01: Deferred probe failure" },
        FailureCase { "ParameterCount", "probe.Join3('a')", "Join3 failed: 0x8002000E (invalid number of parameters)" },
        FailureCase { "TypeMismatch", "probe.EchoI4('seven')", "EchoI4 failed: 0x80020005 (type mismatch)" },
        FailureCase { "UnknownProgId", "new ActiveXObject('No.Such')",
            "new ActiveXObject(\"No.Such\") failed: 0x800401F3 (invalid class string)" },
        FailureCase { "UnknownNameWithoutTypeDescription", "new ActiveXObject('PlinthTest.NoTypeInfo').Nope()",
            "Nope failed: 0x80020006 (unknown name)" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptHost, ObjectWithoutTypeDescriptionIsReachedByName)
{
    const auto result = Run("var probe = new ActiveXObject('PlinthTest.NoTypeInfo');\n"
                            "probe.name = 'x';\n"
                            "WScript.Echo(probe.JOIN3('a', 'b', 'c'), probe.Name());\n");
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, "abc x\n");
}

TEST_F(ScriptHost, ArgumentsAndQuit)
{
    const auto result = Run("var a = WScript.Arguments;\n"
                            "WScript.Echo(a.length, a.Count(), a(0), a.Item(1), a[1]);\n"
                            "WScript.Quit(3);\n"
                            "WScript.Echo('not reached');\n",
        { "first", "second" });
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output, "2 2 first second second\n");
}

TEST_F(ScriptHost, CodePage936ScriptIsReadAsSuch)
{
    // 输出 in code page 936, which is not UTF-8.
    const auto result = Run("WScript.Echo('\xCA\xE4\xB3\xF6');\n");
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, Output + "\n");
}

TEST_F(ScriptHost, MissingScriptOrArgumentsFail)
{
    const auto missing = test::RunProgram(PLINTH_SCRIPT, { (m_root.Path() / "none.js").string() });
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.errors.find("cannot read the script"), std::string::npos);
    const auto usage = test::RunProgram(PLINTH_SCRIPT, {});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.errors.find("Usage: plinth-script FILE.js"), std::string::npos);
}

} // namespace
