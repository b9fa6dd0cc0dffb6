#include "common/http/DownloadFile.h"

#include "tests/support/TempSuiteRoot.h"
#include "tests/support/FileContent.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using test::ReadFile;
using test::WriteFile;

std::size_t EntriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class DownloadFileTest : public ::testing::Test {
protected:
    fs::path Local(const std::string& name) const { return m_root.Path() / name; }

    test::TempSuiteRoot m_root;
};

TEST_F(DownloadFileTest, TargetAppearsOnlyOnCommit)
{
    const fs::path target = Local("Mendor.dll");
    http::CDownloadFile file(target.string());
    EXPECT_EQ(EntriesIn(m_root.Path()), 0u) << "nothing is created before the first bytes";
    ASSERT_TRUE(file.Write(std::string("ab\0c", 4)));
    ASSERT_TRUE(file.Write("def"));
    EXPECT_FALSE(fs::exists(target));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), std::string("ab\0cdef", 7));
    EXPECT_EQ(EntriesIn(m_root.Path()), 1u);
}

TEST_F(DownloadFileTest, EmptyBodyCommitsAnEmptyFile)
{
    const fs::path target = Local("empty.bin");
    WriteFile(target, "earlier");
    http::CDownloadFile file(target.string());
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), "");
}

TEST_F(DownloadFileTest, UncommittedDownloadLeavesEarlierFileAlone)
{
    const fs::path target = Local("Verup.exe");
    WriteFile(target, "earlier program");
    {
        http::CDownloadFile file(target.string());
        ASSERT_TRUE(file.Write("half a prog"));
    }
    EXPECT_EQ(ReadFile(target), "earlier program");
    EXPECT_EQ(EntriesIn(m_root.Path()), 1u);
}

TEST_F(DownloadFileTest, ReplacementKeepsPermissions)
{
    const fs::path target = Local("Verup.exe");
    WriteFile(target, "earlier program, longer than the new one");
    fs::permissions(target, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    http::CDownloadFile file(target.string());
    ASSERT_TRUE(file.Write("new"));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

TEST_F(DownloadFileTest, LinkKeepsPointingAtTheFileThatGetsTheContent)
{
    fs::create_directory(Local("real"));
    const fs::path real = Local("real/Kaldra.dll");
    const fs::path link = Local("Kaldra.dll");
    WriteFile(real, "earlier");
    fs::create_symlink(real, link);
    http::CDownloadFile file(link.string());
    ASSERT_TRUE(file.Write("new"));
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "new");
}

} // namespace
