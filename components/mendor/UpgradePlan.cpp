#include "components/mendor/UpgradePlan.h"

#include "common/SiteUrl.h"
#include "common/http/VelInternet.h"
#include "common/markup/XmlDocument.h"
#include "components/mendor/Messages.h"
#include "components/mendor/ServerLookup.h"
#include "components/mendor/Text.h"
#include "components/mendor/Version.h"
#include "platform/system/SuiteRoot.h"
#include "platform/system/RunBit.h"

#include <sys/stat.h>

namespace mendor {

namespace {

// The blanks at the ends do no harm: addresses and versions are trimmed
// before they are used.
constexpr const char* UpdaterPage = "/GetComSoft.asp?id=0 ";
constexpr const char* LeastUpdaterVersion = "1.0.0.6 ";

bool IsRegularFile(const std::string& path)
{
    struct stat status { };
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

CUpgradePlan::CUpgradePlan()
    : m_updaterUrl(site::BaseUrl() + UpdaterPage)
    , m_updaterVersion(LeastUpdaterVersion)
{
}

std::string CUpgradePlan::UpdaterPath()
{
    char directory[260] = {};
    const UINT length = GetSystemDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return {};
    return std::string(directory, length) + "/Verup.exe";
}

bool CUpgradePlan::FilterPlan(std::string& description, std::string& lastError)
{
    if (description.empty())
        return false;
    CXmlDocument document(description.c_str());
    if (!document.FindElement("Verup")) {
        lastError = message::BadRoot;
        return false;
    }
    if (std::string url = document.GetAttribute("DownloadURL"); !url.empty())
        m_updaterUrl = url;
    if (std::string version = document.GetAttribute("NewVersion"); !version.empty())
        m_updaterVersion = version;
    EnsureUpdater(lastError);

    int children = 0;
    int seen = 0;
    int removed = 0;
    while (document.FindChildElement("")) {
        ++children;
        const std::string tag = UpperAscii(document.GetChildTagName());
        document.EnterElement();
        if (tag == "COM" || tag == "EXE") {
            ++seen;
            if (!NeedsWork(tag, document)) {
                document.RemoveElement();
                ++removed;
            }
        }
        document.LeaveElement();
    }
    std::string filtered = document.GetText();
    if (children == 0 || removed == seen || filtered.empty()) {
        lastError = message::NothingToUpgrade;
        return false;
    }
    description = std::move(filtered);
    return true;
}

bool CUpgradePlan::NeedsWork(const std::string& tag, const CXmlDocument& entry) const
{
    const std::string offered = entry.GetAttribute("NewVersion");
    if (tag == "EXE")
        return NeedsUpgrade(FileVersionString(entry.GetAttribute("FileName")), offered);
    const std::string classId = entry.GetAttribute("ClassID");
    const std::string server
        = classId.empty() ? ProgIdToServerPath(entry.GetAttribute("ProgID")) : ClassIdToServerPath(classId);
    return NeedsUpgrade(FileVersionString(server), offered);
}

bool CUpgradePlan::EnsureUpdater(std::string& lastError)
{
    const std::string path = UpdaterPath();
    if (!IsRegularFile(path) || NeedsUpgrade(FileVersionString(path), m_updaterVersion))
        return DownloadUpdater(path, lastError);
    return true;
}

bool CUpgradePlan::DownloadUpdater(const std::string& path, std::string& lastError) const
{
    int code = 0;
    std::string errorText;
    if (path.empty() || !CVelInternet().FetchFile(m_updaterUrl, path, code, errorText) || !sys::MakeRunnable(path)) {
        lastError = message::UpdaterDownloadFailed;
        return false;
    }
    return true;
}

} // namespace mendor
