#include "outside/verup/UpdateEntry.h"

#include "common/markup/XmlDocument.h"

namespace verup {

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool IsYes(const std::string& value)
{
    return UpperAscii(value) == "YES";
}

} // namespace

std::string UpdateEntry::Label() const
{
    switch (kind) {
    case Component:
        return "COM " + (softName.empty() ? progId : softName);
    case Program:
        return "EXE " + (softName.empty() ? fileName : softName);
    case AutoRun:
        break;
    }
    return "AutoRun " + fileName;
}

bool ReadDescription(const std::string& text, UpdateDescription& description, std::string& error)
{
    description = {};
    CXmlDocument document(text.c_str());
    if (!document.FindElement("Verup")) {
        const std::string reason = document.GetError();
        error = "the upgrade description has no Verup root" + (reason.empty() ? std::string() : " (" + reason + ")");
        return false;
    }
    while (document.FindChildElement("")) {
        const std::string tag = UpperAscii(document.GetChildTagName());
        UpdateEntry entry;
        if (tag == "COM")
            entry.kind = UpdateEntry::Component;
        else if (tag == "EXE")
            entry.kind = UpdateEntry::Program;
        else if (tag == "AUTORUN")
            entry.kind = UpdateEntry::AutoRun;
        else
            continue;
        document.EnterElement();
        entry.softName = document.GetAttribute("SoftName");
        entry.progId = document.GetAttribute("ProgID");
        entry.fileName = document.GetAttribute("FileName");
        entry.newVersion = document.GetAttribute("NewVersion");
        entry.downloadUrl = document.GetAttribute("DownloadURL");
        entry.installDir = document.GetAttribute("InstallDir");
        entry.registerServer = IsYes(document.GetAttribute("DllRegisterServer"));
        entry.afterRun = document.GetAttribute("AfterVerupRun");
        entry.param = document.GetAttribute("Param");
        document.LeaveElement();
        description.entries.push_back(std::move(entry));
    }
    return true;
}

} // namespace verup
