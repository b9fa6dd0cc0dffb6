#include "platform/system/SharedMemory.h"

#include "platform/base/Errors.h"
#include "tests/support/ChildProgram.h"

#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A block name of this test alone, so that tests running at once never meet.
std::string UniqueName()
{
    return "plinth-test-" + std::to_string(getpid()) + "-"
        + testing::UnitTest::GetInstance()->current_test_info()->name();
}

// Closes a mapping handle when the test is done with it.
class Mapping {
public:
    explicit Mapping(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~Mapping()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

HANDLE Create(const std::string& name, DWORD size)
{
    return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
}

TEST(SharedMemoryTest, SecondCreateInTheSameProcessGetsTheSameBlock)
{
    std::string name = UniqueName();
    Mapping first(Create(name, 100));
    ASSERT_TRUE(first.Get());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    Mapping second(Create(name, 4000));
    ASSERT_TRUE(second.Get());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(sys::SharedMemorySize(second.Get()), 100u);

    auto* writer = static_cast<char*>(MapViewOfFile(first.Get(), FILE_MAP_WRITE, 0, 0, 100));
    auto* reader = static_cast<char*>(MapViewOfFile(second.Get(), FILE_MAP_READ, 0, 0, 0));
    ASSERT_TRUE(writer && reader);
    std::strcpy(writer, "<Verup />");
    EXPECT_STREQ(reader, "<Verup />");
    EXPECT_TRUE(UnmapViewOfFile(writer));
    EXPECT_TRUE(UnmapViewOfFile(reader));
}

TEST(SharedMemoryTest, AnotherProcessOpensReadsAndWritesTheBlock)
{
    std::string name = UniqueName();
    const std::string text = "<Verup StopVerup='yes'>升级</Verup>";
    Mapping mapping(Create(name, static_cast<DWORD>(text.size())));
    ASSERT_TRUE(mapping.Get());
    auto* bytes = static_cast<char*>(MapViewOfFile(mapping.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, text.size()));
    ASSERT_TRUE(bytes);
    std::memcpy(bytes, text.data(), text.size());

    test::ChildProgram peer(PLINTH_SHARED_BLOCK_PEER, {name, std::to_string(text.size())});
    std::string line;
    ASSERT_TRUE(peer.ReadLine(line));
    EXPECT_EQ(line, "existed " + std::to_string(text.size()));
    ASSERT_TRUE(peer.ReadLine(line));
    EXPECT_EQ(line, "done");
    EXPECT_EQ(peer.Wait(), 0);

    EXPECT_EQ(std::string(bytes, text.size()), std::string(text.rbegin(), text.rend()));
    UnmapViewOfFile(bytes);
}

TEST(SharedMemoryTest, NameGoesAwayWithTheLastHandleAndView)
{
    std::string name = UniqueName();
    HANDLE handle = Create(name, 64);
    ASSERT_TRUE(handle);
    void* view = MapViewOfFile(handle, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    ASSERT_TRUE(view);
    EXPECT_TRUE(CloseHandle(handle));
    {
        Mapping stillThere(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
        EXPECT_TRUE(stillThere.Get()) << "a view keeps the block";
    }
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_EQ(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(SharedMemoryTest, BlockLeftBehindByACrashedProcessIsReplaced)
{
    // What a process that died holding the block leaves: the name, no holder.
    std::string name = UniqueName();
    int leftover = shm_open(("/" + name).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(leftover, 0);
    ASSERT_EQ(ftruncate(leftover, 16), 0);
    close(leftover);

    EXPECT_EQ(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    leftover = shm_open(("/" + name).c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(ftruncate(leftover, 16), 0);
    close(leftover);
    Mapping fresh(Create(name, 64));
    ASSERT_TRUE(fresh.Get());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(sys::SharedMemorySize(fresh.Get()), 64u);
}

TEST(SharedMemoryTest, ViewsNeverReachPastTheBlock)
{
    // A second hand-off longer than the block that already exists must not
    // write past its end.
    std::string name = UniqueName();
    Mapping first(Create(name, 10));
    Mapping second(Create(name, 20));
    ASSERT_TRUE(second.Get());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(MapViewOfFile(second.Get(), FILE_MAP_WRITE, 0, 0, 20), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(MapViewOfFile(second.Get(), FILE_MAP_WRITE, 0, 1, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
}

TEST(SharedMemoryTest, ReadOnlyHandleGivesNoWritableView)
{
    std::string name = UniqueName();
    Mapping created(Create(name, 10));
    Mapping reader(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    ASSERT_TRUE(reader.Get());
    EXPECT_EQ(MapViewOfFile(reader.Get(), FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

struct CreateFailure {
    const char* name;
    bool withFile;
    DWORD protect;
    DWORD size;
    const char* blockName;
    LONG error;
};

const CreateFailure CreateFailures[] = {
    {"ZeroSize", false, PAGE_READWRITE, 0, "plinth-test-zero", ERROR_INVALID_PARAMETER},
    {"SlashInName", false, PAGE_READWRITE, 8, "plinth/test", ERROR_INVALID_NAME},
    {"FileBackedMapping", true, PAGE_READWRITE, 8, "plinth-test-file", ERROR_INVALID_HANDLE},
    {"ExecutableProtection", false, 0x40, 8, "plinth-test-exec", ERROR_INVALID_PARAMETER},
};

class CreateFailureTest : public testing::TestWithParam<CreateFailure> {};

TEST_P(CreateFailureTest, IsRefusedWithTheErrorCode)
{
    const CreateFailure& failure = GetParam();
    HANDLE file = failure.withFile ? reinterpret_cast<HANDLE>(0x1234) : INVALID_HANDLE_VALUE;
    EXPECT_EQ(CreateFileMappingA(file, nullptr, failure.protect, 0, failure.size, failure.blockName), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(failure.error));
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateFailureTest, testing::ValuesIn(CreateFailures),
                         [](const testing::TestParamInfo<CreateFailure>& info) { return info.param.name; });

TEST(SharedMemoryTest, UnknownHandlesAndAddressesAreRefused)
{
    EXPECT_EQ(MapViewOfFile(reinterpret_cast<HANDLE>(0x99), FILE_MAP_READ, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    int local = 0;
    EXPECT_FALSE(UnmapViewOfFile(&local));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
}

TEST(SharedMemoryTest, UnnamedBlockIsPrivate)
{
    Mapping mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, nullptr));
    ASSERT_TRUE(mapping.Get());
    auto* bytes = static_cast<char*>(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_TRUE(bytes);
    bytes[4095] = 'x';
    EXPECT_TRUE(UnmapViewOfFile(bytes));
}

} // namespace
