#include "platform/system/Process.h"

#include "platform/base/Errors.h"
#include "platform/system/ChildProcess.h"
#include "platform/system/CommandLine.h"
#include "platform/system/Spawn.h"

#include <cstring>
#include <filesystem>
#include <thread>

namespace {

std::vector<std::string> EnvironmentEntries(const char* block)
{
    std::vector<std::string> entries;
    while (*block) {
        entries.emplace_back(block);
        block += entries.back().size() + 1;
    }
    return entries;
}

// Fills in the program and arguments of `request`; a platform error code when
// the command names nothing that can run.
LONG ResolveProgram(LPCSTR applicationName, LPCSTR commandLine, sys::SpawnRequest& request)
{
    if (commandLine)
        request.arguments = sys::SplitCommandLine(commandLine);
    if (applicationName && *applicationName) {
        request.program = applicationName;
        if (request.arguments.empty() || request.arguments.front().empty()) {
            if (request.arguments.empty())
                request.arguments.emplace_back();
            request.arguments.front() = applicationName;
        }
    } else {
        if (request.arguments.empty() || request.arguments.front().empty())
            return ERROR_INVALID_PARAMETER;
        request.program = sys::FindProgram(request.arguments.front());
    }
    std::error_code error;
    if (request.program.empty() || !std::filesystem::exists(request.program, error))
        return ERROR_FILE_NOT_FOUND;
    if (std::filesystem::is_directory(request.program, error))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

} // namespace

BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                    LPSTARTUPINFOA, LPPROCESS_INFORMATION processInformation)
{
    auto fail = [](LONG error) {
        SetLastError(error);
        return FALSE;
    };
    if (!processInformation || (creationFlags & CREATE_UNICODE_ENVIRONMENT))
        return fail(ERROR_INVALID_PARAMETER);

    sys::SpawnRequest request;
    if (LONG error = ResolveProgram(applicationName, commandLine, request); error != ERROR_SUCCESS)
        return fail(error);
    if (currentDirectory && *currentDirectory) {
        std::error_code error;
        if (!std::filesystem::is_directory(currentDirectory, error))
            return fail(ERROR_DIRECTORY);
        request.folder = currentDirectory;
    }
    if (environment) {
        request.useEnvironment = true;
        request.environment = EnvironmentEntries(static_cast<const char*>(environment));
    }
    request.inheritFiles = inheritHandles != FALSE;

    sys::SpawnResult started = sys::Spawn(request);
    if (started.pid < 0)
        return fail(started.error);

    auto process = std::make_shared<sys::ChildProcess>(started.pid);
    auto& handles = sys::HandleTable::Instance();
    processInformation->hProcess = handles.Add(process);
    processInformation->hThread = handles.Add(process);
    processInformation->dwProcessId = static_cast<DWORD>(started.pid);
    processInformation->dwThreadId = static_cast<DWORD>(started.pid);
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    auto process = sys::HandleTable::Instance().Find<sys::ChildProcess>(handle);
    if (!process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return process->Wait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL GetExitCodeProcess(HANDLE handle, LPDWORD exitCode)
{
    auto process = sys::HandleTable::Instance().Find<sys::ChildProcess>(handle);
    if (!process || !exitCode) {
        SetLastError(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *exitCode = process->ExitCode().value_or(STILL_ACTIVE);
    return TRUE;
}

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
