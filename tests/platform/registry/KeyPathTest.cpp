#include "platform/registry/KeyPath.h"

#include "platform/base/Errors.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    const char* path;
    LONG error;
    std::vector<std::string> names;
};

const SplitCase SplitCases[] = {
    {"Empty", "", ERROR_SUCCESS, {}},
    {"OneName", "Software", ERROR_SUCCESS, {"Software"}},
    {"Nested", R"(CLSID\{9E526F70-B183-42A4-9EC5-60718293A4B5}\InprocServer32)", ERROR_SUCCESS,
     {"CLSID", "{9E526F70-B183-42A4-9EC5-60718293A4B5}", "InprocServer32"}},
    {"TrailingSeparatorAllowed", R"(Software\Plinth\)", ERROR_SUCCESS, {"Software", "Plinth"}},
    {"LeadingSeparator", R"(\Software)", ERROR_BAD_PATHNAME, {}},
    {"EmptyNameInside", R"(Software\\Plinth)", ERROR_BAD_PATHNAME, {}},
    // 乗 is 81 5C in code page 936: its second byte does not split the name.
    {"DoubleByteCharacterEndingInBackslashByte", R"(软件\乗法\表)", ERROR_SUCCESS, {"软件", "乗法", "表"}},
};

class SplitKeyPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitKeyPathTest, SplitsOnSeparatorsOnly)
{
    std::vector<std::string> names;
    EXPECT_EQ(registry::SplitKeyPath(GetParam().path, names), GetParam().error);
    if (GetParam().error == ERROR_SUCCESS) {
        EXPECT_EQ(names, GetParam().names);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitKeyPathTest, testing::ValuesIn(SplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(FoldNameTest, FoldsAsciiLettersOnly)
{
    EXPECT_EQ(registry::FoldName("Mendor.Verup.1"), registry::FoldName("MENDOR.verup.1"));
    EXPECT_EQ(registry::FoldName("报表Ab"), registry::FoldName("报表aB"));
    // 丄 (81 41) and 乤 (81 61) differ only in a second byte that looks like
    // "A" and "a"; they are different names.
    EXPECT_NE(registry::FoldName("丄"), registry::FoldName("乤"));
}

} // namespace
