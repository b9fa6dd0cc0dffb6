#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID Mendor { 0x9E526F70, 0xB183, 0x42A4, { 0x9E, 0xC5, 0x60, 0x71, 0x82, 0x93, 0xA4, 0xB5 } };

struct ParseCase {
    const char* name;
    const char* text;
    bool valid;
};

class GuidParse : public testing::TestWithParam<ParseCase> { };

TEST_P(GuidParse, ReadsOnlyWellFormedIdentifiers)
{
    const auto guid = automation::ParseGuid(std::string_view(GetParam().text));
    ASSERT_EQ(guid.has_value(), GetParam().valid);
    if (GetParam().valid) {
        EXPECT_EQ(*guid, Mendor);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GuidParse,
    testing::Values(ParseCase { "Braced", "{9E526F70-B183-42A4-9EC5-60718293A4B5}", true },
        ParseCase { "Bare", "9E526F70-B183-42A4-9EC5-60718293A4B5", true },
        ParseCase { "LowerCase", "{9e526f70-b183-42a4-9ec5-60718293a4b5}", true },
        ParseCase { "OpeningBraceOnly", "{9E526F70-B183-42A4-9EC5-60718293A4B5", false },
        ParseCase { "BlanksAroundBraces", " {9E526F70-B183-42A4-9EC5-60718293A4B5} ", false },
        ParseCase { "HyphenMoved", "9E526F7-0B183-42A4-9EC5-60718293A4B5", false },
        ParseCase { "NonHexDigit", "9E526F70-B183-42A4-9EC5-60718293A4BG", false },
        ParseCase { "AllHyphens", "------------------------------------", false }, ParseCase { "Empty", "", false }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GuidFormat, WritesUpperCaseWithAndWithoutBraces)
{
    EXPECT_EQ(automation::GuidToString(Mendor), "{9E526F70-B183-42A4-9EC5-60718293A4B5}");
    EXPECT_EQ(automation::GuidToString(Mendor, false), "9E526F70-B183-42A4-9EC5-60718293A4B5");
}

TEST(GuidFormat, PlatformCallsRoundTrip)
{
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(Mendor, text, 39), 39);
    CLSID back;
    ASSERT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_EQ(back, Mendor);
    EXPECT_EQ(StringFromGUID2(Mendor, text, 38), 0) << "no room for the terminator";
    EXPECT_EQ(CLSIDFromString(u"Mendor.Verup", &back), CO_E_CLASSSTRING);
    EXPECT_EQ(back, IID_NULL);
}

} // namespace
