#pragma once

// The pending upgrade list: the programs and components a caller declares one
// by one, and the entry lines of those that need work.

#include "platform/base/Types.h"

#include <functional>
#include <string>
#include <vector>

namespace mendor {

struct UpgradeItem {
    enum Kind : WORD { Program = 1, Component = 2 };

    WORD kind = Program;
    std::string programPath; // programs only
    std::string progId; // components only
    std::string newVersion;
    std::string downloadUrl;
};

class CPendingList {
public:
    // Whether a component can be created at all (this creates and releases one).
    using CanCreate = std::function<bool(const std::string& progId)>;

    void AddProgram(const std::string& path, const std::string& newVersion, const std::string& downloadUrl);
    void AddComponent(const std::string& progId, const std::string& newVersion, const std::string& downloadUrl);
    void RemoveAll() { m_items.clear(); }
    const std::vector<UpgradeItem>& Items() const { return m_items; }

    // One line, ended by CR LF, for each entry that needs work, in list order:
    // a component that cannot be created is to be installed, one that is older
    // than offered is to be upgraded, and so is an older program file.
    std::string EntryLines(const CanCreate& canCreate) const;

private:
    std::vector<UpgradeItem> m_items;
};

// The entry lines themselves. Values go in as they are, without escaping.
std::string ComponentLine(const char* type, const UpgradeItem& item);
std::string ProgramLine(const UpgradeItem& item);

} // namespace mendor
