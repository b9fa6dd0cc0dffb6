#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/Text.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/platform/ui/UiFixture.h"

#include <QMenuBar>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// Sets the locale variables for one test and restores them afterwards.
class Locale {
public:
    explicit Locale(const char* lang)
    {
        for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("LANG", lang, 1);
    }
    ~Locale()
    {
        for (auto& [name, value] : m_saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

struct LanguageCase {
    const char* name;
    const char* lang;
    bool english;
    bool chinese;
    const char* expected;
};

class ResourceLanguageTest : public testing::TestWithParam<LanguageCase> {
protected:
    void SetUp() override { ui::CResourceTable::Instance().Clear(); }
    void TearDown() override { ui::CResourceTable::Instance().Clear(); }
};

TEST_P(ResourceLanguageTest, CopyFollowsSystemLanguageAndFallsBackToTheOther)
{
    const LanguageCase& c = GetParam();
    Locale locale(c.lang);
    ui::CResourceTable& resources = ui::CResourceTable::Instance();
    if (c.english) {
        resources.AddString(57345, ui::LanguageEnglish, "Tessel Report ActiveX Control");
        resources.AddMenu(128, ui::LanguageEnglish, { { ui::MenuItem::Popup("File(&F)", {}) } });
    }
    if (c.chinese) {
        resources.AddString(57345, ui::LanguageChinese, "欢迎使用Plinth制表工具");
        resources.AddMenu(128, ui::LanguageChinese, { { ui::MenuItem::Popup("文件(&F)", {}) } });
    }
    EXPECT_EQ(resources.LoadString(57345), c.expected);
    ASSERT_NE(resources.FindMenu(128), nullptr);
    EXPECT_EQ(resources.FindMenu(128)->popups.front().text,
        std::string(c.expected) == "Tessel Report ActiveX Control" ? "File(&F)" : "文件(&F)");
}

INSTANTIATE_TEST_SUITE_P(Locales, ResourceLanguageTest,
    testing::Values(LanguageCase { "ChineseSystem", "zh_CN.UTF-8", true, true, "欢迎使用Plinth制表工具" },
        LanguageCase { "EnglishSystem", "en_US.UTF-8", true, true, "Tessel Report ActiveX Control" },
        LanguageCase { "TaiwanIsChinese", "zh_TW.UTF-8", true, true, "欢迎使用Plinth制表工具" },
        LanguageCase { "GermanGetsEnglish", "de_DE.UTF-8", true, true, "Tessel Report ActiveX Control" },
        LanguageCase { "ChineseFallsBackToEnglish", "zh_CN.UTF-8", true, false, "Tessel Report ActiveX Control" },
        LanguageCase { "EnglishFallsBackToChinese", "en_US.UTF-8", false, true, "欢迎使用Plinth制表工具" }),
    [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(ResourceStringTest, PromptAndTipAreTheTwoPartsOfACommandString)
{
    ui::CResourceTable& resources = ui::CResourceTable::Instance();
    resources.Clear();
    resources.AddString(32798, ui::LanguageEnglish, "Unmerge Cells\nUnmerge  Cells");
    resources.AddString(32900, ui::LanguageEnglish, "Prompt only");
    EXPECT_EQ(resources.Prompt(32798), "Unmerge Cells");
    EXPECT_EQ(resources.ToolTip(32798), "Unmerge  Cells");
    EXPECT_EQ(resources.Prompt(32900), "Prompt only");
    EXPECT_EQ(resources.ToolTip(32900), "");
    EXPECT_EQ(resources.Prompt(1), "");
    resources.Clear();
}

class FrameLanguageTest : public uitest::UiFixture { };

TEST_F(FrameLanguageTest, FrameBuildsTheMenuOfTheUserLanguage)
{
    ui::CResourceTable::Instance().AddMenu(uitest::FrameResource, ui::LanguageChinese,
        { { ui::MenuItem::Popup("文件(&F)", { ui::MenuItem::Command(ID_FILE_NEW, "新建(&N)\tCtrl+N") }) } });
    {
        Locale chinese("zh_CN.UTF-8");
        Frame().LoadFrame(uitest::FrameResource);
        EXPECT_EQ(ui::FromQString(Frame().menuBar()->actions().front()->text()), "文件(&F)");
    }
    Locale english("en_US.UTF-8");
    Frame().LoadFrame(uitest::FrameResource);
    EXPECT_EQ(Frame().menuBar()->actions().front()->text().toStdString(), "&File");
}

} // namespace
