#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace test {

// Sets and clears environment variables for one test and gives every variable
// it touched its old value (or absence) back when it goes away.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // A null value removes the variable.
    void Set(const std::string& name, const char* value);
    void Set(const std::string& name, const std::string& value) { Set(name, value.c_str()); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace test
