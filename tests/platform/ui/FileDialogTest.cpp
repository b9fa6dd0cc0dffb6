#include "platform/ui/FileDialog.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TestHook.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/support/TempSuiteRoot.h"

#include <QColorDialog>
#include <QFileDialog>
#include <gtest/gtest.h>

#include <fstream>

namespace {

struct FilterCase {
    const char* name;
    const char* filter;
    const char* expected;
};

class FilterTest : public testing::TestWithParam<FilterCase> { };

TEST_P(FilterTest, PlatformFilterBecomesNameFilters)
{
    EXPECT_EQ(ui::FilterToNameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, FilterTest,
    testing::Values(FilterCase { "one", "Orlan Report File(*.orn)|*.orn||", "Orlan Report File(*.orn) (*.orn)" },
        FilterCase { "chinese", "通用报表文件 (*.orn)|*.orn||", "通用报表文件 (*.orn) (*.orn)" },
        FilterCase { "two", "Text|*.txt|All|*.*||", "Text (*.txt);;All (*.*)" },
        FilterCase { "patternList", "Pictures|*.bmp;*.png||", "Pictures (*.bmp *.png)" },
        FilterCase { "empty", "", "" }, FilterCase { "unterminated", "Text|*.txt", "Text (*.txt)" }),
    [](const testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

class FileDialogRunTest : public testing::Test {
protected:
    test::TempSuiteRoot root;
    std::string Path(const char* name) const { return (root.Path() / name).string(); }
};

TEST_F(FileDialogRunTest, SaveAddsDefaultExtensionToATypedName)
{
    ui::CFileDialog dialog(
        false, "orn", Path("start.orn"), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Orlan Report File(*.orn)|*.orn||");
    std::string initial;
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        initial = window.ControlText(FILE_DIALOG_NAME_EDIT);
        window.SetControlText(FILE_DIALOG_NAME_EDIT, Path("report"));
        window.Press(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(initial, "start.orn");
    EXPECT_EQ(dialog.GetPathName(), Path("report.orn"));
    EXPECT_EQ(dialog.GetFileName(), "report.orn");
    EXPECT_EQ(dialog.GetFileExt(), "orn");
}

TEST_F(FileDialogRunTest, OpenReturnsTheChosenExistingFileAndCancelReturnsNothing)
{
    std::ofstream(Path("a.orn")) << "x";
    ui::CFileDialog dialog(true, "orn", "*.orn", OFN_FILEMUSTEXIST, "Orlan Report File(*.orn)|*.orn||");
    {
        ui::CTestHook hook([&](ui::CModalWindow& window) {
            window.SetControlText(FILE_DIALOG_NAME_EDIT, Path("a.orn"));
            window.Press(IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPathName(), Path("a.orn"));
    }
    ui::CFileDialog cancelled(true, "orn", "", OFN_FILEMUSTEXIST, "Orlan Report File(*.orn)|*.orn||");
    ui::CTestHook hook([](ui::CModalWindow& window) { window.Press(IDCANCEL); });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName(), "");
}

TEST_F(FileDialogRunTest, DerivedDialogEnlargesItselfWhenItStarts)
{
    struct Larger : ui::CFileDialog {
        Larger()
            : CFileDialog(true, "orn", "", 0, "Orlan Report File(*.orn)|*.orn||")
        {
        }
        QSize before;
        void OnInitDialog() override
        {
            before = GetDialog()->size();
            Enlarge(40, 120);
            EXPECT_NE(GetControl(FILE_DIALOG_FILE_LIST), nullptr);
            EXPECT_NE(GetControl(FILE_DIALOG_TYPE_COMBO), nullptr);
            EXPECT_EQ(GetControl(FILE_DIALOG_READ_ONLY), nullptr);
        }
    } dialog;
    QSize shown;
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        shown = window.Widget()->size();
        window.Press(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(shown, dialog.before + QSize(40, 120));
}

TEST(ColorDialogTest, AnswersTheChosenColourAsPlatformValue)
{
    ui::CColorDialog dialog(RGB(1, 2, 3), CC_FULLOPEN);
    ui::CTestHook hook([](ui::CModalWindow& window) {
        auto* colours = dynamic_cast<QColorDialog*>(window.Widget());
        ASSERT_NE(colours, nullptr);
        EXPECT_EQ(colours->currentColor(), QColor(1, 2, 3));
        colours->setCurrentColor(QColor(0x80, 0x40, 0x00));
        window.Press(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), 0x004080u);
}

} // namespace
