#pragma once

// One entry of an upgrade description as the updater reads it.

#include <string>
#include <vector>

namespace verup {

struct UpdateEntry {
    enum Kind { Component, Program, AutoRun };

    Kind kind = Component;
    std::string softName; // SoftName: what the user sees
    std::string progId; // COM: ProgID
    std::string fileName; // EXE and AutoRun: FileName
    std::string newVersion; // NewVersion
    std::string downloadUrl; // DownloadURL
    std::string installDir; // InstallDir, as written ("GetSystemDirectory()\x.dll" or a path)
    bool registerServer = false; // COM: DllRegisterServer='yes'
    std::string afterRun; // EXE: AfterVerupRun
    std::string param; // AutoRun: Param

    // "COM Kaldra", "EXE Plinth", "AutoRun /opt/plinth/Plinth": the entry as lines and rows name it.
    std::string Label() const;
};

struct UpdateDescription {
    std::vector<UpdateEntry> entries; // COM, EXE and AutoRun children, in order
};

// Reads a description rooted in a Verup element (tags in any letter case);
// children other than COM, EXE and AutoRun are passed over. False, with the
// reason in error, when the text has no Verup root.
bool ReadDescription(const std::string& text, UpdateDescription& description, std::string& error);

} // namespace verup
