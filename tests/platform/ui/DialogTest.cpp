#include "platform/ui/Dialog.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/TestHook.h"
#include "tests/platform/ui/QtEnvironment.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

using ui::ControlKind;
using ui::DialogControl;

constexpr WORD IDC_NAME = 1001;
constexpr WORD IDC_COUNT = 1002;
constexpr WORD IDC_BOLD = 1003;
constexpr WORD IDC_LEFT = 1004;
constexpr WORD IDC_CENTRE = 1005;
constexpr WORD IDC_RIGHT = 1006;
constexpr WORD IDC_SETS = 1007;
constexpr WORD IDC_ADD = 1008;
constexpr WORD IDC_LIST = 1009;
constexpr WORD IDC_NOTES = 1010;

ui::DialogTemplate FieldsTemplate()
{
    ui::DialogTemplate dialog;
    dialog.caption = "Setup AliasSet";
    dialog.cx = 253;
    dialog.cy = 161;
    dialog.controls = {
        DialogControl { 0, ControlKind::GroupBox, "", 4, 0, 245, 139, 0 },
        DialogControl { IDC_NAME, ControlKind::Edit, "", 61, 7, 127, 12, 0 },
        DialogControl { IDC_COUNT, ControlKind::NumberEdit, "0", 61, 22, 40, 12, 0 },
        DialogControl { IDC_NOTES, ControlKind::Edit, "", 110, 22, 60, 12, 0 },
        DialogControl { IDC_BOLD, ControlKind::CheckBox, "Bold", 10, 40, 50, 10, 0 },
        DialogControl { IDC_LEFT, ControlKind::RadioButton, "Left", 10, 55, 40, 10, ui::ControlStyle::Group },
        DialogControl { IDC_CENTRE, ControlKind::RadioButton, "Centre", 55, 55, 40, 10, 0 },
        DialogControl { IDC_RIGHT, ControlKind::RadioButton, "Right", 100, 55, 40, 10, 0 },
        DialogControl { IDC_SETS, ControlKind::DropDownList, "", 61, 70, 127, 60, ui::ControlStyle::Group },
        DialogControl { IDC_LIST, ControlKind::ListView, "", 9, 90, 236, 45, 0 },
        DialogControl { IDC_ADD, ControlKind::PushButton, "Add Alias", 10, 143, 40, 14, 0 },
        DialogControl { IDOK, ControlKind::DefaultButton, "OK", 151, 143, 40, 14, 0 },
        DialogControl { IDCANCEL, ControlKind::PushButton, "CANCEL", 199, 143, 40, 14, 0 },
    };
    return dialog;
}

// A dialog with one field per kind of exchange.
class FieldsDialog : public ui::CDialog {
public:
    FieldsDialog()
        : CDialog(FieldsTemplate())
    {
        MapCommand(IDC_ADD, [this] { ++added; });
        MapNotification(IDC_NAME, ui::Notification::TextChange, [this] { ++nameChanges; });
    }

    std::string name = "Alias0";
    int count = 3;
    int bold = 1;
    int alignment = 2;
    int set = 1;
    int added = 0;
    int nameChanges = 0;

protected:
    bool OnInitDialog() override
    {
        GetComboBox(IDC_SETS)->AddString("AliasSet1");
        GetComboBox(IDC_SETS)->AddString("AliasSet2");
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(ui::CDataExchange& exchange) override
    {
        exchange.Text(IDC_NAME, name);
        exchange.Text(IDC_COUNT, count);
        exchange.Range(IDC_COUNT, count, 0, 100);
        exchange.Check(IDC_BOLD, bold);
        exchange.Radio(IDC_LEFT, alignment);
        exchange.ComboIndex(IDC_SETS, set);
    }
};

void SendKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

TEST(DialogExchangeTest, FieldsReachControlsWhenTheDialogStarts)
{
    FieldsDialog dialog;
    ui::CTestHook hook([](ui::CModalWindow& window) {
        EXPECT_EQ(window.Caption(), "Setup AliasSet");
        EXPECT_EQ(window.ControlText(IDC_NAME), "Alias0");
        EXPECT_EQ(window.ControlText(IDC_COUNT), "3");
        EXPECT_EQ(window.ControlCheck(IDC_BOLD), 1);
        EXPECT_EQ(window.ControlCheck(IDC_LEFT), 0);
        EXPECT_EQ(window.ControlCheck(IDC_RIGHT), 1);
        EXPECT_EQ(window.ControlText(IDC_SETS), "AliasSet2");
        window.Press(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(DialogExchangeTest, OkSavesControlsIntoFields)
{
    FieldsDialog dialog;
    ui::CTestHook hook([](ui::CModalWindow& window) {
        window.SetControlText(IDC_NAME, "别名");
        window.SetControlText(IDC_COUNT, "42");
        window.SetControlCheck(IDC_BOLD, 0);
        window.Press(IDC_CENTRE);
        window.SetControlText(IDC_SETS, "AliasSet1");
        window.Press(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "别名");
    EXPECT_EQ(dialog.count, 42);
    EXPECT_EQ(dialog.bold, 0);
    EXPECT_EQ(dialog.alignment, 1);
    EXPECT_EQ(dialog.set, 0);
}

TEST(DialogExchangeTest, CancelLeavesFieldsAlone)
{
    FieldsDialog dialog;
    ui::CTestHook hook([](ui::CModalWindow& window) {
        window.SetControlText(IDC_NAME, "changed");
        window.Press(IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.name, "Alias0");
}

TEST(DialogExchangeTest, RadioGroupWithNoneCheckedSavesMinusOneAndCanBeCleared)
{
    FieldsDialog dialog;
    dialog.alignment = -1;
    dialog.show();
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_LEFT) + dialog.IsDlgButtonChecked(IDC_CENTRE)
            + dialog.IsDlgButtonChecked(IDC_RIGHT),
        0);
    dialog.alignment = 0;
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.alignment, -1);
    dialog.CheckDlgButton(IDC_CENTRE, 1);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.alignment, 1);
}

struct RefusedNumber {
    const char* name;
    const char* text;
};

class DialogValidationTest : public testing::TestWithParam<RefusedNumber> { };

TEST_P(DialogValidationTest, BadNumberIsReportedAndKeepsTheDialogOpen)
{
    std::vector<std::string> messages;
    int opened = 0;
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        ++opened;
        if (window.IsMessageBox()) {
            messages.push_back(window.Text());
            window.Press(IDOK);
            return;
        }
        if (opened == 1) {
            window.SetControlText(IDC_NOTES, GetParam().text);
            window.Press(IDOK);
            EXPECT_TRUE(window.Widget()->isVisible()) << "a refused value keeps the dialog open";
            window.Press(IDCANCEL);
        }
    });
    // The number edit only holds numbers, so the count is exchanged with a
    // free-text edit here, as with a typed number.
    struct NotesDialog : FieldsDialog {
        void DoDataExchange(ui::CDataExchange& exchange) override
        {
            exchange.Text(IDC_NOTES, count);
            exchange.Range(IDC_NOTES, count, 0, 100);
            exchange.Text(IDC_NAME, name);
        }
    } notes;
    notes.name = "kept";
    EXPECT_EQ(notes.DoModal(), IDCANCEL);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("integer"), std::string::npos);
    EXPECT_EQ(notes.name, "kept") << "exchanges after the refused one are skipped";
}

INSTANTIATE_TEST_SUITE_P(Texts, DialogValidationTest,
    testing::Values(RefusedNumber { "letters", "abc" }, RefusedNumber { "trailingText", "12abc" },
        RefusedNumber { "empty", "" }, RefusedNumber { "tooLarge", "99999999999" },
        RefusedNumber { "outOfRange", "101" }),
    [](const testing::TestParamInfo<RefusedNumber>& info) { return std::string(info.param.name); });

TEST(DialogExchangeTest, NumberWithSurroundingBlanksIsAccepted)
{
    struct NotesDialog : FieldsDialog {
        void DoDataExchange(ui::CDataExchange& exchange) override { exchange.Text(IDC_NOTES, count); }
    } dialog;
    dialog.show();
    dialog.SetDlgItemText(IDC_NOTES, "  -7 ");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.count, -7);
}

TEST(DialogNotificationTest, ButtonsRunCommandsAndEditsReportChanges)
{
    FieldsDialog dialog;
    ui::CTestHook hook([&dialog](ui::CModalWindow& window) {
        window.Press(IDC_ADD);
        window.Press(IDC_ADD);
        int before = dialog.nameChanges;
        window.SetControlText(IDC_NAME, "x");
        EXPECT_EQ(dialog.nameChanges, before + 1);
        window.Press(IDCANCEL);
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.added, 2);
}

struct KeyRuleCase {
    const char* name;
    ui::CDialog::EnterRule enter;
    ui::CDialog::EscapeRule escape;
    int key;
    bool closes;
    int result;
};

class DialogKeyRuleTest : public testing::TestWithParam<KeyRuleCase> { };

TEST_P(DialogKeyRuleTest, EnterAndEscapeFollowTheDialogsRule)
{
    const KeyRuleCase& rule = GetParam();
    FieldsDialog dialog;
    dialog.SetKeyRules(rule.enter, rule.escape);
    bool stillOpen = false;
    ui::CTestHook hook([&](ui::CModalWindow& window) {
        QWidget* edit = window.Control(IDC_NAME);
        edit->setFocus();
        SendKey(edit, rule.key);
        stillOpen = window.Widget()->isVisible();
        if (stillOpen)
            window.Press(IDCANCEL);
    });
    int result = dialog.DoModal();
    EXPECT_EQ(stillOpen, !rule.closes);
    if (rule.closes) {
        EXPECT_EQ(result, rule.result);
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, DialogKeyRuleTest,
    testing::Values(KeyRuleCase { "EnterPressesDefaultButton", ui::CDialog::EnterRule::DefaultButton,
                        ui::CDialog::EscapeRule::Cancel, Qt::Key_Return, true, IDOK },
        KeyRuleCase { "EscapeCancels", ui::CDialog::EnterRule::DefaultButton, ui::CDialog::EscapeRule::Cancel,
            Qt::Key_Escape, true, IDCANCEL },
        KeyRuleCase { "EnterStaysWithControl", ui::CDialog::EnterRule::ToFocusedControl,
            ui::CDialog::EscapeRule::ToFocusedControl, Qt::Key_Return, false, 0 },
        KeyRuleCase { "EscapeStaysWithControl", ui::CDialog::EnterRule::ToFocusedControl,
            ui::CDialog::EscapeRule::ToFocusedControl, Qt::Key_Escape, false, 0 }),
    [](const testing::TestParamInfo<KeyRuleCase>& info) { return std::string(info.param.name); });

TEST(DialogTemplateTest, ControlsArePlacedInDialogUnitsOfTheFont)
{
    FieldsDialog dialog;
    SIZE base = dialog.GetControls().BaseUnits();
    ASSERT_GT(base.cx, 0);
    ASSERT_GT(base.cy, 0);
    QWidget* edit = dialog.GetDlgItem(IDC_NAME);
    EXPECT_EQ(edit->x(), (61 * base.cx + 2) / 4);
    EXPECT_EQ(edit->y(), (7 * base.cy + 4) / 8);
    EXPECT_EQ(edit->width(), (127 * base.cx + 2) / 4);
    EXPECT_EQ(dialog.width(), (253 * base.cx + 2) / 4);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_NE(dialog.GetListView(IDC_LIST), nullptr);
    EXPECT_EQ(dialog.GetComboBox(IDC_NAME), nullptr);
}

TEST(DialogTemplateTest, TemplateIsTakenFromResourcesInTheUserLanguage)
{
    ui::DialogTemplate english = FieldsTemplate();
    ui::DialogTemplate chinese = FieldsTemplate();
    chinese.caption = "别名管理";
    ui::CResourceTable::Instance().AddDialog(201, ui::LanguageEnglish, english);
    ui::CResourceTable::Instance().AddDialog(201, ui::LanguageChinese, chinese);
    const char* previous = getenv("LANG");
    std::string saved = previous ? previous : "";
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "zh_CN.UTF-8", 1);
    EXPECT_EQ(ui::CDialog(201).GetWindowText(), "别名管理");
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(ui::CDialog(201).GetWindowText(), "Setup AliasSet");
    if (previous)
        setenv("LANG", saved.c_str(), 1);
    else
        unsetenv("LANG");
    ui::CResourceTable::Instance().Clear();
}

TEST(ListViewTest, ReportListKeepsTextsDataAndGeometry)
{
    ui::CListView list;
    list.resize(400, 200);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.InsertColumn(0, "Cell", 60), 0);
    EXPECT_EQ(list.InsertColumn(1, "Alias", 110), 1);
    EXPECT_EQ(list.InsertColumn(9, "Data Source", 170), 2);
    EXPECT_EQ(list.GetColumnWidth(2), 170);
    EXPECT_EQ(list.GetColumnHeader(1), "Alias");
    EXPECT_EQ(list.InsertItem(0, "B3"), 0);
    EXPECT_EQ(list.InsertItem(-1, "C4"), 1);
    EXPECT_TRUE(list.SetItemText(1, 1, "%d 别名"));
    EXPECT_FALSE(list.SetItemText(5, 1, "x"));
    EXPECT_EQ(list.GetItemText(1, 1), "%d 别名");
    EXPECT_EQ(list.GetItemText(9, 9), "");
    list.SetItemData(1, 0xDEADBEEF);
    EXPECT_EQ(list.GetItemData(1), 0xDEADBEEFu);
    EXPECT_EQ(list.GetSelectedRow(), -1);
    list.SelectRow(1);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    list.show();
    uitest::ProcessEvents();

    RECT cell = list.GetCellRect(1, 1);
    int row = -2;
    int column = -2;
    list.HitTest(POINT { cell.left + 3, cell.top + 3 }, row, column);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 1);
    list.HitTest(POINT { cell.left + 3, 190 }, row, column);
    EXPECT_EQ(row, -1);

    std::vector<std::pair<int, int>> painted;
    list.SetCellPainter([&painted](QPainter&, const ui::CListView::CellPaint& paint) {
        painted.emplace_back(paint.row, paint.column);
        return paint.selected;
    });
    list.viewport()->repaint();
    EXPECT_NE(std::find(painted.begin(), painted.end(), std::make_pair(1, 2)), painted.end());
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "C4");
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

} // namespace
