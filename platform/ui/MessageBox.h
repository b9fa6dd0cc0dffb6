#pragma once

// Message boxes with the platform's buttons, icons and results. Usable from
// any thread: called on a worker thread the box runs on the user-interface
// thread and the caller waits for the answer. Without a user-interface thread
// (no application object) the answer is 0.

#include "platform/base/Types.h"
#include "platform/ui/DialogResults.h"
#include "platform/ui/WindowMessages.h"

#include <string>

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_TASKMODAL = 0x00002000;

// text and caption are 8-bit; owner 0 means no owner window. An empty
// caption shows the application's name.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

namespace ui {

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
// Owned by the main window, captioned with the application's name.
int MessageBox(const std::string& text, UINT type = MB_OK);

} // namespace ui
