#pragma once

#include <filesystem>
#include <string>

namespace test {

// A fresh suite root for one test: a new temporary folder that PLINTH_ROOT
// points at while the object lives. The folder and the previous value of
// PLINTH_ROOT are restored when it goes away.
class TempSuiteRoot {
public:
    TempSuiteRoot();
    ~TempSuiteRoot();
    TempSuiteRoot(const TempSuiteRoot&) = delete;
    TempSuiteRoot& operator=(const TempSuiteRoot&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string String() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
    bool m_hadPrevious = false;
    std::string m_previous;
};

} // namespace test
