#include "outside/verup/ConsoleReport.h"

#include "platform/base/CodePage.h"

namespace verup {

void CConsoleReport::StepFinished(std::size_t step, bool succeeded, const std::string& message)
{
    Line(succeeded ? "ok" : "failed", m_steps[step].Label(), message);
}

void CConsoleReport::Line(const char* status, const std::string& label, const std::string& message)
{
    std::lock_guard lock(m_mutex);
    std::fprintf(m_out, "%s\t%s\t%s\n", status, base::AnsiToUtf8(label).c_str(), base::AnsiToUtf8(message).c_str());
    std::fflush(m_out);
}

} // namespace verup
