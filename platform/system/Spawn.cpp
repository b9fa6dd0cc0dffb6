#include "platform/system/Spawn.h"

#include "platform/base/Errors.h"
#include "platform/system/ErrnoError.h"
#include "platform/system/SuiteRoot.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<char*> PointerVector(const std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& text : strings)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Owns the file actions of one spawn.
class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&m_actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&m_actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

} // namespace

namespace sys {

SpawnResult Spawn(const SpawnRequest& request)
{
    if (request.program.empty() || request.arguments.empty())
        return {-1, ERROR_INVALID_PARAMETER};

    // The program path is resolved before the child changes folder.
    std::error_code ignored;
    std::string program = std::filesystem::absolute(request.program, ignored).string();
    if (program.empty())
        program = request.program;

    FileActions actions;
    if (!request.folder.empty() && posix_spawn_file_actions_addchdir_np(actions.Get(), request.folder.c_str()) != 0)
        return {-1, ERROR_NOT_ENOUGH_MEMORY};
    if (!request.inheritFiles && posix_spawn_file_actions_addclosefrom_np(actions.Get(), 3) != 0)
        return {-1, ERROR_NOT_ENOUGH_MEMORY};

    std::vector<char*> argv = PointerVector(request.arguments);
    std::vector<char*> envp;
    if (request.useEnvironment)
        envp = PointerVector(request.environment);

    pid_t pid = -1;
    int error = posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, argv.data(),
                            request.useEnvironment ? envp.data() : environ);
    if (error != 0)
        return {-1, ErrorFromErrno(error)};
    return {pid, ERROR_SUCCESS};
}

std::string FindProgram(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return name;
    std::vector<std::string> folders;
    if (std::string system = SystemDirectory(); !system.empty())
        folders.push_back(system);
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest = path;
        while (true) {
            std::size_t colon = rest.find(':');
            std::string folder(rest.substr(0, colon));
            folders.push_back(folder.empty() ? "." : folder);
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    }
    for (const std::string& folder : folders) {
        std::string candidate = folder + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

void ReapInBackground(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace sys
