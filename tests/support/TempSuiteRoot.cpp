#include "tests/support/TempSuiteRoot.h"

#include <cstdlib>
#include <stdexcept>

namespace test {

TempSuiteRoot::TempSuiteRoot()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plinth-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary suite root");
    m_path = pattern;
    if (const char* previous = std::getenv("PLINTH_ROOT")) {
        m_hadPrevious = true;
        m_previous = previous;
    }
    setenv("PLINTH_ROOT", m_path.c_str(), 1);
}

TempSuiteRoot::~TempSuiteRoot()
{
    if (m_hadPrevious)
        setenv("PLINTH_ROOT", m_previous.c_str(), 1);
    else
        unsetenv("PLINTH_ROOT");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace test
