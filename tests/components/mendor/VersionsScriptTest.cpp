// scripts/examples/versions.js as a user runs it with plinth-script.

#include "ClassRoot.h"
#include "UpgradeFixture.h"
#include "tests/support/ChildProgram.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> RunScript(const std::vector<std::string>& arguments, int& exitCode)
{
    std::vector<std::string> all { PLINTH_VERSIONS_SCRIPT };
    all.insert(all.end(), arguments.begin(), arguments.end());
    test::ChildProgram script(PLINTH_SCRIPT_HOST, all);
    std::vector<std::string> lines;
    std::string line;
    while (script.ReadLine(line))
        lines.push_back(line);
    exitCode = script.Wait();
    return lines;
}

class VersionsScriptTest : public test::UpgradeFixture { };

TEST_F(VersionsScriptTest, PrintsTheVersionsOfTheComponentsNamed)
{
    ASSERT_EQ(test::RegisterWithRegsvr(PLINTH_REGSVR, PLINTH_MENDOR_COMPONENT), 0);
    ASSERT_EQ(test::RegisterWithRegsvr(PLINTH_REGSVR, PLINTH_MENDOR_OLD_PROBE), 0);
    int exitCode = -1;
    const auto lines = RunScript({ "Mendor.Verup", "Probe.Widget", "Kaldra.Setup" }, exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(lines,
        (std::vector<std::string> { "Mendor.Verup\t1.1.0.1\t" + fs::canonical(PLINTH_MENDOR_COMPONENT).string(),
            "Probe.Widget\t1.0.0.3\t" + fs::canonical(PLINTH_MENDOR_OLD_PROBE).string(),
            "Kaldra.Setup\tnot installed" }));
}

TEST_F(VersionsScriptTest, ListsTheWholeSuiteByDefault)
{
    ASSERT_EQ(test::RegisterWithRegsvr(PLINTH_REGSVR, PLINTH_MENDOR_COMPONENT), 0);
    int exitCode = -1;
    const auto lines = RunScript({}, exitCode);
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front(), "Tessel.Tessel\tnot installed");
    EXPECT_TRUE(lines.back().starts_with("Mendor.Verup\t1.1.0.1\t")) << lines.back();
}

TEST_F(VersionsScriptTest, WithoutMendorTheScriptSaysSo)
{
    int exitCode = -1;
    RunScript({ "Kaldra.Setup" }, exitCode);
    EXPECT_EQ(exitCode, 1);
}

} // namespace
