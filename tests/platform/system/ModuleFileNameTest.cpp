#include "platform/system/ModuleFileName.h"

#include "platform/base/Errors.h"

#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::string ModuleName(HMODULE module)
{
    char buffer[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(module, buffer, sizeof buffer);
    return std::string(buffer, length);
}

int FunctionOfTheProgram() { return 1; }

TEST(ModuleFileNameTest, ProgramIsNamedByItsFullPath)
{
    std::string program = fs::canonical("/proc/self/exe").string();
    EXPECT_EQ(ModuleName(nullptr), program);
    EXPECT_EQ(ModuleName(reinterpret_cast<HMODULE>(&FunctionOfTheProgram)), program);
}

TEST(ModuleFileNameTest, LoadedComponentIsNamedByTheAddressOfItsCode)
{
    void* library = dlopen(PLINTH_VERSIONED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    void* anchor = dlsym(library, "PlinthVersionedLibraryAnchor");
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(ModuleName(anchor), fs::canonical(PLINTH_VERSIONED_LIBRARY).string());
    dlclose(library);
}

TEST(ModuleFileNameTest, LongNameIsCutToTheBuffer)
{
    std::string program = fs::canonical("/proc/self/exe").string();
    char buffer[6] = "?????";
    EXPECT_EQ(GetModuleFileNameA(nullptr, buffer, sizeof buffer), sizeof buffer);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(buffer), program.substr(0, 5));
}

TEST(ModuleFileNameTest, AddressOutsideEveryModuleIsNotFound)
{
    char buffer[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(16), buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

} // namespace
