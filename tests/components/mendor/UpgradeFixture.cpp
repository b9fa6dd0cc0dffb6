#include "UpgradeFixture.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

namespace test {

namespace fs = std::filesystem;

UpgradeFixture::UpgradeFixture()
{
    fs::create_directories(SystemDirectory());
}

UpgradeFixture::~UpgradeFixture()
{
    ReleaseRecordingUpdater();
    unsetenv("MENDOR_TEST_UPDATER");
}

std::string UpgradeFixture::SystemDirectory() const
{
    return (m_root.Path() / "system").string();
}

void UpgradeFixture::InstallUpdater(const std::string& program) const
{
    fs::copy_file(program, UpdaterPath(), fs::copy_options::overwrite_existing);
    fs::permissions(UpdaterPath(), fs::perms::owner_all, fs::perm_options::add);
}

std::string UpgradeFixture::HandOffFile(const char* name) const
{
    const fs::path file = m_root.Path() / "handoff" / name;
    for (int waited = 0; !fs::exists(file) && waited < 1000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ReadFileBytes(file.string());
}

void UpgradeFixture::ReleaseRecordingUpdater() const
{
    std::error_code ignored;
    fs::create_directories(m_root.Path() / "handoff", ignored);
    WriteFileBytes((m_root.Path() / "handoff" / "release").string(), "");
}

} // namespace test
