#include "platform/system/ModuleFileName.h"

#include "platform/base/Errors.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <filesystem>
#include <unistd.h>

namespace {

std::string ProgramFileName()
{
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::string SharedObjectFileName(const void* address)
{
    Dl_info info {};
    link_map* object = nullptr;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&object), RTLD_DL_LINKMAP) || !object)
        return {};
    // The program's own entry carries no name; its path comes from /proc.
    if (!object->l_name || !*object->l_name)
        return ProgramFileName();
    // The dynamic linker reports the name the object was loaded by; callers
    // want the full path whatever the loader was handed.
    char resolved[PATH_MAX];
    if (realpath(object->l_name, resolved))
        return resolved;
    return object->l_name;
}

} // namespace

namespace sys {

std::string ModuleFileName(const void* address)
{
    return address ? SharedObjectFileName(address) : ProgramFileName();
}

} // namespace sys

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size)
{
    std::string name = sys::ModuleFileName(module);
    if (name.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() >= size) {
        std::memcpy(buffer, name.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(name.size());
}
