#include "components/mendor/PendingList.h"

#include "components/mendor/ServerLookup.h"
#include "components/mendor/Version.h"

namespace mendor {

void CPendingList::AddProgram(const std::string& path, const std::string& newVersion, const std::string& downloadUrl)
{
    m_items.push_back({ UpgradeItem::Program, path, {}, newVersion, downloadUrl });
}

void CPendingList::AddComponent(
    const std::string& progId, const std::string& newVersion, const std::string& downloadUrl)
{
    m_items.push_back({ UpgradeItem::Component, {}, progId, newVersion, downloadUrl });
}

std::string CPendingList::EntryLines(const CanCreate& canCreate) const
{
    std::string lines;
    for (const UpgradeItem& item : m_items) {
        if (item.kind == UpgradeItem::Component) {
            if (!canCreate(item.progId))
                lines += ComponentLine("Install", item);
            else if (NeedsUpgrade(FileVersionString(ProgIdToServerPath(item.progId)), item.newVersion))
                lines += ComponentLine("Verup", item);
        } else if (NeedsUpgrade(FileVersionString(item.programPath), item.newVersion)) {
            lines += ProgramLine(item);
        }
    }
    return lines;
}

std::string ComponentLine(const char* type, const UpgradeItem& item)
{
    return std::string("<COM Type='") + type + "' DllRegisterServer='yes' ProgID='" + item.progId + "' "
        + "NewVersion='" + item.newVersion + "' " + "DownloadURL='" + item.downloadUrl + "' />\r\n";
}

std::string ProgramLine(const UpgradeItem& item)
{
    return "<EXE Type='Verup' FileName='" + item.programPath + "' " + "NewVersion='" + item.newVersion + "' "
        + "DownloadURL='" + item.downloadUrl + "' />\r\n";
}

} // namespace mendor
