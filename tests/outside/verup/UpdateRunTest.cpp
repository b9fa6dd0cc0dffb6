#include "outside/verup/UpdateRun.h"

#include "ClassRoot.h"
#include "UpgradeFixture.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    bool succeeded;
    std::string message;
};

class CRecordingObserver : public verup::IUpdateObserver {
public:
    void StepStarted(std::size_t step) override { started.push_back(step); }
    void StepFinished(std::size_t step, bool succeeded, const std::string& message) override
    {
        EXPECT_EQ(started.back(), step);
        outcomes.push_back({ succeeded, message });
    }

    std::vector<std::size_t> started;
    std::vector<Outcome> outcomes;
};

class UpdateRunTest : public test::UpgradeFixture {
protected:
    void SetUp() override
    {
        m_path = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (fs::path(PLINTH_REGSVR).parent_path().string() + ":" + m_path).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", m_path.c_str(), 1); }

    bool Run(const std::string& text)
    {
        verup::UpdateDescription description;
        std::string error;
        EXPECT_TRUE(verup::ReadDescription(text, description, error)) << error;
        const verup::CUpdateRun run(description);
        for (const verup::UpdateEntry& step : run.Steps())
            m_labels.push_back(step.Label());
        return run.Run(m_observer);
    }

    std::string m_path;
    std::vector<std::string> m_labels;
    CRecordingObserver m_observer;
};

TEST_F(UpdateRunTest, ComponentIsDownloadedIntoTheSystemDirectoryAndRegistered)
{
    m_site.SetFile("/download/Probe.dll", PLINTH_MENDOR_NEW_PROBE);
    const std::string installed = SystemDirectory() + "/Probe.dll";
    EXPECT_TRUE(
        Run("<Verup><COM SoftName='Probe' ProgID='Probe.Widget' DownloadURL='" + m_site.Url("/download/Probe.dll")
            + "' InstallDir='GetSystemDirectory()\\Probe.dll' DllRegisterServer='yes'/></Verup>"));
    ASSERT_EQ(m_observer.outcomes.size(), 1u);
    EXPECT_EQ(m_observer.outcomes[0].message, "installed and registered " + installed);
    EXPECT_EQ(test::ReadFileBytes(installed), test::ReadFileBytes(PLINTH_MENDOR_NEW_PROBE));
    const std::string classId = test::ClassRootDefault("Probe.Widget\\CLSID");
    EXPECT_EQ(test::ClassRootDefault("CLSID\\" + classId + "\\InprocServer32"), installed);
}

TEST_F(UpdateRunTest, ProgramGetsItsRunBitAndIsStartedOnceAfterwards)
{
    const std::string tool = (m_root.Path() / "bin" / "Tool").string();
    m_site.SetFile("/download/Tool", PLINTH_MENDOR_RECORDING_UPDATER);
    EXPECT_TRUE(Run("<Verup>"
                    "<AutoRun FileName='"
        + tool
        + "' Param='first \"second word\"'/>"
          "<EXE SoftName='Tool' FileName='"
        + tool + "' DownloadURL='" + m_site.Url("/download/Tool")
        + "' AfterVerupRun='/bin/true'/>"
          "<AutoRun FileName='"
        + tool
        + "' Param='first \"second word\"'/>"
          "<AutoRun FileName='/bin/true' Param=''/>"
          "</Verup>"));
    // Installs come first; a program named twice with the same parameters
    // (the second AutoRun, the after-run start) is started once.
    EXPECT_EQ(m_labels, (std::vector<std::string> { "EXE Tool", "AutoRun " + tool, "AutoRun /bin/true" }));
    ASSERT_EQ(m_observer.outcomes.size(), 3u);
    EXPECT_EQ(m_observer.outcomes[0].message, "installed " + tool);
    EXPECT_EQ(m_observer.outcomes[1].message, "started " + tool);
    EXPECT_EQ(m_observer.outcomes[2].message, "started /bin/true");
    EXPECT_EQ(access(tool.c_str(), X_OK), 0);
    // The started tool records the arguments it was given.
    EXPECT_EQ(HandOffFile("command-line"), "first second word");
}

TEST_F(UpdateRunTest, FailuresLeaveInstalledFilesAsTheyWere)
{
    const std::string installed = SystemDirectory() + "/Kaldra.dll";
    test::WriteFileBytes(installed, "the installed component");
    m_site.SetPage("/download/Kaldra.dll", "gone", 404);
    m_site.SetPage("/download/Broken.dll", "not a component");
    EXPECT_FALSE(Run("<Verup>"
                     "<COM SoftName='Kaldra' DownloadURL='"
        + m_site.Url("/download/Kaldra.dll")
        + "' InstallDir='GetSystemDirectory()\\Kaldra.dll'/>"
          "<COM SoftName='Evil' DownloadURL='"
        + m_site.Url("/download/Kaldra.dll")
        + "' InstallDir='/etc/Evil.dll'/>"
          "<COM SoftName='NoUrl' InstallDir='GetSystemDirectory()\\NoUrl.dll'/>"
          "<COM SoftName='Broken' DownloadURL='"
        + m_site.Url("/download/Broken.dll")
        + "' InstallDir='GetSystemDirectory()\\Broken.dll' DllRegisterServer='yes'/>"
          "<AutoRun FileName='/no/such/program' Param=''/>"
          "</Verup>"));
    ASSERT_EQ(m_observer.outcomes.size(), 5u);
    for (const Outcome& outcome : m_observer.outcomes)
        EXPECT_FALSE(outcome.succeeded) << outcome.message;
    EXPECT_EQ(m_observer.outcomes[0].message,
        "download of " + m_site.Url("/download/Kaldra.dll") + " failed: Not found; " + installed + " is unchanged");
    EXPECT_EQ(m_observer.outcomes[1].message,
        "'/etc/Evil.dll' lies outside the suite root and the folders of the programs being updated");
    EXPECT_EQ(m_observer.outcomes[2].message, "no DownloadURL says where the file comes from");
    EXPECT_EQ(m_observer.outcomes[3].message, "regsvr /s " + SystemDirectory() + "/Broken.dll failed (exit code 3)");
    EXPECT_EQ(m_observer.outcomes[4].message, "there is no program /no/such/program to start");
    EXPECT_EQ(test::ReadFileBytes(installed), "the installed component");
    EXPECT_FALSE(fs::exists("/etc/Evil.dll"));
    EXPECT_FALSE(fs::exists(SystemDirectory() + "/NoUrl.dll"));
}

} // namespace
