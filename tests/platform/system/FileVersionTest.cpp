#include "platform/system/FileVersion.h"

#include "platform/base/Errors.h"
#include "tests/support/TempSuiteRoot.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The fixed record of a file read the way the suite's version lookups do.
std::optional<VS_FIXEDFILEINFO> QueryFixedRecord(const std::string& path)
{
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    LPVOID fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &fixed, &length) || length != sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    VS_FIXEDFILEINFO record;
    std::memcpy(&record, fixed, sizeof record);
    return record;
}

struct VersionedFile {
    const char* name;
    const char* path;
    DWORD versionMS;
    DWORD versionLS;
    DWORD fileType;
};

const VersionedFile VersionedFiles[] = {
    {"Program", PLINTH_ARGUMENT_ECHO, 0x00010002, 0x00030004, VFT_APP},
    {"SharedLibrary", PLINTH_VERSIONED_LIBRARY, 0x00050006, 0x00070008, VFT_DLL},
};

class VersionedFileTest : public testing::TestWithParam<VersionedFile> {};

TEST_P(VersionedFileTest, RecordWrittenAtBuildTimeReadsBack)
{
    const VersionedFile& file = GetParam();
    auto record = QueryFixedRecord(file.path);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(record->dwStrucVersion, VS_FFI_STRUCVERSION);
    EXPECT_EQ(record->dwFileVersionMS, file.versionMS);
    EXPECT_EQ(record->dwFileVersionLS, file.versionLS);
    EXPECT_EQ(record->dwProductVersionMS, file.versionMS);
    EXPECT_EQ(record->dwProductVersionLS, file.versionLS);
    EXPECT_EQ(record->dwFileType, file.fileType);
}

INSTANTIATE_TEST_SUITE_P(Files, VersionedFileTest, testing::ValuesIn(VersionedFiles),
                         [](const testing::TestParamInfo<VersionedFile>& info) { return info.param.name; });

class FileWithoutVersionTest : public testing::Test {
protected:
    void ExpectNoRecord(const std::string& path, LONG error)
    {
        SetLastError(0);
        EXPECT_EQ(GetFileVersionInfoSizeA(path.c_str(), nullptr), 0u) << path;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(error)) << path;
        BYTE block[64];
        EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, sizeof block, block));
    }
    test::TempSuiteRoot m_root;
};

TEST_F(FileWithoutVersionTest, MissingFileEmptyFileTextFolderAndUnversionedProgramHaveNone)
{
    ExpectNoRecord((m_root.Path() / "missing.dll").string(), ERROR_FILE_NOT_FOUND);
    WriteAll(m_root.Path() / "empty", "");
    ExpectNoRecord((m_root.Path() / "empty").string(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    WriteAll(m_root.Path() / "text.txt", "\x7F" "ELF but only text");
    ExpectNoRecord((m_root.Path() / "text.txt").string(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    ExpectNoRecord(m_root.String(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    ExpectNoRecord(fs::read_symlink("/proc/self/exe").string(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
}

TEST_F(FileWithoutVersionTest, TruncatedCopiesNeverCrashAndNeverInventARecord)
{
    std::string library = ReadAll(PLINTH_VERSIONED_LIBRARY);
    ASSERT_GT(library.size(), 1000u);
    fs::path copy = m_root.Path() / "truncated.so";
    for (std::size_t length = 0; length < library.size(); length += 1 + length / 8) {
        WriteAll(copy, library.substr(0, length));
        EXPECT_EQ(GetFileVersionInfoSizeA(copy.c_str(), nullptr), 0u) << "length " << length;
    }
}

TEST_F(FileWithoutVersionTest, RecordWithDamagedSignatureIsNotTaken)
{
    std::string library = ReadAll(PLINTH_VERSIONED_LIBRARY);
    const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    std::size_t at = library.find(std::string(signature, 4));
    ASSERT_NE(at, std::string::npos);
    library[at] = 0;
    WriteAll(m_root.Path() / "damaged.so", library);
    EXPECT_EQ(GetFileVersionInfoSizeA((m_root.Path() / "damaged.so").c_str(), nullptr), 0u);
}

TEST(VersionQueryTest, OnlyTheFixedRecordIsThere)
{
    auto size = GetFileVersionInfoSizeA(PLINTH_VERSIONED_LIBRARY, nullptr);
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    std::vector<BYTE> block(size);
    EXPECT_FALSE(GetFileVersionInfoA(PLINTH_VERSIONED_LIBRARY, 0, size - 1, block.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_TRUE(GetFileVersionInfoA(PLINTH_VERSIONED_LIBRARY, 0, size, block.data()));
    LPVOID value = nullptr;
    UINT length = 99;
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", &value, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    EXPECT_EQ(value, block.data());
}

} // namespace
