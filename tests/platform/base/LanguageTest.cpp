#include "platform/base/Language.h"
#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// Sets the three locale variables for one case; they are restored afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* all, const char* messages, const char* lang)
    {
        m_environment.Set("LC_ALL", all);
        m_environment.Set("LC_MESSAGES", messages);
        m_environment.Set("LANG", lang);
    }

private:
    test::ScopedEnvironment m_environment;
};

struct LocaleCase {
    const char* name;
    const char* all;
    const char* messages;
    const char* lang;
    LANGID expected;
};

class SystemLanguageTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(SystemLanguageTest, FollowsFirstNonEmptyVariable)
{
    const LocaleCase& c = GetParam();
    LocaleEnvironment environment(c.all, c.messages, c.lang);
    EXPECT_EQ(GetSystemDefaultLangID(), c.expected);
    EXPECT_EQ(base::IsChineseUserInterface(), PRIMARYLANGID(c.expected) == LANG_CHINESE);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemLanguageTest,
    testing::Values(LocaleCase{"Unset", nullptr, nullptr, nullptr, 0x0409},
                    LocaleCase{"C", nullptr, nullptr, "C", 0x0409},
                    LocaleCase{"Posix", nullptr, nullptr, "POSIX", 0x0409},
                    LocaleCase{"English", nullptr, nullptr, "en_US.UTF-8", 0x0409},
                    LocaleCase{"German", nullptr, nullptr, "de_DE.UTF-8", 0x0409},
                    LocaleCase{"ChinaUtf8", nullptr, nullptr, "zh_CN.UTF-8", 0x0804},
                    LocaleCase{"China", nullptr, nullptr, "zh_CN", 0x0804},
                    LocaleCase{"Taiwan", nullptr, nullptr, "zh_TW.UTF-8", 0x0404},
                    LocaleCase{"HongKong", nullptr, nullptr, "zh_HK", 0x0C04},
                    LocaleCase{"Singapore", nullptr, nullptr, "zh_SG.GB2312", 0x1004},
                    LocaleCase{"BareZh", nullptr, nullptr, "zh", 0x0804},
                    LocaleCase{"LcAllWins", "en_US.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", 0x0409},
                    LocaleCase{"MessagesBeforeLang", nullptr, "zh_CN.UTF-8", "en_US.UTF-8", 0x0804},
                    LocaleCase{"EmptyIsSkipped", "", "", "zh_TW", 0x0404},
                    LocaleCase{"NotAPrefixMatch", nullptr, nullptr, "zhx_CN", 0x0409}),
    [](const testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.name); });

TEST(SystemLanguage, IsEvaluatedEachTimeItIsAsked)
{
    LocaleEnvironment english(nullptr, nullptr, "en_US.UTF-8");
    EXPECT_FALSE(base::IsChineseUserInterface());
    setenv("LANG", "zh_CN.UTF-8", 1);
    EXPECT_TRUE(base::IsChineseUserInterface());
}

} // namespace
