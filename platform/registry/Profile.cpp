#include "platform/registry/Profile.h"

#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"

#include <cstring>

namespace {

// Closes a key when it goes out of scope.
class KeyHolder {
public:
    ~KeyHolder()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    PHKEY Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

} // namespace

namespace registry {

Profile::Profile(std::string keyPath)
    : m_keyPath(std::move(keyPath))
{
}

Profile Profile::ForApplication(std::string_view registryKey, std::string_view applicationName)
{
    return Profile("Software\\" + std::string(registryKey) + "\\" + std::string(applicationName));
}

Profile Profile::ForComponent(std::string_view componentName)
{
    return Profile("Software\\" + std::string(componentName));
}

std::string Profile::SectionPath(std::string_view section) const { return m_keyPath + "\\" + std::string(section); }

bool Profile::Read(std::string_view section, std::string_view entry, DWORD type, std::string& data) const
{
    KeyHolder key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, key.Out()))
        return false;
    std::string name(entry);
    DWORD storedType = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &storedType, nullptr, &size) || storedType != type)
        return false;
    data.resize(size);
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &storedType, reinterpret_cast<LPBYTE>(data.data()), &size))
        return false;
    data.resize(size);
    return storedType == type;
}

bool Profile::Write(std::string_view section, std::string_view entry, DWORD type, std::string_view data)
{
    KeyHolder key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, key.Out(), nullptr))
        return false;
    return RegSetValueExA(key.Get(), std::string(entry).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()))
        == ERROR_SUCCESS;
}

std::string Profile::GetString(std::string_view section, std::string_view entry, std::string_view defaultValue) const
{
    std::string data;
    if (!Read(section, entry, REG_SZ, data))
        return std::string(defaultValue);
    data.resize(std::strlen(data.c_str()));
    return data;
}

UINT Profile::GetInt(std::string_view section, std::string_view entry, int defaultValue) const
{
    std::string data;
    if (!Read(section, entry, REG_DWORD, data) || data.size() != sizeof(DWORD))
        return static_cast<UINT>(defaultValue);
    DWORD value;
    std::memcpy(&value, data.data(), sizeof value);
    return value;
}

bool Profile::GetBinary(std::string_view section, std::string_view entry, std::vector<BYTE>& data) const
{
    std::string bytes;
    data.clear();
    if (!Read(section, entry, REG_BINARY, bytes))
        return false;
    data.assign(bytes.begin(), bytes.end());
    return true;
}

bool Profile::WriteString(std::string_view section, std::string_view entry, std::string_view value)
{
    std::string text(value);
    return Write(section, entry, REG_SZ, std::string_view(text.c_str(), text.size() + 1));
}

bool Profile::WriteInt(std::string_view section, std::string_view entry, int value)
{
    DWORD stored = static_cast<DWORD>(value);
    return Write(section, entry, REG_DWORD, std::string_view(reinterpret_cast<const char*>(&stored), sizeof stored));
}

bool Profile::WriteBinary(std::string_view section, std::string_view entry, std::span<const BYTE> data)
{
    return Write(section, entry, REG_BINARY,
                 std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

bool Profile::DeleteEntry(std::string_view section, std::string_view entry)
{
    KeyHolder key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_SET_VALUE, key.Out()))
        return false;
    return RegDeleteValueA(key.Get(), std::string(entry).c_str()) == ERROR_SUCCESS;
}

bool Profile::DeleteSection(std::string_view section)
{
    return RegDeleteTreeA(HKEY_CURRENT_USER, SectionPath(section).c_str()) == ERROR_SUCCESS;
}

} // namespace registry
