#include "outside/verup/Updater.h"

#include "outside/verup/ConsoleReport.h"
#include "outside/verup/HandOffReader.h"
#include "outside/verup/VerupWindow.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace verup {

namespace {

constexpr int Succeeded = 0;
constexpr int SomeFailed = 1;
constexpr int NothingToWork = 2;

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Passes each step to both the lines and the window.
class CBothReports : public IUpdateObserver {
public:
    CBothReports(IUpdateObserver& first, IUpdateObserver& second)
        : m_first(first)
        , m_second(second)
    {
    }
    void StepStarted(std::size_t step) override
    {
        m_first.StepStarted(step);
        m_second.StepStarted(step);
    }
    void StepFinished(std::size_t step, bool succeeded, const std::string& message) override
    {
        m_first.StepFinished(step, succeeded, message);
        m_second.StepFinished(step, succeeded, message);
    }

private:
    IUpdateObserver& m_first;
    IUpdateObserver& m_second;
};

int RunWithWindow(const CUpdateRun& run, CConsoleReport& lines, int argc, char** argv)
{
    QApplication application(argc, argv);
    CVerupWindow window(run.Steps());
    window.show();
    bool allSucceeded = false;
    std::thread worker([&] {
        CBothReports both(lines, window);
        allSucceeded = run.Run(both);
        window.RunFinished(allSucceeded);
    });
    application.exec();
    worker.join(); // a window closed early still lets the entries under way finish
    return allSucceeded ? Succeeded : SomeFailed;
}

} // namespace

bool HasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && (std::strcmp(platform, "offscreen") == 0 || std::strcmp(platform, "minimal") == 0))
        return false;
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

int RunUpdater(int argc, char** argv)
{
    bool lengthGiven = false;
    bool window = true;
    std::size_t length = 0;
    bool usable = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--no-window" || argument == "/q" || argument == "-q")
            window = false;
        else if (!lengthGiven && ParseLength(argument, length))
            lengthGiven = true;
        else
            usable = false;
    }

    std::vector<UpdateEntry> none;
    CConsoleReport handOffLines(none);
    if (!usable || !lengthGiven) {
        handOffLines.Line("failed", "hand-off", "usage: Verup.exe <length of the description> [--no-window]");
        return NothingToWork;
    }
    std::string text;
    std::string error;
    UpdateDescription description;
    if (!TakeHandOff(length, text, error) || !ReadDescription(text, description, error)) {
        handOffLines.Line("failed", "hand-off", error);
        return NothingToWork;
    }

    const CUpdateRun run(description);
    CConsoleReport lines(run.Steps());
    if (window && HasDisplay())
        return RunWithWindow(run, lines, argc, argv);
    return run.Run(lines) ? Succeeded : SomeFailed;
}

} // namespace verup
