#pragma once

// What the upgrade tests share: a fresh suite root, a vendor site on
// 127.0.0.1 that PLINTH_SITE_URL points at, and the updater program in place.

#include "SiteServer.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>
#include <string>

namespace test {

class UpgradeFixture : public testing::Test {
protected:
    UpgradeFixture();
    ~UpgradeFixture() override;

    std::string SystemDirectory() const;
    std::string UpdaterPath() const { return SystemDirectory() + "/Verup.exe"; }
    // Puts a copy of the file in the system directory as Verup.exe, runnable.
    void InstallUpdater(const std::string& program) const;
    // A file of <suite root>/handoff/ as the recording updater writes it,
    // waiting for it up to ten seconds; empty when it did not come.
    std::string HandOffFile(const char* name) const;
    // Lets a recording updater that holds the block go.
    void ReleaseRecordingUpdater() const;

    TempSuiteRoot m_root;
    SiteServer m_site;
};

} // namespace test
