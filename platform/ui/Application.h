#pragma once

// The application object: one per program. It owns the main window, the
// document templates, the profile and the recent-file list; it runs the
// standard file commands (new, open, recent files, exit), processes the
// command line and carries the help file path. A program derives from it and
// builds its frame in InitInstance.

#include "platform/base/Types.h"
#include "platform/ui/CommandLineInfo.h"
#include "platform/ui/CommandTarget.h"

#include <memory>
#include <string>
#include <vector>

namespace registry {
class Profile;
}

namespace ui {

class CDocument;
class CDocumentTemplate;
class CMdiFrame;
class CRecentFileList;

class CApplication : public CCommandTarget {
public:
    // The name under which the profile is kept and message boxes are captioned.
    explicit CApplication(std::string appName);
    ~CApplication() override;

    const std::string& GetAppName() const { return m_appName; }

    // Start-up: false ends the program before the event loop.
    virtual bool InitInstance();
    // After the event loop; the result is the program's exit code.
    virtual int ExitInstance();
    // InitInstance, the event loop while the main window lives, ExitInstance.
    int Run();

    // Profile. Until SetRegistryKey the key is the application's name.
    void SetRegistryKey(const std::string& key);
    const std::string& GetRegistryKey() const;
    registry::Profile& GetProfile();
    std::string GetProfileString(
        const std::string& section, const std::string& entry, const std::string& fallback = "");
    bool WriteProfileString(const std::string& section, const std::string& entry, const std::string& value);
    int GetProfileInt(const std::string& section, const std::string& entry, int fallback);
    bool WriteProfileInt(const std::string& section, const std::string& entry, int value);
    bool GetProfileBinary(const std::string& section, const std::string& entry, std::vector<BYTE>& data);
    bool WriteProfileBinary(const std::string& section, const std::string& entry, const std::vector<BYTE>& data);

    // Reads the recent-file list of the given size from the profile.
    void LoadStdProfileSettings(size_t recentFileCount = 4);
    CRecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }
    void AddToRecentFileList(const std::string& path);

    CDocumentTemplate* AddDocTemplate(std::unique_ptr<CDocumentTemplate> docTemplate);
    std::vector<CDocumentTemplate*> GetDocTemplates() const;
    // The standard open: a document already open under the same full path is
    // activated and returned; otherwise the first template opens the path
    // (which then joins the recent-file list). Null when that failed.
    virtual CDocument* OpenDocumentFile(const std::string& path);
    // A new document of the first template.
    virtual void OnFileNew();
    // The open dialog of the standard open command, then OpenDocumentFile.
    virtual void OnFileOpen();

    // The program's arguments (after its name), 8-bit.
    CCommandLineInfo ParseCommandLine() const;
    // No file: a new document; a file: open it. False when that failed.
    bool ProcessShellCommand(const CCommandLineInfo& info);

    void SetHelpFilePath(const std::string& path) { m_helpFilePath = path; }
    const std::string& GetHelpFilePath() const { return m_helpFilePath; }
    // A help request (F1 or a help command) with its topic number; the
    // program decides how help is shown.
    virtual void WinHelp(DWORD data, UINT command);

    // The main window; the application owns it.
    CMdiFrame* GetMainWnd() const { return m_mainWnd.get(); }
    void SetMainWnd(std::unique_ptr<CMdiFrame> frame);

    // Brings the enabled state, check marks and texts of the bars up to date
    // (also done on a timer while the program is idle).
    void UpdateCommandStates();

private:
    void OnRecentFile(WORD id);

    std::string m_appName;
    std::string m_registryKey;
    std::unique_ptr<registry::Profile> m_profile;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::vector<std::unique_ptr<CDocumentTemplate>> m_templates;
    std::string m_helpFilePath;
    std::unique_ptr<CMdiFrame> m_mainWnd;
};

// The program's application object; null when there is none.
CApplication* GetApp();

} // namespace ui
