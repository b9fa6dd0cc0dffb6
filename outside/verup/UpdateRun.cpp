#include "outside/verup/UpdateRun.h"

#include "common/http/VelInternet.h"
#include "platform/system/ChildProcess.h"
#include "platform/system/CommandLine.h"
#include "platform/system/Spawn.h"
#include "platform/system/RunBit.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace verup {

namespace fs = std::filesystem;

namespace {

bool SameStart(const UpdateEntry& a, const UpdateEntry& b)
{
    return a.fileName == b.fileName && a.param == b.param;
}

void AddStart(std::vector<UpdateEntry>& steps, UpdateEntry start)
{
    const bool known = std::any_of(steps.begin(), steps.end(),
        [&](const UpdateEntry& step) { return step.kind == UpdateEntry::AutoRun && SameStart(step, start); });
    if (!known)
        steps.push_back(std::move(start));
}

// The exit code of a started child, once it has ended; -1 when it could not
// be started or its status was lost.
int WaitForExit(pid_t pid)
{
    if (pid < 0)
        return -1;
    sys::ChildProcess child(pid);
    child.Wait(0xFFFFFFFFu);
    return static_cast<int>(child.ExitCode().value_or(0xFFFFFFFFu));
}

std::string WithSlashes(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

} // namespace

CUpdateRun::CUpdateRun(const UpdateDescription& description)
    : m_target(description)
{
    for (const UpdateEntry& entry : description.entries)
        if (entry.kind != UpdateEntry::AutoRun)
            m_steps.push_back(entry);
    for (const UpdateEntry& entry : description.entries)
        if (entry.kind == UpdateEntry::AutoRun)
            AddStart(m_steps, entry);
    for (const UpdateEntry& entry : description.entries) {
        if (entry.kind == UpdateEntry::Program && !entry.afterRun.empty()) {
            UpdateEntry start;
            start.kind = UpdateEntry::AutoRun;
            start.fileName = entry.afterRun;
            AddStart(m_steps, std::move(start));
        }
    }
}

bool CUpdateRun::Run(IUpdateObserver& observer) const
{
    bool allSucceeded = true;
    for (std::size_t step = 0; step < m_steps.size(); ++step) {
        observer.StepStarted(step);
        const UpdateEntry& entry = m_steps[step];
        std::string message;
        const bool succeeded = entry.kind == UpdateEntry::AutoRun ? Start(entry, message) : Install(entry, message);
        allSucceeded = allSucceeded && succeeded;
        observer.StepFinished(step, succeeded, message);
    }
    return allSucceeded;
}

bool CUpdateRun::Install(const UpdateEntry& entry, std::string& message) const
{
    std::string path;
    if (!m_target.Resolve(entry, path, message))
        return false;
    if (entry.downloadUrl.empty()) {
        message = "no DownloadURL says where the file comes from";
        return false;
    }
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    int code = 0;
    std::string errorText;
    if (!CVelInternet().FetchFile(entry.downloadUrl, path, code, errorText)) {
        message = "download of " + entry.downloadUrl + " failed: " + errorText + "; " + path + " is unchanged";
        return false;
    }
    if (entry.kind == UpdateEntry::Program && !sys::MakeRunnable(path)) {
        message = path + " cannot be made runnable";
        return false;
    }
    if (entry.kind == UpdateEntry::Component && entry.registerServer && !Register(path, message))
        return false;
    message
        = (entry.registerServer && entry.kind == UpdateEntry::Component ? "installed and registered " : "installed ")
        + path;
    return true;
}

bool CUpdateRun::Register(const std::string& path, std::string& message)
{
    const std::string regsvr = sys::FindProgram("regsvr");
    if (regsvr.empty()) {
        message = "regsvr is neither in the system directory nor on PATH, so " + path + " is not registered";
        return false;
    }
    sys::SpawnRequest request;
    request.program = regsvr;
    request.arguments = { "regsvr", "/s", path };
    const sys::SpawnResult started = sys::Spawn(request);
    const int exitCode = WaitForExit(started.pid);
    if (exitCode != 0) {
        message = "regsvr /s " + path + " failed (exit code " + std::to_string(exitCode) + ")";
        return false;
    }
    return true;
}

bool CUpdateRun::Start(const UpdateEntry& entry, std::string& message)
{
    const std::string program = sys::FindProgram(WithSlashes(entry.fileName));
    if (program.empty() || access(program.c_str(), X_OK) != 0) {
        message = "there is no program " + entry.fileName + " to start";
        return false;
    }
    sys::SpawnRequest request;
    request.program = program;
    request.arguments = sys::SplitCommandLine(" " + entry.param);
    if (request.arguments.empty())
        request.arguments.push_back(program);
    else
        request.arguments.front() = program;
    const sys::SpawnResult started = sys::Spawn(request);
    if (started.pid < 0) {
        message = program + " cannot be started (error " + std::to_string(started.error) + ")";
        return false;
    }
    sys::ReapInBackground(started.pid);
    message = "started " + program;
    return true;
}

} // namespace verup
