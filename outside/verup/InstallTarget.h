#pragma once

// Where an entry's download goes. InstallDir names the file: a leading
// "GetSystemDirectory()\" stands for the system directory, "\" separates
// folders as "/" does. A program entry without InstallDir replaces its
// FileName. The file must lie inside the suite root or inside the folder of a
// program that the description updates; anything else is refused, so that a
// description cannot write over files elsewhere.

#include "outside/verup/UpdateEntry.h"

#include <string>
#include <vector>

namespace verup {

class CInstallTarget {
public:
    // The suite root and the folder of each program entry of the description.
    explicit CInstallTarget(const UpdateDescription& description);

    // The full path of the entry's file; false with the reason in error when
    // it has none or it lies outside the allowed folders.
    bool Resolve(const UpdateEntry& entry, std::string& path, std::string& error) const;

    const std::vector<std::string>& AllowedFolders() const { return m_allowed; }

private:
    bool IsAllowed(const std::string& path) const;

    std::vector<std::string> m_allowed; // canonical
};

} // namespace verup
