#include "components/mendor/ServerLookup.h"

#include "components/mendor/Text.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"

#include <set>
#include <vector>

namespace mendor {

namespace {

class CKeyReader {
public:
    explicit CKeyReader(const std::string& keyPath)
    {
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_READ, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~CKeyReader()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    CKeyReader(const CKeyReader&) = delete;
    CKeyReader& operator=(const CKeyReader&) = delete;

    bool ReadDefault(std::string& value) const
    {
        if (!m_key)
            return false;
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExA(m_key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        std::vector<BYTE> data(size + 1, 0);
        if (RegQueryValueExA(m_key, nullptr, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_LINK)
            return false;
        value.assign(reinterpret_cast<const char*>(data.data())); // up to the terminating NUL
        return true;
    }

private:
    HKEY m_key = nullptr;
};

// ProgIDs are registry key names, found without regard to ASCII letter case.
struct NoCaseLess {
    bool operator()(const std::string& left, const std::string& right) const
    {
        return UpperAscii(left) < UpperAscii(right);
    }
};

std::string ServerOfClass(const std::string& bareClassId)
{
    std::string path;
    return ReadClassRootDefault("CLSID\\{" + bareClassId + "}\\InprocServer32", path) ? path : std::string();
}

} // namespace

bool ReadClassRootDefault(const std::string& keyPath, std::string& value)
{
    return CKeyReader(keyPath).ReadDefault(value);
}

std::string StripBraces(const std::string& classId)
{
    std::string bare = classId;
    if (!bare.empty() && bare.front() == '{')
        bare.front() = ' ';
    if (!bare.empty() && bare.back() == '}')
        bare.back() = ' ';
    return TrimBlanks(bare);
}

std::string ProgIdToServerPath(const std::string& progId)
{
    std::set<std::string, NoCaseLess> visited;
    std::string current = progId;
    std::string classId;
    while (!ReadClassRootDefault(current + "\\CLSID", classId)) {
        if (!visited.insert(current).second)
            return {};
        std::string next;
        if (!ReadClassRootDefault(current + "\\CurVer", next))
            return {};
        current = next;
    }
    return ServerOfClass(StripBraces(classId));
}

std::string ClassIdToServerPath(const std::string& classId)
{
    const std::string bare = StripBraces(classId);
    std::string progId;
    if (!ReadClassRootDefault("CLSID\\{" + bare + "}\\ProgID", progId))
        return {};
    return ServerOfClass(StripBraces(bare));
}

} // namespace mendor
