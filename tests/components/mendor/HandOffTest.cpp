#include "components/mendor/HandOff.h"

#include "UpgradeFixture.h"
#include "platform/system/SharedMemory.h"

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string Busy = "升级程序还在读取上一次的升级信息,请稍后再试!";

class HandOffTest : public test::UpgradeFixture {
protected:
    void SetUp() override { InstallUpdater(PLINTH_MENDOR_RECORDING_UPDATER); }

    bool Start(const std::string& description)
    {
        return mendor::CHandOff::Instance().Start(description, UpdaterPath(), m_lastError);
    }

    // The description the recording updater found, after it has ended.
    std::string Recorded()
    {
        EXPECT_NE(HandOffFile("command-line"), "");
        const std::string block = HandOffFile("block");
        fs::remove_all(m_root.Path() / "handoff");
        return block;
    }

    // The bytes of the block as it stands, read as another holder would.
    static std::string BlockNow()
    {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, mendor::CHandOff::BlockName);
        if (!mapping)
            return "<none>";
        const auto size = static_cast<std::size_t>(sys::SharedMemorySize(mapping));
        auto* bytes = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
        std::string copy(bytes, size);
        UnmapViewOfFile(bytes);
        CloseHandle(mapping);
        return copy;
    }

    std::string m_lastError;
};

TEST_F(HandOffTest, BlockHoldsExactlyTheDescriptionAndItsLengthIsTheCommandLine)
{
    const std::string description = "<Verup StopVerup='yes'>\r\n<COM SoftName='组件' />\r\n</Verup>";
    ASSERT_TRUE(Start(description));
    EXPECT_EQ(HandOffFile("command-line"), std::to_string(description.size()));
    EXPECT_EQ(HandOffFile("block-size"), std::to_string(description.size()));
    EXPECT_EQ(HandOffFile("block"), description);
    EXPECT_EQ(m_lastError, "");
}

TEST_F(HandOffTest, LaterHandOffGetsABlockOfItsOwnLength)
{
    const std::string shorter = "<Verup><A/></Verup>";
    const std::string longer = "<Verup><COM ProgID='Probe.Widget' NewVersion='1.0.0.4'/><B/></Verup>";
    ASSERT_TRUE(Start(longer));
    EXPECT_EQ(Recorded(), longer);
    ASSERT_TRUE(Start(shorter));
    EXPECT_EQ(HandOffFile("block-size"), std::to_string(shorter.size()));
    EXPECT_EQ(Recorded(), shorter);
    ASSERT_TRUE(Start(longer));
    EXPECT_EQ(HandOffFile("block-size"), std::to_string(longer.size()));
    EXPECT_EQ(Recorded(), longer);
}

TEST_F(HandOffTest, UpdaterThatEndedWithoutReadingFreesTheBlock)
{
    setenv("MENDOR_TEST_UPDATER", "exit", 1);
    ASSERT_TRUE(Start("<Verup><First/></Verup>"));
    unsetenv("MENDOR_TEST_UPDATER");
    ASSERT_TRUE(Start("<Verup><Second and='longer'/></Verup>"));
    EXPECT_EQ(Recorded(), "<Verup><Second and='longer'/></Verup>");
}

TEST_F(HandOffTest, UpdaterStillRunningAfterTakingItsCopyFreesTheBlock)
{
    setenv("MENDOR_TEST_UPDATER", "stay", 1);
    ASSERT_TRUE(Start("<Verup><First/></Verup>"));
    unsetenv("MENDOR_TEST_UPDATER");
    EXPECT_EQ(HandOffFile("command-line"), "23");
    EXPECT_EQ(HandOffFile("block"), "<Verup><First/></Verup>");
    for (const char* file : { "command-line", "block", "block-size" })
        fs::remove(m_root.Path() / "handoff" / file);
    // The earlier updater still runs; its cleared block says it has its copy.
    ASSERT_TRUE(Start("<Verup><Second and='longer'/></Verup>"));
    EXPECT_EQ(Recorded(), "<Verup><Second and='longer'/></Verup>");
}

TEST_F(HandOffTest, UnreadDescriptionIsNeverOverwritten)
{
    const std::string first = "<Verup><First/></Verup>";
    setenv("MENDOR_TEST_UPDATER", "hold", 1);
    ASSERT_TRUE(Start(first));
    ASSERT_EQ(HandOffFile("holding"), "");
    unsetenv("MENDOR_TEST_UPDATER");

    EXPECT_FALSE(Start("<Verup><Second and='much longer than the first'/></Verup>"));
    EXPECT_EQ(m_lastError, Busy);
    EXPECT_EQ(BlockNow(), first);

    ReleaseRecordingUpdater(); // it ends without taking its copy
    fs::remove_all(m_root.Path() / "handoff");
    m_lastError.clear();
    ASSERT_TRUE(Start("<Verup><Third/></Verup>"));
    EXPECT_EQ(Recorded(), "<Verup><Third/></Verup>");
}

TEST_F(HandOffTest, UpdaterThatCannotStartFailsAndLeavesNoBlock)
{
    fs::remove(UpdaterPath());
    EXPECT_FALSE(Start("<Verup><A/></Verup>"));
    EXPECT_EQ(m_lastError, "不能启动升级程序!");
    EXPECT_EQ(BlockNow(), "<none>");
}

} // namespace
