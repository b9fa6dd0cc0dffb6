#include "platform/system/SuiteRoot.h"

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempSuiteRoot.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RootCase {
    const char* name;
    const char* root;     // relative to a scratch folder; nullptr unsets
    const char* dataHome; // likewise
    const char* home;     // likewise
    const char* expected; // relative to the scratch folder
};

const RootCase RootCases[] = {
    {"PlinthRootWins", "given/root", "data", "home", "given/root"},
    {"EmptyPlinthRootCountsAsUnset", "", "data", "home", "data/plinth"},
    {"DataHomeWithoutPlinthRoot", nullptr, "data", "home", "data/plinth"},
    {"HomeWithoutEither", nullptr, nullptr, "home", "home/.local/share/plinth"},
    {"EmptyDataHomeCountsAsUnset", nullptr, "", "home", "home/.local/share/plinth"},
};

class SuiteRootTest : public testing::TestWithParam<RootCase> {};

TEST_P(SuiteRootTest, ChoosesTheRootAndCreatesIt)
{
    test::TempSuiteRoot scratch;
    auto under = [&](const char* relative) -> std::optional<std::string> {
        if (!relative)
            return std::nullopt;
        return *relative ? (scratch.Path() / relative).string() : std::string();
    };
    auto root = under(GetParam().root), dataHome = under(GetParam().dataHome), home = under(GetParam().home);
    test::ScopedEnvironment variables;
    variables.Set("PLINTH_ROOT", root ? root->c_str() : nullptr);
    variables.Set("XDG_DATA_HOME", dataHome ? dataHome->c_str() : nullptr);
    variables.Set("HOME", home ? home->c_str() : nullptr);
    fs::path expected = scratch.Path() / GetParam().expected;
    EXPECT_EQ(sys::SuiteRoot(), expected.string());
    EXPECT_TRUE(fs::is_directory(expected));
    EXPECT_EQ(sys::SystemDirectory(), (expected / "system").string());
    EXPECT_TRUE(fs::is_directory(expected / "system"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SuiteRootTest, testing::ValuesIn(RootCases),
                         [](const testing::TestParamInfo<RootCase>& info) { return info.param.name; });

TEST(SystemDirectoryTest, FollowsThePlatformsBufferRules)
{
    test::TempSuiteRoot root;
    std::string expected = (root.Path() / "system").string();
    char small[4];
    EXPECT_EQ(GetSystemDirectoryA(small, sizeof small), expected.size() + 1);
    EXPECT_EQ(GetSystemDirectoryA(nullptr, 0), expected.size() + 1);
    std::vector<char> exact(expected.size() + 1);
    EXPECT_EQ(GetSystemDirectoryA(exact.data(), static_cast<UINT>(exact.size())), expected.size());
    EXPECT_EQ(std::string(exact.data()), expected);
}

TEST(SystemDirectoryTest, RootThatCannotBeCreatedGivesAnError)
{
    test::TempSuiteRoot scratch;
    fs::path file = scratch.Path() / "file";
    std::ofstream(file) << "x";
    test::ScopedEnvironment variables;
    variables.Set("PLINTH_ROOT", (file / "root").string());
    EXPECT_EQ(sys::SuiteRoot(), "");
    char buffer[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 0u);
}

} // namespace
