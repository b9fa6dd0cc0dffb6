#include "platform/registry/RegistryStore.h"

#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/TempSuiteRoot.h"

#include <csignal>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sqlite3.h>

namespace {

namespace fs = std::filesystem;

const std::string Writer = PLINTH_REGISTRY_WRITER;

std::string ReadAll(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

// Which of the values v<first>..v<first+count-1> the key holds with the right data.
int CountValues(const char* path, long first, long count)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    int found = 0;
    for (long i = first; i < first + count; ++i) {
        DWORD value = 0, size = sizeof value, type = 0;
        std::string name = "v" + std::to_string(i);
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS
            && type == REG_DWORD && value == static_cast<DWORD>(i))
            ++found;
    }
    RegCloseKey(key);
    return found;
}

TEST(RegistryStoreProcessesTest, TwoProcessesWritingAtOnceLoseNothing)
{
    test::TempSuiteRoot root;
    // Both start on a root without a store, so they also race to create it.
    test::ChildProgram first(Writer, {R"(Software\Shared)", "0", "300"});
    test::ChildProgram second(Writer, {R"(software\SHARED)", "300", "300"});
    std::string line, lastFirst, lastSecond;
    while (first.ReadLine(line))
        lastFirst = line;
    while (second.ReadLine(line))
        lastSecond = line;
    EXPECT_EQ(first.Wait(), 0) << lastFirst;
    EXPECT_EQ(second.Wait(), 0) << lastSecond;
    EXPECT_EQ(CountValues(R"(Software\Shared)", 0, 600), 600);
}

TEST(RegistryStoreProcessesTest, WriterKilledInTheMiddleKeepsWhatItCommitted)
{
    test::TempSuiteRoot root;
    long committed = -1;
    {
        test::ChildProgram writer(Writer, {R"(Software\Killed)", "0", "1000000"});
        std::string line;
        while (committed < 200 && writer.ReadLine(line))
            committed = std::stol(line);
        ASSERT_GE(committed, 200);
        writer.Kill(SIGKILL);
        EXPECT_EQ(writer.Wait(), 128 + SIGKILL);
    }
    // Every value it reported committed is there, and the store still takes writes.
    EXPECT_EQ(CountValues(R"(Software\Killed)", 0, committed + 1), committed + 1);
    test::ChildProgram after(Writer, {R"(Software\Killed)", "0", "10"});
    std::string line;
    while (after.ReadLine(line)) {
    }
    EXPECT_EQ(after.Wait(), 0);
}

struct BrokenStore {
    const char* name;
    std::function<void(const fs::path& file)> make;
    LONG error;
};

const BrokenStore BrokenStores[] = {
    {"GarbageBytes",
     [](const fs::path& file) {
         std::string garbage(8192, '\0');
         for (std::size_t i = 0; i < garbage.size(); ++i)
             garbage[i] = static_cast<char>((i * 7919 + 13) % 251);
         std::ofstream(file, std::ios::binary) << garbage;
     },
     ERROR_BADDB},
    {"TextFile", [](const fs::path& file) { std::ofstream(file) << "registry settings, not a database\n"; },
     ERROR_BADDB},
    {"ForeignDatabase",
     [](const fs::path& file) {
         sqlite3* database = nullptr;
         sqlite3_open(file.c_str(), &database);
         sqlite3_exec(database, "CREATE TABLE keys(something TEXT)", nullptr, nullptr, nullptr);
         sqlite3_close(database);
     },
     ERROR_BADDB},
    {"Folder", [](const fs::path& file) { fs::create_directory(file); }, ERROR_CANTOPEN},
};

class BrokenStoreTest : public testing::TestWithParam<BrokenStore> {};

TEST_P(BrokenStoreTest, EveryCallFailsWithOneMessageAndTheFileStaysAsItWas)
{
    test::TempSuiteRoot root;
    fs::path file = root.Path() / "registry.db";
    GetParam().make(file);
    std::string before = fs::is_regular_file(file) ? ReadAll(file) : "";
    const LONG error = GetParam().error;

    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), error);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              error);
    EXPECT_EQ(key, nullptr);
    DWORD value = 1;
    EXPECT_EQ(RegSetValueExA(HKEY_CLASSES_ROOT, "Name", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), error);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(HKEY_LOCAL_MACHINE, "Name", nullptr, nullptr, nullptr, &size), error);
    char name[32];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(HKEY_CLASSES_ROOT, 0, name, &length, nullptr, nullptr, nullptr, nullptr), error);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software"), error);
    std::string messages = testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), 1) << messages;
    EXPECT_NE(messages.find(file.string()), std::string::npos) << messages;
    if (fs::is_regular_file(file)) {
        EXPECT_EQ(ReadAll(file), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenStoreTest, testing::ValuesIn(BrokenStores),
                         [](const testing::TestParamInfo<BrokenStore>& info) { return info.param.name; });

TEST(RegistryStoreTest, StoreIsInWriteAheadLogMode)
{
    test::TempSuiteRoot root;
    registry::RegistryStore store((root.Path() / "registry.db").string());
    registry::KeyId key = 0;
    bool created = false;
    ASSERT_EQ(store.CreateKey(registry::CurrentUserKey, "Software", key, created), ERROR_SUCCESS);
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open((root.Path() / "registry.db").c_str(), &database), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database, "PRAGMA journal_mode", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "wal");
    sqlite3_finalize(statement);
    sqlite3_close(database);
}

} // namespace
