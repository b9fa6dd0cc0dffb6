#pragma once

// One line per finished step on standard output, as UTF-8 for the terminal:
//   ok<TAB>COM Kaldra<TAB>installed and registered /home/u/.local/share/plinth/system/Kaldra.dll
//   failed<TAB>EXE Plinth<TAB>download of http://... failed: Not found; ... is unchanged

#include "outside/verup/UpdateRun.h"

#include <cstdio>
#include <mutex>

namespace verup {

class CConsoleReport : public IUpdateObserver {
public:
    explicit CConsoleReport(const std::vector<UpdateEntry>& steps, std::FILE* out = stdout)
        : m_steps(steps)
        , m_out(out)
    {
    }

    void StepStarted(std::size_t) override { }
    void StepFinished(std::size_t step, bool succeeded, const std::string& message) override;

    // A line about the run as a whole, such as a hand-off that cannot be read.
    void Line(const char* status, const std::string& label, const std::string& message);

private:
    const std::vector<UpdateEntry>& m_steps;
    std::FILE* m_out;
    std::mutex m_mutex;
};

} // namespace verup
