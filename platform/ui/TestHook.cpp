#include "platform/ui/TestHook.h"

#include "platform/ui/ControlAccess.h"
#include "platform/ui/ProcessWide.h"
#include "platform/ui/Text.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {
namespace {

struct HookState {
    CTestHook::Handler handler;
};

// The hook belongs to the user-interface thread, like the windows it sees,
// and is shared with the components' copies of this library.
CTestHook::Handler& CurrentHandler()
{
    return ProcessWide<HookState>("plinth.ui.testHook.1").handler;
}

} // namespace

CModalWindow::CModalWindow(QWidget* window, ControlFinder finder, std::string text, bool messageBox)
    : m_window(window)
    , m_finder(std::move(finder))
    , m_text(std::move(text))
    , m_messageBox(messageBox)
{
}

std::string CModalWindow::Caption() const
{
    return FromQString(m_window->windowTitle());
}

QWidget* CModalWindow::Control(int id) const
{
    return m_finder ? m_finder(id) : nullptr;
}

std::string CModalWindow::ControlText(int id) const
{
    QWidget* control = Control(id);
    return control ? GetControlText(control) : std::string();
}

void CModalWindow::SetControlText(int id, const std::string& text)
{
    if (QWidget* control = Control(id))
        ui::SetControlText(control, text);
}

int CModalWindow::ControlCheck(int id) const
{
    return GetControlCheck(Control(id));
}

void CModalWindow::SetControlCheck(int id, int check)
{
    ui::SetControlCheck(Control(id), check);
}

bool CModalWindow::Press(int id)
{
    return PressControl(Control(id));
}

CTestHook::CTestHook(Handler handler)
    : m_previous(std::move(CurrentHandler()))
{
    CurrentHandler() = std::move(handler);
}

CTestHook::~CTestHook()
{
    CurrentHandler() = std::move(m_previous);
}

bool CTestHook::IsActive()
{
    return static_cast<bool>(CurrentHandler());
}

void CTestHook::ModalWindowOpening(
    QWidget* window, CModalWindow::ControlFinder finder, std::string text, bool messageBox)
{
    if (!IsActive() || !window)
        return;
    QPointer<QWidget> guarded(window);
    QTimer::singleShot(0, window, [guarded, finder = std::move(finder), text = std::move(text), messageBox] {
        if (!guarded || !IsActive())
            return;
        CModalWindow seen(guarded.data(), finder, text, messageBox);
        Handler handler = CurrentHandler();
        handler(seen);
    });
}

} // namespace ui
