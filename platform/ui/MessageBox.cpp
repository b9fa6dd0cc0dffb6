#include "platform/ui/MessageBox.h"

#include "platform/base/Language.h"
#include "platform/ui/Application.h"
#include "platform/ui/CrossThreadCall.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/Text.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <map>
#include <vector>

namespace ui {
namespace {

struct ButtonChoice {
    int result;
    const char* english;
    const char* chinese;
    QMessageBox::ButtonRole role;
};

const ButtonChoice OkButton { IDOK, "OK", "确定", QMessageBox::AcceptRole };
const ButtonChoice CancelButton { IDCANCEL, "Cancel", "取消", QMessageBox::RejectRole };
const ButtonChoice AbortButton { IDABORT, "&Abort", "中止(&A)", QMessageBox::RejectRole };
const ButtonChoice RetryButton { IDRETRY, "&Retry", "重试(&R)", QMessageBox::AcceptRole };
const ButtonChoice IgnoreButton { IDIGNORE, "&Ignore", "忽略(&I)", QMessageBox::AcceptRole };
const ButtonChoice YesButton { IDYES, "&Yes", "是(&Y)", QMessageBox::YesRole };
const ButtonChoice NoButton { IDNO, "&No", "否(&N)", QMessageBox::NoRole };

std::vector<ButtonChoice> ButtonsOf(UINT type)
{
    switch (type & 0xF) {
    case MB_OKCANCEL:
        return { OkButton, CancelButton };
    case MB_ABORTRETRYIGNORE:
        return { AbortButton, RetryButton, IgnoreButton };
    case MB_YESNOCANCEL:
        return { YesButton, NoButton, CancelButton };
    case MB_YESNO:
        return { YesButton, NoButton };
    case MB_RETRYCANCEL:
        return { RetryButton, CancelButton };
    default:
        return { OkButton };
    }
}

// Escape answers Cancel where there is one, OK in a box with OK alone, and
// nothing at all in Yes/No and Abort/Retry/Ignore boxes.
int EscapeResult(UINT type)
{
    switch (type & 0xF) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
    case MB_ABORTRETRYIGNORE:
        return 0;
    default:
        return IDCANCEL;
    }
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

std::string DefaultCaption()
{
    CApplication* app = GetApp();
    return app ? app->GetAppName() : std::string();
}

int RunMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    QWidget* parent = owner ? CWindowRegistry::Instance().WidgetOf(owner) : nullptr;
    QMessageBox box(IconOf(type), ToQString(caption.empty() ? DefaultCaption() : caption), ToQString(text),
        QMessageBox::NoButton, parent);
    bool chinese = base::IsChineseUserInterface();
    std::map<int, QPushButton*> buttons;
    std::vector<ButtonChoice> choices = ButtonsOf(type);
    for (const ButtonChoice& choice : choices)
        buttons[choice.result] = box.addButton(ToQString(chinese ? choice.chinese : choice.english), choice.role);
    size_t defaultIndex = (type & 0xF00) >> 8;
    if (defaultIndex < choices.size())
        box.setDefaultButton(buttons[choices[defaultIndex].result]);
    int escape = EscapeResult(type);
    if (escape)
        box.setEscapeButton(buttons[escape]);

    CTestHook::ModalWindowOpening(
        &box,
        [&buttons](int id) -> QWidget* {
            auto found = buttons.find(id);
            return found == buttons.end() ? nullptr : found->second;
        },
        text, true);
    box.exec();
    for (const auto& [result, button] : buttons)
        if (box.clickedButton() == button)
            return result;
    return escape ? escape : IDCANCEL;
}

} // namespace

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return static_cast<int>(CallOnThreadOf(QCoreApplication::instance(),
        [owner, text, caption, type]() -> LRESULT { return RunMessageBox(owner, text, caption, type); }));
}

int MessageBox(const std::string& text, UINT type)
{
    // The main window is looked up on its own thread.
    return static_cast<int>(CallOnThreadOf(QCoreApplication::instance(), [text, type]() -> LRESULT {
        CApplication* app = GetApp();
        HWND owner = app && app->GetMainWnd() ? app->GetMainWnd()->GetSafeHwnd() : 0;
        return RunMessageBox(owner, text, std::string(), type);
    }));
}

} // namespace ui

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return ui::MessageBox(owner, text ? text : "", caption ? caption : "", type);
}
