#include "components/mendor/UpgradePlan.h"

#include "ClassRoot.h"
#include "UpgradeFixture.h"

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* ProbeClassId = "0B5E1D2C-3A4F-4B6E-9C8D-7E6F5A4B3C2D";
constexpr const char* NoProgIdClassId = "66666666-7777-8888-9999-AAAAAAAAAAAA";
const std::string NothingToUpgrade = "没有需要升级的组件!";
const std::string BadRoot = "XML的头标签错误!";
const std::string DownloadFailed = "不能访问网络,导致不能升级!";

class UpgradePlanTest : public test::UpgradeFixture {
protected:
    void SetUp() override
    {
        test::RegisterInprocClass("Probe.Widget.1", ProbeClassId, PLINTH_MENDOR_OLD_PROBE);
        test::SetClassRootDefault(
            std::string("CLSID\\{") + NoProgIdClassId + "}\\InprocServer32", PLINTH_MENDOR_OLD_PROBE);
        InstallUpdater(PLINTH_MENDOR_RECORDING_UPDATER); // version 1.0.0.7: current
    }

    mendor::CUpgradePlan m_plan;
    std::string m_lastError;
};

struct FilterCase {
    const char* name;
    std::string description;
    std::string filtered; // empty: nothing needs work
    std::string error;
};

const std::string OldProbe = PLINTH_MENDOR_OLD_PROBE;

const FilterCase FilterCases[] = {
    { "KeepsWhatNeedsWorkAndEveryOtherEntry",
        "<?xml version='1.0' encoding='gb2312'?>\r\n"
        "<Verup DownloadURL='' NewVersion='' StopVerup='yes'>\r\n"
        "<AutoRun FileName='/opt/Plinth' Param='' />\r\n"
        "<COM Type='Verup' ProgID='Probe.Widget.1' NewVersion='1.0.0.3' />\r\n"
        "<com ProgID='Probe.Widget.1' NewVersion='1.0.0.4' SoftName='&apos;x&apos;' />\r\n"
        "<Com ProgID='Probe.Missing' NewVersion='1.0.0.1' />\r\n"
        "<COM ProgID='Probe.Missing' NewVersion='0.0.0.0' />\r\n"
        "<COM ProgID='Probe.Missing' NewVersion='' />\r\n"
        "<COM ProgID='Probe.Missing' ClassID='{"
            + std::string(ProbeClassId)
            + "}' NewVersion='1.0.0.3' />\r\n"
              "<COM ProgID='Probe.Widget.1' ClassID='"
            + std::string(NoProgIdClassId)
            + "' NewVersion='1.0.0.3' />\r\n"
              "<Exe FileName='"
            + OldProbe
            + "' NewVersion='1.0.0.3' />\r\n"
              "<EXE FileName='/no/such/Plinth' NewVersion='1.0' AfterVerupRun='/no/such/Plinth'></EXE>\r\n"
              "<Other a='1'/>\r\n"
              "</Verup>\r\n",
        "<?xml version='1.0' encoding='gb2312'?>\r\n"
        "<Verup DownloadURL='' NewVersion='' StopVerup='yes'>\r\n"
        "<AutoRun FileName='/opt/Plinth' Param='' />\r\n"
        "<com ProgID='Probe.Widget.1' NewVersion='1.0.0.4' SoftName='&apos;x&apos;' />\r\n"
        "<Com ProgID='Probe.Missing' NewVersion='1.0.0.1' />\r\n"
        "<COM ProgID='Probe.Widget.1' ClassID='"
            + std::string(NoProgIdClassId)
            + "' NewVersion='1.0.0.3' />\r\n"
              "<EXE FileName='/no/such/Plinth' NewVersion='1.0' AfterVerupRun='/no/such/Plinth'></EXE>\r\n"
              "<Other a='1'/>\r\n"
              "</Verup>\r\n",
        "" },
    { "RootTagInAnyCase", "<VERUP><COM ProgID='Probe.Missing' NewVersion='1'/></VERUP>",
        "<VERUP><COM ProgID='Probe.Missing' NewVersion='1'/></VERUP>", "" },
    { "LastEntryRemovedWithItsBlanks",
        "<Verup><EXE FileName='/no/such' NewVersion='1'/> <COM ProgID='Probe.Widget.1' NewVersion='1.0.0.3'/> </Verup>",
        "<Verup><EXE FileName='/no/such' NewVersion='1'/> </Verup>", "" },
    { "EverythingCurrent",
        "<Verup><COM ProgID='Probe.Widget.1' NewVersion='1.0.0.3'/><EXE FileName='" + OldProbe
            + "' NewVersion='1.0'/></Verup>",
        "", NothingToUpgrade },
    { "OnlyAutoRun", "<Verup><AutoRun FileName='/opt/Plinth' Param=''/></Verup>", "", NothingToUpgrade },
    { "NoChild", "<Verup StopVerup='yes'></Verup>", "", NothingToUpgrade },
    { "EmptyRoot", "<Verup/>", "", NothingToUpgrade },
    { "NoVerupRoot", "<Upgrade><COM ProgID='Probe.Missing' NewVersion='1'/></Upgrade>", "", BadRoot },
    { "NotMarkup", "http://", "", BadRoot },
    { "Truncated", "<Verup><COM ProgID='Probe.Missing' NewVersion='1'/>", "", BadRoot },
};

class FilterPlanTest : public UpgradePlanTest, public testing::WithParamInterface<FilterCase> { };

TEST_P(FilterPlanTest, FiltersTheDescription)
{
    const FilterCase& c = GetParam();
    std::string description = c.description;
    EXPECT_EQ(m_plan.FilterPlan(description, m_lastError), !c.filtered.empty());
    EXPECT_EQ(description, c.filtered.empty() ? c.description : c.filtered);
    EXPECT_EQ(m_lastError, c.error);
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 0); // the updater is current
}

INSTANTIATE_TEST_SUITE_P(Descriptions, FilterPlanTest, testing::ValuesIn(FilterCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UpgradePlanTest, EmptyDescriptionFailsWithoutAReason)
{
    std::string description;
    m_lastError = "earlier";
    EXPECT_FALSE(m_plan.FilterPlan(description, m_lastError));
    EXPECT_EQ(m_lastError, "earlier");
}

TEST_F(UpgradePlanTest, UpdaterSettingsStartFromTheSiteAndFollowTheRoot)
{
    EXPECT_EQ(m_plan.UpdaterUrl(), m_site.Url("/GetComSoft.asp?id=0 "));
    EXPECT_EQ(m_plan.UpdaterVersion(), "1.0.0.6 ");

    std::string description = "<Verup DownloadURL='" + m_site.Url("/updater") + "' NewVersion='1.0.0.7'>"
        + "<COM ProgID='Probe.Missing' NewVersion='1'/></Verup>";
    EXPECT_TRUE(m_plan.FilterPlan(description, m_lastError));
    EXPECT_EQ(m_plan.UpdaterUrl(), m_site.Url("/updater"));
    EXPECT_EQ(m_plan.UpdaterVersion(), "1.0.0.7");

    // Empty attributes leave the settings as they are.
    description = "<Verup DownloadURL='' NewVersion=''><COM ProgID='Probe.Missing' NewVersion='1'/></Verup>";
    EXPECT_TRUE(m_plan.FilterPlan(description, m_lastError));
    EXPECT_EQ(m_plan.UpdaterUrl(), m_site.Url("/updater"));
    EXPECT_EQ(m_plan.UpdaterVersion(), "1.0.0.7");
}

TEST_F(UpgradePlanTest, MissingUpdaterIsDownloadedAndRunnable)
{
    fs::remove(UpdaterPath());
    m_site.SetFile("/GetComSoft.asp?id=0", PLINTH_MENDOR_RECORDING_UPDATER);
    EXPECT_TRUE(m_plan.EnsureUpdater(m_lastError));
    EXPECT_EQ(m_lastError, "");
    EXPECT_EQ(test::ReadFileBytes(UpdaterPath()), test::ReadFileBytes(PLINTH_MENDOR_RECORDING_UPDATER));
    EXPECT_EQ(access(UpdaterPath().c_str(), X_OK), 0);
}

TEST_F(UpgradePlanTest, UpdaterOlderThanWantedIsReplaced)
{
    InstallUpdater(PLINTH_MENDOR_OLD_PROBE); // version 1.0.0.3
    m_site.SetFile("/GetComSoft.asp?id=0", PLINTH_MENDOR_RECORDING_UPDATER);
    EXPECT_TRUE(m_plan.EnsureUpdater(m_lastError));
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 1);
    EXPECT_EQ(test::ReadFileBytes(UpdaterPath()), test::ReadFileBytes(PLINTH_MENDOR_RECORDING_UPDATER));

    // Current now: nothing more is fetched.
    EXPECT_TRUE(m_plan.EnsureUpdater(m_lastError));
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 1);
}

TEST_F(UpgradePlanTest, FailedDownloadKeepsTheOldUpdaterAndSaysWhy)
{
    InstallUpdater(PLINTH_MENDOR_OLD_PROBE);
    m_site.SetPage("/GetComSoft.asp?id=0", "gone", 404);
    EXPECT_FALSE(m_plan.EnsureUpdater(m_lastError));
    EXPECT_EQ(m_lastError, DownloadFailed);
    EXPECT_EQ(test::ReadFileBytes(UpdaterPath()), test::ReadFileBytes(PLINTH_MENDOR_OLD_PROBE));
}

TEST_F(UpgradePlanTest, FilterStillSucceedsWhenTheUpdaterCannotBeFetched)
{
    fs::remove(UpdaterPath());
    std::string description = "<Verup><COM ProgID='Probe.Missing' NewVersion='1'/></Verup>";
    EXPECT_TRUE(m_plan.FilterPlan(description, m_lastError));
    EXPECT_EQ(m_lastError, DownloadFailed);
    EXPECT_FALSE(fs::exists(UpdaterPath()));
}

} // namespace
