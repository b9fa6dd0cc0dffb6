#include "platform/system/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    const char* commandLine;
    std::vector<std::string> arguments;
};

// Raw strings keep the backslashes and quotes exactly as a caller writes them.
const SplitCase SplitCases[] = {
    {"PlainWords", R"(prog a b c)", {"prog", "a", "b", "c"}},
    {"BlanksAndTabsSeparate", "prog  a\t b ", {"prog", "a", "b"}},
    {"QuotesGroupBlanks", R"(prog "a b" c)", {"prog", "a b", "c"}},
    {"QuotedProgramName", R"("/opt/my prog/run" x)", {"/opt/my prog/run", "x"}},
    {"BackslashesInProgramNameArePlain", R"(a\b\" c)", {R"(a\b\ c)"}},
    {"BackslashesBeforeOtherCharactersStay", R"(p a\\b c\d)", {"p", R"(a\\b)", R"(c\d)"}},
    {"EvenBackslashesBeforeQuoteHalveAndGroup", R"(p a\\"b c")", {"p", R"(a\b c)"}},
    {"OddBackslashesBeforeQuoteGiveLiteralQuote", R"(p a\\\"b)", {"p", R"(a\"b)"}},
    {"EscapedQuotes", R"(p \"x\")", {"p", R"("x")"}},
    {"EmptyQuotedArgument", R"(p "" x)", {"p", "", "x"}},
    {"DoubledQuoteInsideQuotes", R"(p "a""b")", {"p", R"(a"b)"}},
    {"LeadingBlankMakesEmptyProgramName", " 1234", {"", "1234"}},
    {"EmptyText", "", {""}},
    {"UnclosedQuoteRunsToTheEnd", R"(p "a b)", {"p", "a b"}},
    {"TrailingBackslash", R"(p a\)", {"p", R"(a\)"}},
    // 乗 is the bytes 81 5C in code page 936: its second byte is no backslash.
    {"DoubleByteCharacterEndingInBackslashByte", R"(p "乗" x)", {"p", "乗", "x"}},
    {"DoubleByteProgramName", "报表 参数", {"报表", "参数"}},
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheArgumentsTheCallerMeant)
{
    EXPECT_EQ(sys::SplitCommandLine(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitCommandLineTest, testing::ValuesIn(SplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

} // namespace
