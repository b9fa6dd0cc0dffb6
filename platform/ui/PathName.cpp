#include "platform/ui/PathName.h"

#include "platform/base/CodePage.h"

#include <filesystem>

namespace ui {

bool HasScheme(const std::string& path)
{
    auto colon = path.find("://");
    return colon != std::string::npos && colon > 0;
}

std::string FullPath(const std::string& path)
{
    if (path.empty() || HasScheme(path))
        return path;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(base::AnsiToUtf8(path), error);
    if (error)
        return path;
    std::filesystem::path normal = std::filesystem::weakly_canonical(absolute, error);
    if (error)
        normal = absolute.lexically_normal();
    return base::Utf8ToAnsi(normal.string());
}

std::string FileTitle(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileSystemPath(const std::string& path)
{
    return base::AnsiToUtf8(path);
}

} // namespace ui
