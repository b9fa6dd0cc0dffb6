#include "platform/ui/Application.h"

#include "platform/base/Language.h"
#include "platform/registry/Profile.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Document.h"
#include "platform/ui/DocumentTemplate.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProcessWide.h"
#include "platform/ui/RecentFileList.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/Text.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QStringList>

namespace ui {
namespace {

// The program's application object, also for the components' copies of
// this library (a component's message box is owned by the main window).
struct ApplicationHolder {
    CApplication* application = nullptr;
};

CApplication*& Current()
{
    return ProcessWide<ApplicationHolder>("plinth.ui.application.1").application;
}

const char* const RecentFileSection = "Recent File List";

} // namespace

CApplication* GetApp()
{
    return Current();
}

CApplication::CApplication(std::string appName)
    : m_appName(std::move(appName))
    , m_registryKey(m_appName)
    , m_profile(std::make_unique<registry::Profile>(registry::Profile::ForApplication(m_registryKey, m_appName)))
{
    Current() = this;
    MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    MapCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    MapCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](WORD id) { OnRecentFile(id); });
    MapUpdate(ID_FILE_MRU_FILE1,
        [this](CCommandState& state) { state.Enable(m_recentFiles && !m_recentFiles->GetFiles().empty()); });
    MapCommand(ID_APP_EXIT, [this] {
        if (m_mainWnd)
            m_mainWnd->close();
    });
    MapCommand(ID_HELP, [this] { WinHelp(0, 0); });
}

CApplication::~CApplication()
{
    // Windows first: their views still talk to the documents of the templates.
    m_mainWnd.reset();
    m_templates.clear();
    if (Current() == this)
        Current() = nullptr;
}

bool CApplication::InitInstance()
{
    return true;
}

int CApplication::ExitInstance()
{
    if (m_recentFiles)
        m_recentFiles->Save(*m_profile);
    return 0;
}

int CApplication::Run()
{
    if (!InitInstance() || !m_mainWnd) {
        ExitInstance();
        return 1;
    }
    QApplication::exec();
    return ExitInstance();
}

void CApplication::SetRegistryKey(const std::string& key)
{
    m_registryKey = key;
    m_profile = std::make_unique<registry::Profile>(registry::Profile::ForApplication(m_registryKey, m_appName));
}

const std::string& CApplication::GetRegistryKey() const
{
    return m_registryKey;
}

registry::Profile& CApplication::GetProfile()
{
    return *m_profile;
}

std::string CApplication::GetProfileString(
    const std::string& section, const std::string& entry, const std::string& fallback)
{
    return m_profile->GetString(section, entry, fallback);
}

bool CApplication::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    return m_profile->WriteString(section, entry, value);
}

int CApplication::GetProfileInt(const std::string& section, const std::string& entry, int fallback)
{
    return static_cast<int>(m_profile->GetInt(section, entry, fallback));
}

bool CApplication::WriteProfileInt(const std::string& section, const std::string& entry, int value)
{
    return m_profile->WriteInt(section, entry, value);
}

bool CApplication::GetProfileBinary(const std::string& section, const std::string& entry, std::vector<BYTE>& data)
{
    return m_profile->GetBinary(section, entry, data);
}

bool CApplication::WriteProfileBinary(
    const std::string& section, const std::string& entry, const std::vector<BYTE>& data)
{
    return m_profile->WriteBinary(section, entry, data);
}

void CApplication::LoadStdProfileSettings(size_t recentFileCount)
{
    m_recentFiles = std::make_unique<CRecentFileList>(RecentFileSection, recentFileCount);
    m_recentFiles->Load(*m_profile);
}

void CApplication::AddToRecentFileList(const std::string& path)
{
    if (!m_recentFiles)
        return;
    m_recentFiles->Add(path);
    // Written at once: a program that ends abruptly keeps its list.
    m_recentFiles->Save(*m_profile);
}

CDocumentTemplate* CApplication::AddDocTemplate(std::unique_ptr<CDocumentTemplate> docTemplate)
{
    m_templates.push_back(std::move(docTemplate));
    return m_templates.back().get();
}

std::vector<CDocumentTemplate*> CApplication::GetDocTemplates() const
{
    std::vector<CDocumentTemplate*> templates;
    for (const auto& docTemplate : m_templates)
        templates.push_back(docTemplate.get());
    return templates;
}

CDocument* CApplication::OpenDocumentFile(const std::string& path)
{
    if (m_templates.empty() || path.empty())
        return nullptr;
    for (const auto& docTemplate : m_templates) {
        if (CDocument* open = docTemplate->FindDocument(path)) {
            for (CView* view : open->GetViews())
                if (CChildFrame* frame = view->GetParentFrame()) {
                    frame->ActivateFrame();
                    break;
                }
            return open;
        }
    }
    return m_templates.front()->OpenDocumentFile(path);
}

void CApplication::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->NewDocument();
}

void CApplication::OnFileOpen()
{
    bool chinese = base::IsChineseUserInterface();
    CFileDialog dialog(true, "", "", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
        chinese ? "所有文件 (*.*)|*||" : "All Files (*.*)|*||", m_mainWnd.get());
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

void CApplication::OnRecentFile(WORD id)
{
    if (!m_recentFiles)
        return;
    size_t index = id - ID_FILE_MRU_FILE1;
    if (index >= m_recentFiles->GetFiles().size())
        return;
    std::string path = m_recentFiles->GetFiles()[index];
    // A file that no longer opens leaves the list.
    if (!OpenDocumentFile(path)) {
        m_recentFiles->Remove(index);
        m_recentFiles->Save(*m_profile);
    }
}

CCommandLineInfo CApplication::ParseCommandLine() const
{
    std::vector<std::string> arguments;
    QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(FromQString(all[i]));
    return CCommandLineInfo::Parse(arguments);
}

bool CApplication::ProcessShellCommand(const CCommandLineInfo& info)
{
    if (info.action == CCommandLineInfo::Action::FileOpen)
        return OpenDocumentFile(info.fileName) != nullptr;
    OnFileNew();
    return true;
}

void CApplication::WinHelp(DWORD, UINT)
{
}

void CApplication::SetMainWnd(std::unique_ptr<CMdiFrame> frame)
{
    m_mainWnd = std::move(frame);
    if (m_mainWnd)
        m_mainWnd->setAttribute(Qt::WA_DeleteOnClose, false);
}

void CApplication::UpdateCommandStates()
{
    if (m_mainWnd)
        m_mainWnd->UpdateCommandStates();
}

} // namespace ui
