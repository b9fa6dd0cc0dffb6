#include "platform/ui/Document.h"

#include "platform/base/Language.h"
#include "platform/ui/Application.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/DocumentTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PathName.h"
#include "platform/ui/View.h"

#include <algorithm>
#include <fstream>

namespace ui {

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_document = nullptr;
}

void CDocument::SetTitle(const std::string& title)
{
    m_title = title;
    UpdateFrameTitles();
}

void CDocument::SetPathName(const std::string& path, bool addToRecentList)
{
    m_pathName = FullPath(path);
    SetTitle(FileTitle(m_pathName));
    if (addToRecentList)
        if (CApplication* app = GetApp())
            app->AddToRecentFileList(m_pathName);
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_document)
        view->m_document->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
}

void CDocument::RemoveView(CView* view)
{
    auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_document = nullptr;
    // The last view takes the document with it; this is the document's last
    // statement then.
    if (m_views.empty() && !m_closing && m_template)
        m_template->RemoveDocument(this);
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint)
{
    std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

bool CDocument::OnNewDocument()
{
    m_pathName.clear();
    m_modified = false;
    SetTitle(base::IsChineseUserInterface() ? "无标题" : "Untitled");
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::ifstream file(FileSystemPath(path), std::ios::binary);
    if (!file) {
        std::string text = base::IsChineseUserInterface() ? "打开文档失败。\n" : "Failed to open document.\n";
        MessageBox(text + path, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_modified = false;
    return true;
}

void CDocument::OnCloseDocument()
{
    m_closing = true;
    std::vector<CView*> views = m_views;
    for (CView* view : views)
        if (CChildFrame* frame = view->GetParentFrame())
            frame->close();
    m_closing = false;
    if (m_template) {
        for (CView* view : m_views)
            view->m_document = nullptr;
        m_views.clear();
        m_template->RemoveDocument(this);
    }
}

bool CDocument::SaveModified()
{
    return true;
}

void CDocument::UpdateFrameTitles()
{
    for (CView* view : m_views)
        if (CChildFrame* frame = view->GetParentFrame())
            frame->UpdateFrameTitle();
}

} // namespace ui
