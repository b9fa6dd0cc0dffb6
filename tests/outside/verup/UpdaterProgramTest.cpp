// Verup.exe as Mendor starts it: a child program given the length of the
// description that waits in the block VERUP_XML_SHARE.

#include "outside/verup/HandOffReader.h"
#include "outside/verup/Updater.h"

#include "UpgradeFixture.h"
#include "platform/base/CodePage.h"
#include "platform/system/SharedMemory.h"
#include "tests/support/ChildProgram.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode;
    std::vector<std::string> lines;
};

class UpdaterProgramTest : public test::UpgradeFixture {
protected:
    ~UpdaterProgramTest() override
    {
        if (m_mapping)
            CloseHandle(m_mapping);
    }

    // Leaves the bytes in the block as Mendor does, held by this test.
    void HandOver(const std::string& bytes)
    {
        m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
            static_cast<DWORD>(bytes.size()), verup::HandOffBlockName);
        ASSERT_NE(m_mapping, nullptr);
        auto* view = static_cast<char*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, 0));
        std::memcpy(view, bytes.data(), bytes.size());
        UnmapViewOfFile(view);
    }

    static ProgramRun RunUpdater(const std::vector<std::string>& arguments)
    {
        test::ChildProgram updater(PLINTH_VERUP_PROGRAM, arguments);
        ProgramRun run {};
        std::string line;
        while (updater.ReadLine(line))
            run.lines.push_back(line);
        run.exitCode = updater.Wait();
        return run;
    }

    HANDLE m_mapping = nullptr;
};

TEST_F(UpdaterProgramTest, WithoutADescriptionThereIsNothingToWork)
{
    EXPECT_EQ(RunUpdater({}).lines,
        (std::vector<std::string> { "failed\thand-off\tusage: Verup.exe <length of the description> [--no-window]" }));
    EXPECT_EQ(RunUpdater({ "12", "34" }).exitCode, 2);
    const ProgramRun noBlock = RunUpdater({ "12" });
    EXPECT_EQ(noBlock.exitCode, 2);
    EXPECT_EQ(noBlock.lines,
        (std::vector<std::string> {
            "failed\thand-off\tthere is no upgrade description to read (no block VERUP_XML_SHARE)" }));
}

TEST_F(UpdaterProgramTest, TruncatedOrBrokenDescriptionsAreRefused)
{
    HandOver("<Verup><COM ProgID='x'/>");
    EXPECT_EQ(RunUpdater({ "99" }).lines,
        (std::vector<std::string> { "failed\thand-off\tthe upgrade description is truncated: 24 bytes of 99" }));
    const ProgramRun broken = RunUpdater({ "24" });
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_EQ(broken.lines,
        (std::vector<std::string> { "failed\thand-off\tthe upgrade description has no Verup root "
                                    "(Element tag not found)" }));
}

TEST_F(UpdaterProgramTest, WorksEveryEntryAndSaysHowEachWent)
{
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (fs::path(PLINTH_REGSVR).parent_path().string() + ":" + path).c_str(), 1);
    m_site.SetFile("/download/Probe.dll", PLINTH_MENDOR_NEW_PROBE);
    const std::string description = "<Verup StopVerup='yes'>"
                                    "<COM SoftName='探针' ProgID='Probe.Widget' DownloadURL='"
        + m_site.Url("/download/Probe.dll")
        + "' InstallDir='GetSystemDirectory()\\Probe.dll' DllRegisterServer='yes'/>"
          "<COM SoftName='Missing' DownloadURL='"
        + m_site.Url("/download/Missing.dll") + "' InstallDir='GetSystemDirectory()\\Missing.dll'/>" + "</Verup>";
    HandOver(description);
    const ProgramRun run = RunUpdater({ std::to_string(description.size()), "--no-window" });
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines,
        (std::vector<std::string> {
            base::AnsiToUtf8("ok\tCOM 探针\tinstalled and registered ") + SystemDirectory() + "/Probe.dll",
            "failed\tCOM Missing\tdownload of " + m_site.Url("/download/Missing.dll") + " failed: Not found; "
                + SystemDirectory() + "/Missing.dll is unchanged" }));
}

struct DisplayCase {
    const char* name;
    const char* display;
    const char* wayland;
    const char* platform;
    bool shown;
};

const DisplayCase DisplayCases[] = {
    { "NoDisplay", nullptr, nullptr, nullptr, false },
    { "X11", ":0", nullptr, nullptr, true },
    { "Wayland", nullptr, "wayland-0", nullptr, true },
    { "EmptyDisplay", "", nullptr, nullptr, false },
    { "Offscreen", ":0", nullptr, "offscreen", false },
    { "Minimal", ":0", nullptr, "minimal", false },
    { "ExplicitX11", ":0", nullptr, "xcb", true },
};

class HasDisplayTest : public testing::TestWithParam<DisplayCase> {
protected:
    void SetUp() override
    {
        for (const char* name : Names)
            if (const char* value = std::getenv(name))
                m_saved.emplace_back(name, value);
    }
    void TearDown() override
    {
        for (const char* name : Names)
            unsetenv(name);
        for (const auto& [name, value] : m_saved)
            setenv(name.c_str(), value.c_str(), 1);
    }

    static void Set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }

    static constexpr const char* Names[] = { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" };
    std::vector<std::pair<std::string, std::string>> m_saved;
};

TEST_P(HasDisplayTest, ShowsTheWindowOnlyWithADisplay)
{
    Set("DISPLAY", GetParam().display);
    Set("WAYLAND_DISPLAY", GetParam().wayland);
    Set("QT_QPA_PLATFORM", GetParam().platform);
    EXPECT_EQ(verup::HasDisplay(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Environments, HasDisplayTest, testing::ValuesIn(DisplayCases),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
