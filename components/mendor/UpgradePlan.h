#pragma once

// The upgrade description and the updater program.
//
// A description is markup rooted in a Verup element whose children are
// COM (ProgID, ClassID, NewVersion), EXE (FileName, NewVersion) and any other
// entries (AutoRun ...), tags in any letter case. Filtering keeps the root
// with all its attributes, every COM and EXE entry that needs work and every
// other entry, in their order and with their text untouched. The root's
// DownloadURL and NewVersion say where the updater program comes from and
// which version it must at least have.

#include <string>

class CXmlDocument;

namespace mendor {

class CUpgradePlan {
public:
    CUpgradePlan();

    // Replaces the description by its filtered text. False, with the reason
    // in lastError, when it has no Verup root or nothing in it needs work;
    // false without a reason for an empty description. Makes sure of the
    // updater program on the way (a failure leaves its reason in lastError).
    bool FilterPlan(std::string& description, std::string& lastError);

    // Downloads the updater program into the system directory when it is
    // missing or older than the updater version, and makes it runnable.
    bool EnsureUpdater(std::string& lastError);

    const std::string& UpdaterUrl() const { return m_updaterUrl; }
    const std::string& UpdaterVersion() const { return m_updaterVersion; }

    // <system directory>/Verup.exe
    static std::string UpdaterPath();

private:
    bool NeedsWork(const std::string& tag, const CXmlDocument& entry) const;
    bool DownloadUpdater(const std::string& path, std::string& lastError) const;

    std::string m_updaterUrl;
    std::string m_updaterVersion;
};

} // namespace mendor
