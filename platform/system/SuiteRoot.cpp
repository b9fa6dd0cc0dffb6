#include "platform/system/SuiteRoot.h"

#include "platform/base/Errors.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string NonEmptyVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::string();
}

std::string HomeDirectory()
{
    std::string home = NonEmptyVariable("HOME");
    if (!home.empty())
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/tmp";
}

std::string ConfiguredRoot()
{
    std::string root = NonEmptyVariable("PLINTH_ROOT");
    if (!root.empty())
        return root;
    std::string dataHome = NonEmptyVariable("XDG_DATA_HOME");
    if (!dataHome.empty())
        return dataHome + "/plinth";
    return HomeDirectory() + "/.local/share/plinth";
}

std::string EnsureDirectory(std::string path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!std::filesystem::is_directory(path, error))
        return {};
    return path;
}

} // namespace

namespace sys {

std::string SuiteRoot() { return EnsureDirectory(ConfiguredRoot()); }

std::string SystemDirectory()
{
    std::string root = SuiteRoot();
    return root.empty() ? std::string() : EnsureDirectory(root + "/system");
}

} // namespace sys

UINT GetSystemDirectoryA(LPSTR buffer, UINT size)
{
    std::string directory = sys::SystemDirectory();
    if (directory.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!buffer || size <= directory.size())
        return static_cast<UINT>(directory.size() + 1);
    std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    return static_cast<UINT>(directory.size());
}
