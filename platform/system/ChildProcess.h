#pragma once

// A started child process as the handle table holds it. Both handles that
// CreateProcessA gives out refer to one object; it waits for the child and
// keeps its exit code.

#include "platform/system/HandleTable.h"

#include <mutex>
#include <optional>
#include <sys/types.h>

namespace sys {

class ChildProcess : public KernelObject {
public:
    explicit ChildProcess(pid_t pid)
        : m_pid(pid)
    {
    }
    ~ChildProcess() override;

    pid_t Pid() const { return m_pid; }

    // True once the child has ended, waiting at most `milliseconds`
    // (0xFFFFFFFF: without limit).
    bool Wait(DWORD milliseconds);

    // The exit status once the child has ended; a child ended by a signal
    // reports 128 plus the signal number, as shells do.
    std::optional<DWORD> ExitCode();

private:
    bool Collect(); // with m_mutex held

    pid_t m_pid;
    std::mutex m_mutex;
    std::optional<DWORD> m_exitCode;
};

} // namespace sys
