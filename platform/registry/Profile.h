#pragma once

// Application profiles: settings by section and entry, kept in the registry
// under HKEY_CURRENT_USER.
// - The designer's profile: Software\<registry key>\<application name>\<section>
//   (Profile::ForApplication).
// - A component's default profile: Software\<component name>\<section>
//   (Profile::ForComponent; Kaldra keeps "Kaldra_Alias" and "Kaldra_Kaldra"
//   there).
// Strings are REG_SZ, integers REG_DWORD and byte blocks REG_BINARY values; an
// entry of another type reads as missing. The getters give the default when
// the entry is missing or the registry cannot be read.

#include "platform/base/Types.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

class Profile {
public:
    // `keyPath` is the profile's key below HKEY_CURRENT_USER.
    explicit Profile(std::string keyPath);

    static Profile ForApplication(std::string_view registryKey, std::string_view applicationName);
    static Profile ForComponent(std::string_view componentName);

    const std::string& KeyPath() const { return m_keyPath; }

    std::string GetString(std::string_view section, std::string_view entry, std::string_view defaultValue = {}) const;
    UINT GetInt(std::string_view section, std::string_view entry, int defaultValue) const;
    // False, with `data` emptied, when the entry is missing.
    bool GetBinary(std::string_view section, std::string_view entry, std::vector<BYTE>& data) const;

    // The writers create the section when missing and return false when the
    // registry cannot be written.
    bool WriteString(std::string_view section, std::string_view entry, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view entry, int value);
    bool WriteBinary(std::string_view section, std::string_view entry, std::span<const BYTE> data);

    bool DeleteEntry(std::string_view section, std::string_view entry);
    bool DeleteSection(std::string_view section);

private:
    std::string SectionPath(std::string_view section) const;
    bool Read(std::string_view section, std::string_view entry, DWORD type, std::string& data) const;
    bool Write(std::string_view section, std::string_view entry, DWORD type, std::string_view data);

    std::string m_keyPath;
};

} // namespace registry
