#include "outside/verup/InstallTarget.h"

#include "platform/system/SuiteRoot.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace verup {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view SystemDirectoryMark = "GetSystemDirectory()";

std::string Canonical(const std::string& path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::path(path), error);
    if (error)
        return {};
    // "/a/b/.." normalises to "/a/"; a folder is compared without its last separator.
    std::string normal = canonical.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

// Folders of a suite path are separated by "\" as often as by "/".
std::string WithSlashes(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

} // namespace

CInstallTarget::CInstallTarget(const UpdateDescription& description)
{
    if (std::string root = Canonical(sys::SuiteRoot()); !root.empty())
        m_allowed.push_back(root);
    for (const UpdateEntry& entry : description.entries) {
        if (entry.kind != UpdateEntry::Program)
            continue;
        const std::string program = WithSlashes(entry.fileName);
        if (!program.starts_with('/'))
            continue;
        if (std::string folder = Canonical(fs::path(program).parent_path().string()); !folder.empty() && folder != "/")
            m_allowed.push_back(folder);
    }
}

bool CInstallTarget::IsAllowed(const std::string& path) const
{
    const fs::path target(path);
    return std::any_of(m_allowed.begin(), m_allowed.end(), [&](const std::string& folder) {
        const fs::path relative = target.lexically_relative(folder);
        return !relative.empty() && *relative.begin() != ".." && relative != ".";
    });
}

bool CInstallTarget::Resolve(const UpdateEntry& entry, std::string& path, std::string& error) const
{
    std::string written = entry.installDir;
    if (written.empty() && entry.kind == UpdateEntry::Program)
        written = entry.fileName;
    if (written.empty()) {
        error = "no InstallDir says where the file goes";
        return false;
    }
    if (StartsWithNoCase(written, SystemDirectoryMark)) {
        const std::string rest = WithSlashes(written.substr(SystemDirectoryMark.size()));
        if (!rest.starts_with('/')) {
            error = "InstallDir '" + written + "' names no file in the system directory";
            return false;
        }
        written = sys::SystemDirectory() + rest;
    }
    written = WithSlashes(written);
    if (!written.starts_with('/') || written.ends_with('/')) {
        error = "InstallDir '" + written + "' is not the full path of a file";
        return false;
    }
    const std::string target = Canonical(written);
    if (target.empty() || !IsAllowed(target)) {
        error = "'" + written + "' lies outside the suite root and the folders of the programs being updated";
        return false;
    }
    if (fs::is_directory(target)) {
        error = "'" + written + "' is a folder";
        return false;
    }
    path = target;
    return true;
}

} // namespace verup
