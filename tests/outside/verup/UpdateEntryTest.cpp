#include "outside/verup/UpdateEntry.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadDescriptionTest, ReadsEntriesInOrderAndPassesOverOthers)
{
    const std::string text
        = "<?xml version='1.0' encoding='gb2312'?>\r\n"
          "<verup DownloadURL='http://127.0.0.1:1/u' NewVersion='1.0.0.7' StopVerup='yes'>\r\n"
          "<AutoRun FileName='/opt/Plinth' Param='-x &quot;a b&quot;' />\r\n"
          "<exe Type='Verup' SoftName='Plinth' FileName='/opt/Plinth' NewVersion='1.2.0.3' "
          "DownloadURL='http://127.0.0.1:1/p' InstallDir='/opt/Plinth' AfterVerupRun='/opt/Plinth' />\r\n"
          "<Note text='skipped'/>\r\n"
          "<Com SoftName='组件' ProgID='Kaldra.Setup' NewVersion='1.0.0.3' "
          "DownloadURL='http://127.0.0.1:1/k' InstallDir='GetSystemDirectory()\\Kaldra.dll' "
          "DllRegisterServer='Yes' />\r\n"
          "<COM ProgID='Pressel.Out' />\r\n"
          "</verup>";
    verup::UpdateDescription description;
    std::string error;
    ASSERT_TRUE(verup::ReadDescription(text, description, error));
    ASSERT_EQ(description.entries.size(), 4u);

    const verup::UpdateEntry& run = description.entries[0];
    EXPECT_EQ(run.kind, verup::UpdateEntry::AutoRun);
    EXPECT_EQ(run.param, "-x \"a b\"");
    EXPECT_EQ(run.Label(), "AutoRun /opt/Plinth");

    const verup::UpdateEntry& program = description.entries[1];
    EXPECT_EQ(program.kind, verup::UpdateEntry::Program);
    EXPECT_EQ(program.fileName, "/opt/Plinth");
    EXPECT_EQ(program.afterRun, "/opt/Plinth");
    EXPECT_EQ(program.downloadUrl, "http://127.0.0.1:1/p");
    EXPECT_EQ(program.Label(), "EXE Plinth");

    const verup::UpdateEntry& component = description.entries[2];
    EXPECT_EQ(component.kind, verup::UpdateEntry::Component);
    EXPECT_EQ(component.progId, "Kaldra.Setup");
    EXPECT_EQ(component.installDir, "GetSystemDirectory()\\Kaldra.dll");
    EXPECT_TRUE(component.registerServer);
    EXPECT_EQ(component.Label(), "COM 组件");

    EXPECT_FALSE(description.entries[3].registerServer);
    EXPECT_EQ(description.entries[3].Label(), "COM Pressel.Out");
}

TEST(ReadDescriptionTest, TextWithoutVerupRootIsRefused)
{
    const char* texts[] = { "", "<Other/>", "<Verup><COM ProgID='x'/>", "plain text" };
    for (const char* text : texts) {
        verup::UpdateDescription description;
        std::string error;
        EXPECT_FALSE(verup::ReadDescription(text, description, error)) << text;
        EXPECT_TRUE(error.starts_with("the upgrade description has no Verup root")) << error;
    }
}

} // namespace
