#include "outside/verup/InstallTarget.h"

#include "tests/support/TempSuiteRoot.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// {ROOT} is the suite root, {APP} the folder of the program being updated
// (outside the suite root); an empty path means refused.
struct TargetCase {
    const char* name;
    verup::UpdateEntry::Kind kind;
    const char* installDir;
    const char* path;
};

const TargetCase TargetCases[] = {
    { "SystemDirectoryMark", verup::UpdateEntry::Component, "GetSystemDirectory()\\Kaldra.dll",
        "{ROOT}/system/Kaldra.dll" },
    { "MarkInAnyCaseAndSlashes", verup::UpdateEntry::Component, "getsystemdirectory()/sub\\Kaldra.dll",
        "{ROOT}/system/sub/Kaldra.dll" },
    { "InsideTheSuiteRoot", verup::UpdateEntry::Component, "{ROOT}\\plugins\\Tessel.dll", "{ROOT}/plugins/Tessel.dll" },
    { "ProgramFolder", verup::UpdateEntry::Component, "{APP}/Helper.dll", "{APP}/Helper.dll" },
    { "ClimbsWithinTheFolder", verup::UpdateEntry::Component, "{APP}/sub/../Helper.dll", "{APP}/Helper.dll" },
    { "ProgramWithoutInstallDir", verup::UpdateEntry::Program, "", "{APP}/Plinth" },
    { "ComponentWithoutInstallDir", verup::UpdateEntry::Component, "", "" },
    { "Elsewhere", verup::UpdateEntry::Component, "/etc/passwd", "" },
    { "ClimbsOut", verup::UpdateEntry::Component, "{ROOT}/system/../../escape.dll", "" },
    { "SiblingWithTheRootsPrefix", verup::UpdateEntry::Component, "{ROOT}-other/x.dll", "" },
    { "Relative", verup::UpdateEntry::Component, "system/Kaldra.dll", "" },
    { "MarkWithoutFile", verup::UpdateEntry::Component, "GetSystemDirectory()", "" },
    { "FolderPath", verup::UpdateEntry::Component, "{ROOT}/system/", "" },
    { "ExistingFolder", verup::UpdateEntry::Component, "{ROOT}/system", "" },
    { "TheRootItself", verup::UpdateEntry::Component, "{ROOT}", "" },
    { "ThroughALinkOutside", verup::UpdateEntry::Component, "{ROOT}/link/x.dll", "" },
};

class InstallTargetTest : public testing::TestWithParam<TargetCase> {
protected:
    void SetUp() override
    {
        m_app = fs::path(m_root.String() + "-app");
        fs::create_directories(m_app);
        fs::create_directories(m_root.Path() / "system");
        fs::create_directory_symlink(fs::temp_directory_path(), m_root.Path() / "link");
    }
    void TearDown() override { fs::remove_all(m_app); }

    std::string Expand(std::string text) const
    {
        for (const auto& [mark, value] : { std::pair<std::string, std::string> { "{ROOT}", m_root.String() },
                 std::pair<std::string, std::string> { "{APP}", m_app.string() } }) {
            for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
                text.replace(at, mark.size(), value);
        }
        return text;
    }

    test::TempSuiteRoot m_root;
    fs::path m_app;
};

TEST_P(InstallTargetTest, ResolvesOrRefuses)
{
    const TargetCase& c = GetParam();
    verup::UpdateDescription description;
    verup::UpdateEntry program;
    program.kind = verup::UpdateEntry::Program;
    program.fileName = Expand("{APP}/Plinth");
    description.entries.push_back(program);
    verup::UpdateEntry entry = c.kind == verup::UpdateEntry::Program ? program : verup::UpdateEntry {};
    entry.installDir = Expand(c.installDir);
    description.entries.push_back(entry);

    const verup::CInstallTarget target(description);
    std::string path;
    std::string error;
    const bool resolved = target.Resolve(entry, path, error);
    EXPECT_EQ(resolved, *c.path != '\0') << error;
    if (resolved) {
        EXPECT_EQ(path, fs::weakly_canonical(Expand(c.path)).string());
    } else {
        EXPECT_FALSE(error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(InstallDirs, InstallTargetTest, testing::ValuesIn(TargetCases),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
