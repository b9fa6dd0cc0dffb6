#include "platform/system/ChildProcess.h"

#include "platform/system/Spawn.h"

#include <algorithm>
#include <cerrno>
#include <sys/wait.h>
#include <thread>

namespace sys {

ChildProcess::~ChildProcess()
{
    std::lock_guard lock(m_mutex);
    if (!m_exitCode && !Collect())
        ReapInBackground(m_pid);
}

bool ChildProcess::Collect()
{
    if (m_exitCode)
        return true;
    int status = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return false;
    if (result < 0) {
        // Someone else collected the child; its status is lost.
        m_exitCode = 0xFFFFFFFFu;
        return true;
    }
    if (WIFEXITED(status))
        m_exitCode = static_cast<DWORD>(WEXITSTATUS(status));
    else
        m_exitCode = 128u + static_cast<DWORD>(WTERMSIG(status));
    return true;
}

bool ChildProcess::Wait(DWORD milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const bool forever = milliseconds == 0xFFFFFFFFu;
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    auto pause = std::chrono::milliseconds(1);
    while (true) {
        {
            std::lock_guard lock(m_mutex);
            if (Collect())
                return true;
        }
        auto now = Clock::now();
        if (!forever && now >= deadline)
            return false;
        auto step = forever ? pause : std::min<Clock::duration>(pause, deadline - now);
        std::this_thread::sleep_for(step);
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

std::optional<DWORD> ChildProcess::ExitCode()
{
    std::lock_guard lock(m_mutex);
    Collect();
    return m_exitCode;
}

} // namespace sys
