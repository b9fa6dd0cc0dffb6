#pragma once

// Window handles and window messages. A handle is a 32-bit number that names a
// live window of this process, so it can travel as an integer (a component
// receives its owner's window that way). A message is delivered to the
// window's own handler on the window's thread; a sender on another thread
// waits until it was handled. A handle whose window is gone answers 0.

#include "platform/base/Types.h"

using HWND = DWORD;

constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_USER = 0x0400;

constexpr WPARAM MAKEWPARAM(WORD low, WORD high)
{
    return static_cast<WPARAM>(MAKELONG(low, high));
}

BOOL IsWindow(HWND window);
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message for the window's thread and returns at once; FALSE when
// the handle names no window.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
