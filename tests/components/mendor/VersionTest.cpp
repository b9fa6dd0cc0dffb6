#include "components/mendor/Version.h"

#include "SiteServer.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* name;
    const char* text;
    bool read;
    std::vector<WORD> fields;
};

const ParseCase ParseCases[] = {
    { "Points", "1.2.0.3", true, { 1, 2, 0, 3 } },
    { "CommasAndBlanks", "1, 0, 0, 3", true, { 1, 0, 0, 3 } },
    { "OneNumber", "2", true, { 2 } },
    { "BlanksAround", "  1.0.0.6 ", true, { 1, 0, 0, 6 } },
    { "NoDigits", "abc", true, { 0 } },
    { "LeadingDigitsOnly", "3rc.7", true, { 3, 7 } },
    { "SeparatorsAlone", "...", false, {} },
    { "OneSeparator", ".", false, {} },
    { "TrailingSeparator", "1.2.", true, { 1, 2 } },
    { "DoubleSeparator", "1..2", true, { 1, 2 } },
    { "MoreThanFourFields", "1.2.3.4.5", true, { 1, 2, 3, 4, 5 } },
    { "WrapsAbove65535", "1.0.0.65536", true, { 1, 0, 0, 0 } },
    { "Negative", "-1", true, { 65535 } },
    { "Empty", "", false, {} },
    { "BlanksOnly", " \t ", false, {} },
};

class ParseVersionTest : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseVersionTest, ReadsFields)
{
    const ParseCase& c = GetParam();
    std::vector<WORD> fields { 9, 9 };
    EXPECT_EQ(mendor::ParseVersion(c.text, fields), c.read);
    EXPECT_EQ(fields, c.fields);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseVersionTest, testing::ValuesIn(ParseCases),
    [](const auto& info) { return std::string(info.param.name); });

struct CompareCase {
    const char* name;
    const char* installed;
    const char* offered;
    bool newer;
};

const CompareCase CompareCases[] = {
    { "Equal", "1,0,0,3", "1.0.0.3", false },
    { "OfferNewer", "1,0,0,3", "1.0.0.4", true },
    { "OfferOlder", "1,0,0,3", "1.0", false },
    { "ShortEqualsPadded", "1.0", "1.0.0.0", false },
    { "NumericNotTextual", "1.0.0.9", "1.0.0.10", true },
    { "FirstDifferenceDecides", "2.0.0.0", "1.9.9.9", false },
    { "FifthFieldIgnored", "1.0.0.0.1", "1.0.0.0.2", false },
    { "WrapCountsAsZero", "1.0.0.0", "1.0.0.65536", false },
    { "NothingInstalledAnyOffer", "0.0.0.0", "0.0.0.1", true },
    { "NothingInstalledZeroOffer", "0.0.0.0", "0.0.0.0", false },
    { "NothingInstalledEmptyOffer", "0.0.0.0", "", false },
    { "UnreadableInstalled", "", "0", true },
    { "BothUnreadable", "", "...", false },
    { "UnreadableOffer", "1.0", "", false },
};

class NeedsUpgradeTest : public testing::TestWithParam<CompareCase> { };

TEST_P(NeedsUpgradeTest, ComparesFourFields)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(mendor::NeedsUpgrade(c.installed, c.offered), c.newer);
}

INSTANTIATE_TEST_SUITE_P(Versions, NeedsUpgradeTest, testing::ValuesIn(CompareCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileVersionStringTest, ReadsTheRecordWithCommas)
{
    EXPECT_EQ(mendor::FileVersionString(PLINTH_MENDOR_OLD_PROBE), "1,0,0,3");
    EXPECT_EQ(mendor::FileVersionString(PLINTH_MENDOR_WIDE_VERSION), "65535,2,40000,4");
}

TEST(FileVersionStringTest, NoRecordReadsAsZeroWithPoints)
{
    test::TempSuiteRoot root;
    const std::string text = (root.Path() / "notes.txt").string();
    test::WriteFileBytes(text, "no version here");
    EXPECT_EQ(mendor::FileVersionString(""), "0.0.0.0");
    EXPECT_EQ(mendor::FileVersionString((root.Path() / "missing.dll").string()), "0.0.0.0");
    EXPECT_EQ(mendor::FileVersionString(text), "0.0.0.0");
    EXPECT_EQ(mendor::FileVersionString(root.String()), "0.0.0.0");
}

} // namespace
