#pragma once

// One update run: every COM and EXE entry is downloaded into its place (a new
// file takes the old one's place only once it has fully arrived, so a failed
// download leaves the installed file as it was), components that ask for it
// are registered with "regsvr /s", and programs get their run bit. Then the
// programs to start afterwards are started: each AutoRun entry's FileName with
// its Param, and each EXE entry's AfterVerupRun, a program named twice with
// the same parameters being started once.

#include "outside/verup/InstallTarget.h"
#include "outside/verup/UpdateEntry.h"

#include <string>
#include <vector>

namespace verup {

// Told about each step, on the thread that runs the update.
class IUpdateObserver {
public:
    virtual ~IUpdateObserver() = default;
    virtual void StepStarted(std::size_t step) = 0;
    virtual void StepFinished(std::size_t step, bool succeeded, const std::string& message) = 0;
};

class CUpdateRun {
public:
    explicit CUpdateRun(const UpdateDescription& description);

    // The entries in the order they are worked: installs first, then starts.
    const std::vector<UpdateEntry>& Steps() const { return m_steps; }

    // True when every step succeeded.
    bool Run(IUpdateObserver& observer) const;

private:
    bool Install(const UpdateEntry& entry, std::string& message) const;
    static bool Register(const std::string& path, std::string& message);
    static bool Start(const UpdateEntry& entry, std::string& message);

    CInstallTarget m_target;
    std::vector<UpdateEntry> m_steps;
};

} // namespace verup
