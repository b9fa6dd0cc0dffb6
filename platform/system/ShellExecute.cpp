#include "platform/system/ShellExecute.h"

#include "platform/base/Errors.h"
#include "platform/system/CommandLine.h"
#include "platform/system/Spawn.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr INT Success = 42;

HINSTANCE Result(INT code) { return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code)); }

// "scheme:" with a scheme of two or more characters, so that a drive letter is
// not taken for one.
bool IsUrl(std::string_view text)
{
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (char c : text.substr(0, colon)) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

INT ShellError(LONG error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
        return SE_ERR_PNF;
    case ERROR_ACCESS_DENIED:
        return SE_ERR_ACCESSDENIED;
    case ERROR_NOT_ENOUGH_MEMORY:
        return SE_ERR_OOM;
    default:
        return SE_ERR_NOASSOC;
    }
}

INT StartDetached(sys::SpawnRequest request)
{
    sys::SpawnResult started = sys::Spawn(request);
    if (started.pid < 0)
        return ShellError(started.error);
    sys::ReapInBackground(started.pid);
    return Success;
}

INT OpenWithDesktop(const std::string& target)
{
    std::string opener = sys::FindProgram("xdg-open");
    if (opener.empty())
        return SE_ERR_NOASSOC;
    sys::SpawnRequest request;
    request.program = opener;
    request.arguments = {"xdg-open", target};
    return StartDetached(std::move(request));
}

bool IsProgram(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

} // namespace

HINSTANCE ShellExecuteA(const void*, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT)
{
    if (!file || !*file)
        return Result(SE_ERR_FNF);
    if (operation && *operation && std::strcmp(operation, "open") != 0 && std::strcmp(operation, "explore") != 0)
        return Result(SE_ERR_NOASSOC);
    if (IsUrl(file))
        return Result(OpenWithDesktop(file));

    std::string folder = directory ? directory : "";
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        return Result(SE_ERR_PNF);

    // A relative name is first taken in the given folder, then searched for.
    std::string path = file;
    if (path.front() != '/' && !folder.empty() && std::filesystem::exists(folder + "/" + path, error))
        path = folder + "/" + path;
    else if (!std::filesystem::exists(path, error) && path.find('/') == std::string::npos)
        path = sys::FindProgram(path);
    if (path.empty() || !std::filesystem::exists(path, error))
        return Result(SE_ERR_FNF);

    if (!IsProgram(path))
        return Result(OpenWithDesktop(std::filesystem::absolute(path, error).string()));

    sys::SpawnRequest request;
    request.program = path;
    // The parameters are split as the arguments after a program name.
    request.arguments = sys::SplitCommandLine(std::string("program ") + (parameters ? parameters : ""));
    request.arguments.front() = path;
    request.folder = folder;
    return Result(StartDetached(std::move(request)));
}
