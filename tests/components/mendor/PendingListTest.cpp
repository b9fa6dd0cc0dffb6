#include "components/mendor/PendingList.h"

#include "ClassRoot.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* ProbeClassId = "0B5E1D2C-3A4F-4B6E-9C8D-7E6F5A4B3C2D";

class PendingListTest : public testing::Test {
protected:
    void SetUp() override { test::RegisterInprocClass("Probe.Widget.1", ProbeClassId, PLINTH_MENDOR_OLD_PROBE); }

    // Stands in for creating the component: only the ProgIDs named here can be made.
    static mendor::CPendingList::CanCreate Creatable(std::vector<std::string> progIds)
    {
        return [progIds](const std::string& progId) {
            return std::find(progIds.begin(), progIds.end(), progId) != progIds.end();
        };
    }

    test::TempSuiteRoot m_root;
    mendor::CPendingList m_list;
};

TEST_F(PendingListTest, LinesAreWrittenAsTheyAreStored)
{
    mendor::UpgradeItem component { mendor::UpgradeItem::Component, {}, "A.B", "1.0.0.4", "http://h/a&b.dll" };
    mendor::UpgradeItem program { mendor::UpgradeItem::Program, "/opt/o'brien/Plinth", {}, "1.2.0.3", "http://h/p" };
    EXPECT_EQ(mendor::ComponentLine("Verup", component),
        "<COM Type='Verup' DllRegisterServer='yes' ProgID='A.B' NewVersion='1.0.0.4' "
        "DownloadURL='http://h/a&b.dll' />\r\n");
    EXPECT_EQ(mendor::ComponentLine("Install", component),
        "<COM Type='Install' DllRegisterServer='yes' ProgID='A.B' NewVersion='1.0.0.4' "
        "DownloadURL='http://h/a&b.dll' />\r\n");
    EXPECT_EQ(mendor::ProgramLine(program),
        "<EXE Type='Verup' FileName='/opt/o'brien/Plinth' NewVersion='1.2.0.3' DownloadURL='http://h/p' />\r\n");
}

TEST_F(PendingListTest, EmptyListHasNoLines)
{
    EXPECT_EQ(m_list.EntryLines(Creatable({})), "");
}

TEST_F(PendingListTest, ComponentsThatNeedWorkInListOrder)
{
    m_list.AddComponent("Probe.Widget.1", "1.0.0.3", "u1"); // current: no line
    m_list.AddComponent("Probe.Missing", "1.0.0.1", "u2"); // cannot be made: install
    m_list.AddComponent("Probe.Widget.1", "1.0.0.4", "u3"); // older than offered: upgrade
    m_list.AddComponent("Probe.Widget.1", "1.0.0.4", "u3"); // duplicates stay
    m_list.AddProgram(PLINTH_MENDOR_OLD_PROBE, "1.0.0.3", "u4"); // current program: no line
    m_list.AddProgram(PLINTH_MENDOR_OLD_PROBE, "1.1", "u5");
    m_list.AddProgram("/no/such/Plinth", "0.0.0.1", "u6");
    const std::string oldProbe = PLINTH_MENDOR_OLD_PROBE;
    EXPECT_EQ(m_list.EntryLines(Creatable({ "Probe.Widget.1" })),
        "<COM Type='Install' DllRegisterServer='yes' ProgID='Probe.Missing' NewVersion='1.0.0.1' "
        "DownloadURL='u2' />\r\n"
        "<COM Type='Verup' DllRegisterServer='yes' ProgID='Probe.Widget.1' NewVersion='1.0.0.4' "
        "DownloadURL='u3' />\r\n"
        "<COM Type='Verup' DllRegisterServer='yes' ProgID='Probe.Widget.1' NewVersion='1.0.0.4' "
        "DownloadURL='u3' />\r\n"
        "<EXE Type='Verup' FileName='"
            + oldProbe
            + "' NewVersion='1.1' DownloadURL='u5' />\r\n"
              "<EXE Type='Verup' FileName='/no/such/Plinth' NewVersion='0.0.0.1' DownloadURL='u6' />\r\n");
    EXPECT_EQ(m_list.Items().size(), 7u);
}

TEST_F(PendingListTest, ARegisteredComponentThatCannotBeMadeIsInstalled)
{
    m_list.AddComponent("Probe.Widget.1", "1.0.0.3", "u");
    EXPECT_EQ(m_list.EntryLines(Creatable({})),
        "<COM Type='Install' DllRegisterServer='yes' ProgID='Probe.Widget.1' NewVersion='1.0.0.3' "
        "DownloadURL='u' />\r\n");
}

TEST_F(PendingListTest, RemoveAllEmptiesTheList)
{
    m_list.AddComponent("Probe.Missing", "1", "u");
    m_list.RemoveAll();
    EXPECT_TRUE(m_list.Items().empty());
    EXPECT_EQ(m_list.EntryLines(Creatable({})), "");
}

} // namespace
