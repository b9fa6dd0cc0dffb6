#include "ClassRoot.h"

#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/support/ChildProgram.h"

#include <stdexcept>

namespace test {

void SetClassRootDefault(const std::string& keyPath, const std::string& value, DWORD type)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath);
    const LONG result = type == REG_DWORD
        ? RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4)
        : RegSetValueExA(
            key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        throw std::runtime_error("cannot set " + keyPath);
}

void RegisterInprocClass(const std::string& progId, const std::string& classId, const std::string& serverPath)
{
    SetClassRootDefault(progId + "\\CLSID", "{" + classId + "}");
    SetClassRootDefault("CLSID\\{" + classId + "}\\ProgID", progId);
    SetClassRootDefault("CLSID\\{" + classId + "}\\InprocServer32", serverPath);
}

std::string ClassRootDefault(const std::string& keyPath)
{
    char value[512] = {};
    LONG size = sizeof value;
    return RegQueryValueA(HKEY_CLASSES_ROOT, keyPath.c_str(), value, &size) == ERROR_SUCCESS ? value : "<missing>";
}

int RegisterWithRegsvr(const std::string& regsvr, const std::string& file)
{
    ChildProgram program(regsvr, { "/s", file });
    std::string line;
    while (program.ReadLine(line)) { }
    return program.Wait();
}

} // namespace test
