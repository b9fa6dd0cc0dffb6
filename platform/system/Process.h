#pragma once

// Starting programs and waiting for them, under the platform's names. A
// program is started with posix_spawn and an argument vector split from the
// command-line text (platform/system/CommandLine.h); no shell ever sees it.

#include "platform/base/Types.h"
#include "platform/system/HandleTable.h"
#include "platform/system/SecurityAttributes.h"

// The start-up record is accepted for its shape; the suite starts no console
// or window settings with a process.
struct STARTUPINFOA {
    DWORD cb = 0;
    LPSTR lpReserved = nullptr;
    LPSTR lpDesktop = nullptr;
    LPSTR lpTitle = nullptr;
    DWORD dwX = 0;
    DWORD dwY = 0;
    DWORD dwXSize = 0;
    DWORD dwYSize = 0;
    DWORD dwXCountChars = 0;
    DWORD dwYCountChars = 0;
    DWORD dwFillAttribute = 0;
    DWORD dwFlags = 0;
    WORD wShowWindow = 0;
    WORD cbReserved2 = 0;
    LPBYTE lpReserved2 = nullptr;
    HANDLE hStdInput = nullptr;
    HANDLE hStdOutput = nullptr;
    HANDLE hStdError = nullptr;
};
using LPSTARTUPINFOA = STARTUPINFOA*;

struct PROCESS_INFORMATION {
    HANDLE hProcess = nullptr;
    HANDLE hThread = nullptr;
    DWORD dwProcessId = 0;
    DWORD dwThreadId = 0;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

constexpr DWORD CREATE_UNICODE_ENVIRONMENT = 0x00000400;
constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;

// Starts a program.
// - applicationName: the file to run, as a path; or nullptr, when the first
//   token of commandLine names it: a name with "/" is a path, a bare name is
//   looked up in the system directory and then in PATH.
// - commandLine: the argument text; its first token is the program name the
//   child sees (the application path when that token is empty, as in " 1234").
// - inheritHandles: FALSE starts the child with only its standard files.
// - environment: nullptr for the caller's, else "NAME=value\0...\0\0" in
//   8-bit text (CREATE_UNICODE_ENVIRONMENT is refused).
// - currentDirectory: nullptr for the caller's folder.
// Other creation flags and the start-up record have no effect. On success the
// process handle and a second handle to the same process (hThread) are
// returned; close both. On failure: FALSE and the last error, for instance
// ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_BAD_EXE_FORMAT or
// ERROR_DIRECTORY.
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    LPVOID environment, LPCSTR currentDirectory, LPSTARTUPINFOA startupInfo,
                    LPPROCESS_INFORMATION processInformation);

// WAIT_OBJECT_0 once the process has ended, WAIT_TIMEOUT when it still runs
// after `milliseconds` (INFINITE: no limit), WAIT_FAILED for a handle that is
// not a process.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// The exit code, or STILL_ACTIVE while the process runs.
BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);

void Sleep(DWORD milliseconds);
