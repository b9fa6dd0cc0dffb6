#include "platform/ui/DocumentTemplate.h"

#include "platform/ui/Application.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Document.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/PathName.h"
#include "platform/ui/View.h"

#include <algorithm>

namespace ui {

CDocumentTemplate::CDocumentTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view)
    : m_resourceId(resourceId)
    , m_makeDocument(std::move(document))
    , m_makeFrame(std::move(frame))
    , m_makeView(std::move(view))
{
}

CDocumentTemplate::~CDocumentTemplate()
{
    // Views that outlive the template must not reach back into its documents.
    m_documents.clear();
}

CDocument* CDocumentTemplate::CreateDocument()
{
    std::unique_ptr<CDocument> document = m_makeDocument();
    if (!document)
        return nullptr;
    document->m_template = this;
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

CChildFrame* CDocumentTemplate::CreateNewFrame(CDocument* document)
{
    CApplication* app = GetApp();
    CMdiFrame* main = app ? app->GetMainWnd() : nullptr;
    if (!main || !document)
        return nullptr;
    CChildFrame* frame = m_makeFrame();
    CView* view = m_makeView();
    frame->SetView(view);
    document->AddView(view);
    main->AddChildFrame(frame);
    return frame;
}

void CDocumentTemplate::InitialUpdateFrame(CChildFrame* frame, CDocument* document, bool visible)
{
    if (CView* view = frame->GetActiveView())
        view->OnInitialUpdate();
    frame->UpdateFrameTitle();
    if (visible)
        frame->ActivateFrame();
    (void)document;
}

CDocument* CDocumentTemplate::NewDocument(bool visible)
{
    CDocument* document = CreateDocument();
    if (!document)
        return nullptr;
    CChildFrame* frame = CreateNewFrame(document);
    if (!frame || !document->OnNewDocument()) {
        if (frame)
            frame->close();
        else
            RemoveDocument(document);
        return nullptr;
    }
    InitialUpdateFrame(frame, document, visible);
    return document;
}

CDocument* CDocumentTemplate::OpenDocumentFile(const std::string& path, bool visible)
{
    CDocument* document = CreateDocument();
    if (!document)
        return nullptr;
    CChildFrame* frame = CreateNewFrame(document);
    if (!frame || !document->OnOpenDocument(path)) {
        if (frame)
            frame->close();
        else
            RemoveDocument(document);
        return nullptr;
    }
    document->SetPathName(path, true);
    InitialUpdateFrame(frame, document, visible);
    return document;
}

std::vector<CDocument*> CDocumentTemplate::GetDocuments() const
{
    std::vector<CDocument*> documents;
    for (const auto& document : m_documents)
        documents.push_back(document.get());
    return documents;
}

CDocument* CDocumentTemplate::FindDocument(const std::string& path) const
{
    std::string full = FullPath(path);
    for (const auto& document : m_documents)
        if (!document->GetPathName().empty() && document->GetPathName() == full)
            return document.get();
    return nullptr;
}

void CDocumentTemplate::CloseAllDocuments()
{
    for (CDocument* document : GetDocuments())
        document->OnCloseDocument();
}

void CDocumentTemplate::RemoveDocument(CDocument* document)
{
    auto found = std::find_if(m_documents.begin(), m_documents.end(),
        [document](const std::unique_ptr<CDocument>& held) { return held.get() == document; });
    if (found != m_documents.end())
        m_documents.erase(found);
}

} // namespace ui
