#include "platform/automation/Bstr.h"

#include <gtest/gtest.h>

namespace {

TEST(Bstr, CarriesItsLengthAndATerminator)
{
    BSTR text = SysAllocString(u"Verup");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 5u);
    EXPECT_EQ(SysStringByteLen(text), 10u);
    EXPECT_EQ(text[5], u'\0');
    SysFreeString(text);
}

TEST(Bstr, KeepsEmbeddedNulsByLength)
{
    const char16_t units[] = { u'a', u'\0', u'b' };
    BSTR text = SysAllocStringLen(units, 3);
    EXPECT_EQ(automation::BstrView(text), std::u16string_view(units, 3));
    SysFreeString(text);
}

TEST(Bstr, NullIsTheEmptyString)
{
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_TRUE(automation::BstrView(nullptr).empty());
    SysFreeString(nullptr);
}

TEST(Bstr, ByteLengthMayBeOdd)
{
    BSTR bytes = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(bytes), 3u);
    EXPECT_EQ(SysStringLen(bytes), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes)), "abc");
    SysFreeString(bytes);
}

TEST(Bstr, ReAllocReplacesTheText)
{
    BSTR text = SysAllocString(u"old");
    ASSERT_TRUE(SysReAllocString(&text, u"newer"));
    EXPECT_EQ(automation::BstrView(text), u"newer");
    SysFreeString(text);
}

TEST(Bstr, ConvertsCodePage936BothWays)
{
    const std::string ansi = "输出代码";
    automation::CBstr text = automation::CBstr::Adopt(automation::AllocBstrFromAnsi(ansi));
    EXPECT_EQ(text.View(), u"输出代码");
    EXPECT_EQ(automation::BstrToAnsi(text.Get()), ansi);
    EXPECT_EQ(automation::BstrToUtf8(text.Get()), "\xE8\xBE\x93\xE5\x87\xBA\xE4\xBB\xA3\xE7\xA0\x81");
}

} // namespace
