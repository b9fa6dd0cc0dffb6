#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace test {

ScopedEnvironment::~ScopedEnvironment()
{
    // Restored in reverse, so a variable set twice ends with its first old value.
    for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved) {
        if (saved->second)
            setenv(saved->first.c_str(), saved->second->c_str(), 1);
        else
            unsetenv(saved->first.c_str());
    }
}

void ScopedEnvironment::Set(const std::string& name, const char* value)
{
    const char* old = std::getenv(name.c_str());
    m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value)
        setenv(name.c_str(), value, 1);
    else
        unsetenv(name.c_str());
}

} // namespace test
