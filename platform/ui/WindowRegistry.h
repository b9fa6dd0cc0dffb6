#pragma once

// The table behind window handles: which live widget a handle names and which
// handler receives its messages. Safe to use from any thread; handles are
// never reused within a run, so a stale handle cannot reach a newer window.

#include "platform/ui/WindowMessages.h"

#include <functional>
#include <mutex>
#include <unordered_map>

class QWidget;

namespace ui {

using MessageHandler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

class CWindowRegistry {
public:
    // The process's one table (shared with the copies of this library inside
    // components).
    static CWindowRegistry& Instance();
    CWindowRegistry() = default;
    CWindowRegistry(const CWindowRegistry&) = delete;
    CWindowRegistry& operator=(const CWindowRegistry&) = delete;

    // The widget's handle, made on first request. It is released when the
    // widget is destroyed.
    HWND HandleOf(QWidget* widget);
    // Installs (or, with an empty handler, removes) the widget's message
    // handler and returns its handle.
    HWND SetHandler(QWidget* widget, MessageHandler handler);
    void Release(HWND window);

    bool Contains(HWND window) const;
    // The widget behind a handle; use it only on the widget's own thread.
    QWidget* WidgetOf(HWND window) const;

    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Entry {
        QWidget* widget = nullptr;
        MessageHandler handler;
    };
    HWND HandleOfLocked(QWidget* widget);
    LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    mutable std::mutex m_mutex;
    std::unordered_map<HWND, Entry> m_entries;
    std::unordered_map<const QWidget*, HWND> m_handles;
    HWND m_next = 0x00010010;
};

} // namespace ui
