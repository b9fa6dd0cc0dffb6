#pragma once

// Opening files, folders, addresses and programs the way the desktop does.
// Verb "open" (or no verb):
// - a URL ("scheme:..."), or an existing file that is not a program, or a
//   folder, goes to the desktop's default handler, xdg-open;
// - a program (an executable file; a bare name is looked up in the system
//   directory and then in PATH) is started with `parameters` split by the
//   command-line rules of platform/system/CommandLine.h.
// Nothing is waited for. The result is greater than 32 on success, as the
// platform's is; otherwise one of the SE_ERR_* codes below.

#include "platform/base/Types.h"
#include "platform/system/ModuleFileName.h"

constexpr INT SE_ERR_FNF = 2;
constexpr INT SE_ERR_PNF = 3;
constexpr INT SE_ERR_ACCESSDENIED = 5;
constexpr INT SE_ERR_OOM = 8;
constexpr INT SE_ERR_NOASSOC = 31;
constexpr INT SW_HIDE = 0;
constexpr INT SW_SHOWNORMAL = 1;

// `owner` and `showCommand` have no effect: a started program decides its own
// windows.
HINSTANCE ShellExecuteA(const void* owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT showCommand);
