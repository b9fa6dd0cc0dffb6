#include "platform/base/CodePage.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

TEST(SourceCharset, NarrowLiteralsAreCodePage936)
{
    EXPECT_EQ(std::string("输出"), Bytes({0xCA, 0xE4, 0xB3, 0xF6}));
}

struct AnsiCase {
    const char* name;
    std::string ansi;
    std::u16string utf16;
};

class AnsiToUtf16Test : public testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiToUtf16Test, Converts)
{
    EXPECT_EQ(base::AnsiToUtf16(GetParam().ansi), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnsiToUtf16Test,
    testing::Values(AnsiCase{"Empty", "", u""},
                    AnsiCase{"Ascii", "Orlan 1.0", u"Orlan 1.0"},
                    AnsiCase{"Chinese", Bytes({0xCA, 0xE4, 0xB3, 0xF6}), u"输出"},
                    AnsiCase{"Mixed", "a" + Bytes({0xCA, 0xE4}) + "b", u"a输b"},
                    AnsiCase{"EmbeddedNul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                    // A lead byte followed by a byte that cannot trail it: one
                    // replacement, then the rest as usual.
                    AnsiCase{"InvalidPair", Bytes({0x81, 0x20}) + "x", u"\uFFFD x"},
                    AnsiCase{"TruncatedAtEnd", "ok" + Bytes({0xCA}), u"ok\uFFFD"},
                    AnsiCase{"InvalidThenValid", Bytes({0xFF}) + Bytes({0xCA, 0xE4, 0xB3, 0xF6}), u"\uFFFD输出"}),
    [](const testing::TestParamInfo<AnsiCase>& info) { return std::string(info.param.name); });

TEST(Utf16ToAnsi, RoundTripsChinese)
{
    EXPECT_EQ(base::Utf16ToAnsi(u"数据集Setup"), std::string("数据集Setup"));
}

TEST(Utf16ToAnsi, UnmappableCharactersBecomeQuestionMarks)
{
    // U+1F600 and a lone surrogate cannot be held by code page 936.
    EXPECT_EQ(base::Utf16ToAnsi(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(base::Utf16ToAnsi(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x?y");
}

TEST(Utf8, ConvertsBothWaysThroughCodePage936)
{
    const std::string utf8 = "\xE8\xBE\x93\xE5\x87\xBA"; // 输出 in UTF-8, spelled as bytes
    EXPECT_EQ(base::Utf8ToAnsi(utf8), Bytes({0xCA, 0xE4, 0xB3, 0xF6}));
    EXPECT_EQ(base::AnsiToUtf8(Bytes({0xCA, 0xE4, 0xB3, 0xF6})), utf8);
}

TEST(Utf8, InvalidBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(base::Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(base::Utf8ToUtf16("\xC0\xAFz"), u"\uFFFD\uFFFDz");
    EXPECT_EQ(base::Utf8ToUtf16("\xED\xA0\x80!"), u"\uFFFD\uFFFD\uFFFD!");
    EXPECT_EQ(base::Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf16ToAnsi, LongTextKeepsEveryCharacter)
{
    std::u16string text;
    for (int i = 0; i < 10000; ++i)
        text += u"中a";
    std::string ansi = base::Utf16ToAnsi(text);
    EXPECT_EQ(ansi.size(), 30000u);
    EXPECT_EQ(base::AnsiToUtf16(ansi), text);
}

} // namespace
