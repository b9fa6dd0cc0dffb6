#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"
#include "tools/regsvr/Registration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

struct RegsvrCase {
    const char* name;
    std::vector<std::string> arguments; // "<probe>", "<text>", "<dir>", "<nac>" stand for files
    int exitCode;
    std::string output; // expected on standard output, "" for nothing
    std::string errors; // expected on standard error
};

class Regsvr : public testing::TestWithParam<RegsvrCase> {
protected:
    std::string Resolve(const std::string& argument)
    {
        if (argument == "<probe>")
            return test::ProbeComponentPath();
        if (argument == "<nac>")
            return test::NotAComponentPath();
        if (argument == "<dir>")
            return m_root.String();
        if (argument == "<text>") {
            const std::string path = (m_root.Path() / "Notes.dll").string();
            std::ofstream(path) << "not a component\n";
            return path;
        }
        return argument;
    }

    test::TempSuiteRoot m_root;
};

TEST_P(Regsvr, ReportsTheOutcomeAndExitCode)
{
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().arguments)
        arguments.push_back(Resolve(argument));
    const test::ProgramResult result = test::RunProgram(test::RegsvrPath(), arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.output << result.errors;
    if (GetParam().output.empty())
        EXPECT_EQ(result.output, "");
    else
        EXPECT_NE(result.output.find(GetParam().output), std::string::npos) << result.output;
    if (GetParam().errors.empty())
        EXPECT_EQ(result.errors, "");
    else
        EXPECT_NE(result.errors.find(GetParam().errors), std::string::npos) << result.errors;
}

INSTANTIATE_TEST_SUITE_P(Cases, Regsvr,
    testing::Values(RegsvrCase { "Registers", { "<probe>" }, 0, "DllRegisterServer in ", "" },
        RegsvrCase { "Unregisters", { "/u", "<probe>" }, 0, "DllUnregisterServer in ", "" },
        RegsvrCase { "SilentSuccessSaysNothing", { "/s", "<probe>" }, 0, "", "" },
        RegsvrCase { "OptionsInAnyOrderAndCase", { "-U", "/S", "<probe>" }, 0, "", "" },
        RegsvrCase { "NoFile", {}, 1, "", "Usage: regsvr [/s] [/u] FILE" },
        RegsvrCase { "TwoFiles", { "<probe>", "<probe>" }, 1, "", "Usage:" },
        RegsvrCase { "MissingFile", { "/nonexistent/Gone.dll" }, 2, "/nonexistent/Gone.dll is not a file.", "" },
        RegsvrCase { "Folder", { "<dir>" }, 2, "is not a file.", "" },
        RegsvrCase { "TextFile", { "<text>" }, 3, "is not a component: it cannot be loaded", "" },
        RegsvrCase { "SharedObjectWithoutEntryPoints", { "<nac>" }, 4,
            "is not a component: it has no DllRegisterServer entry point.", "" },
        RegsvrCase { "SilentFailureStillExplains", { "/s", "<text>" }, 3, "", "is not a component" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegsvrFailure, EntryPointFailureGivesItsCode)
{
    // A suite root that cannot be made (a file stands in its place) leaves the
    // component nowhere to write its keys.
    test::TempSuiteRoot root;
    const std::string blocked = (root.Path() / "blocked").string();
    std::ofstream(blocked) << "x";
    setenv("PLINTH_ROOT", (blocked + "/root").c_str(), 1);
    const test::ProgramResult result = test::RunProgram(test::RegsvrPath(), { test::ProbeComponentPath() });
    setenv("PLINTH_ROOT", root.String().c_str(), 1);
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_NE(result.output.find("DllRegisterServer in " + test::ProbeComponentPath() + " failed with 0x80040201"),
        std::string::npos)
        << result.output;
}

TEST(RegsvrArguments, ParsesOptionsAndOneFile)
{
    const auto options = regsvr::ParseArguments({ "/u", "-s", "/abs/Kaldra.dll" });
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->unregister);
    EXPECT_TRUE(options->silent);
    EXPECT_EQ(options->file, "/abs/Kaldra.dll");
    EXPECT_FALSE(regsvr::ParseArguments({ "/s" }));
    EXPECT_FALSE(regsvr::ParseArguments({ "a.dll", "b.dll" }));
}

} // namespace
