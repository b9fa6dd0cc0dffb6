#pragma once

// The window side of the framework's classes: gives a widget its handle, a
// table of message handlers and a WindowProc that derived classes may widen.
// Frames, views and dialogs mix it in next to their Qt widget class.

#include "platform/base/Types.h"
#include "platform/ui/WindowMessages.h"

#include <functional>
#include <string>
#include <unordered_map>

class QWidget;

namespace ui {

class CWindow {
public:
    explicit CWindow(QWidget* widget);
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND GetSafeHwnd() const { return m_hwnd; }
    QWidget* GetWidget() const { return m_widget; }

    // A handler for one message number; it replaces an earlier one.
    void MapMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);
    // Mapped handlers first; WM_COMMAND goes to OnCommandMessage, WM_CLOSE
    // closes the window; anything else answers 0.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    // Rectangles in screen coordinates, and the client area at origin 0, 0.
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    void MoveWindow(const RECT& rect);
    void ClientToScreen(POINT& point) const;
    void ClientToScreen(RECT& rect) const;
    void ScreenToClient(POINT& point) const;

protected:
    // The command of a WM_COMMAND message; true when something handled it.
    virtual bool OnCommandMessage(WORD id);

private:
    QWidget* m_widget;
    HWND m_hwnd;
    std::unordered_map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> m_handlers;
};

} // namespace ui
