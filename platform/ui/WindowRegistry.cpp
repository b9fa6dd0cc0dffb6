#include "platform/ui/WindowRegistry.h"

#include "platform/ui/CrossThreadCall.h"
#include "platform/ui/ProcessWide.h"

#include <QObject>
#include <QThread>
#include <QWidget>

namespace ui {

CWindowRegistry& CWindowRegistry::Instance()
{
    return ProcessWide<CWindowRegistry>("plinth.ui.windowRegistry.1");
}

HWND CWindowRegistry::HandleOfLocked(QWidget* widget)
{
    if (auto found = m_handles.find(widget); found != m_handles.end())
        return found->second;
    HWND handle = m_next++;
    if (m_next == 0)
        m_next = 0x00010010;
    m_entries[handle].widget = widget;
    m_handles[widget] = handle;
    QObject::connect(widget, &QObject::destroyed, [handle] { CWindowRegistry::Instance().Release(handle); });
    return handle;
}

HWND CWindowRegistry::HandleOf(QWidget* widget)
{
    if (!widget)
        return 0;
    std::lock_guard lock(m_mutex);
    return HandleOfLocked(widget);
}

HWND CWindowRegistry::SetHandler(QWidget* widget, MessageHandler handler)
{
    if (!widget)
        return 0;
    std::lock_guard lock(m_mutex);
    HWND handle = HandleOfLocked(widget);
    m_entries[handle].handler = std::move(handler);
    return handle;
}

void CWindowRegistry::Release(HWND window)
{
    std::lock_guard lock(m_mutex);
    auto found = m_entries.find(window);
    if (found == m_entries.end())
        return;
    m_handles.erase(found->second.widget);
    m_entries.erase(found);
}

bool CWindowRegistry::Contains(HWND window) const
{
    std::lock_guard lock(m_mutex);
    return m_entries.count(window) != 0;
}

QWidget* CWindowRegistry::WidgetOf(HWND window) const
{
    std::lock_guard lock(m_mutex);
    auto found = m_entries.find(window);
    return found == m_entries.end() ? nullptr : found->second.widget;
}

LRESULT CWindowRegistry::Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageHandler handler;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_entries.find(window);
        if (found == m_entries.end())
            return 0;
        handler = found->second.handler;
    }
    return handler ? handler(message, wParam, lParam) : 0;
}

LRESULT CWindowRegistry::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::unique_lock lock(m_mutex);
    auto found = m_entries.find(window);
    if (found == m_entries.end())
        return 0;
    QWidget* widget = found->second.widget;
    if (widget->thread() == QThread::currentThread()) {
        lock.unlock();
        return Deliver(window, message, wParam, lParam);
    }
    // The call is queued while the table is locked, so the window cannot be
    // released between the lookup and the queueing; if it goes away later,
    // Qt drops the queued call and the caller is released with 0.
    CCrossThreadCall call(
        widget, [this, window, message, wParam, lParam] { return Deliver(window, message, wParam, lParam); });
    lock.unlock();
    return call.Wait();
}

bool CWindowRegistry::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(m_mutex);
    auto found = m_entries.find(window);
    if (found == m_entries.end())
        return false;
    return PostToThreadOf(
        found->second.widget, [this, window, message, wParam, lParam] { Deliver(window, message, wParam, lParam); });
}

} // namespace ui

BOOL IsWindow(HWND window)
{
    return window != 0 && ui::CWindowRegistry::Instance().Contains(window);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ui::CWindowRegistry::Instance().Send(window, message, wParam, lParam);
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ui::CWindowRegistry::Instance().Post(window, message, wParam, lParam) ? TRUE : FALSE;
}
