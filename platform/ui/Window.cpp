#include "platform/ui/Window.h"

#include "platform/ui/Geometry.h"
#include "platform/ui/Text.h"
#include "platform/ui/WindowRegistry.h"

#include <QWidget>

namespace ui {

CWindow::CWindow(QWidget* widget)
    : m_widget(widget)
    , m_hwnd(CWindowRegistry::Instance().SetHandler(
          widget, [this](UINT message, WPARAM wParam, LPARAM lParam) { return WindowProc(message, wParam, lParam); }))
{
}

CWindow::~CWindow()
{
    // The derived object is gone by now; messages that still arrive while the
    // widget itself is being destroyed must not reach it.
    CWindowRegistry::Instance().Release(m_hwnd);
}

void CWindow::MapMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler)
{
    m_handlers[message] = std::move(handler);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto found = m_handlers.find(message); found != m_handlers.end() && found->second)
        return found->second(wParam, lParam);
    if (message == WM_COMMAND)
        return OnCommandMessage(LOWORD(static_cast<DWORD>(wParam))) ? 1 : 0;
    if (message == WM_CLOSE) {
        m_widget->close();
        return 0;
    }
    return 0;
}

bool CWindow::OnCommandMessage(WORD)
{
    return false;
}

void CWindow::SetWindowText(const std::string& text)
{
    m_widget->setWindowTitle(ToQString(text));
}

std::string CWindow::GetWindowText() const
{
    return FromQString(m_widget->windowTitle());
}

RECT CWindow::GetWindowRect() const
{
    QRect frame = m_widget->frameGeometry();
    if (m_widget->parentWidget() && !m_widget->isWindow())
        frame.moveTopLeft(m_widget->parentWidget()->mapToGlobal(frame.topLeft()));
    return ToRect(frame);
}

RECT CWindow::GetClientRect() const
{
    return RECT { 0, 0, m_widget->width(), m_widget->height() };
}

void CWindow::MoveWindow(const RECT& rect)
{
    QRect target = ToQRect(rect);
    // A window of fixed size takes the new size as its fixed size.
    if (m_widget->minimumSize() == m_widget->maximumSize())
        m_widget->setFixedSize(target.size());
    if (m_widget->isWindow()) {
        m_widget->move(target.topLeft());
        m_widget->resize(target.size());
    } else {
        m_widget->setGeometry(target);
    }
}

void CWindow::ClientToScreen(POINT& point) const
{
    point = ToPoint(m_widget->mapToGlobal(ToQPoint(point)));
}

void CWindow::ClientToScreen(RECT& rect) const
{
    QPoint offset = m_widget->mapToGlobal(QPoint(0, 0));
    rect.left += offset.x();
    rect.right += offset.x();
    rect.top += offset.y();
    rect.bottom += offset.y();
}

void CWindow::ScreenToClient(POINT& point) const
{
    point = ToPoint(m_widget->mapFromGlobal(ToQPoint(point)));
}

} // namespace ui
