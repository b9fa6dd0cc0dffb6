#pragma once

// A document template ties a kind of document to the frame and view that show
// it and to the menu resource used while one of its frames is active. It
// makes documents (new or opened from a path), keeps them, and places their
// frames in the main frame's multi-document area.

#include "platform/base/Types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class CChildFrame;
class CDocument;
class CView;

class CDocumentTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<CChildFrame*()>;
    using ViewFactory = std::function<CView*()>;

    CDocumentTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view);
    virtual ~CDocumentTemplate();
    CDocumentTemplate(const CDocumentTemplate&) = delete;
    CDocumentTemplate& operator=(const CDocumentTemplate&) = delete;

    template <typename Document, typename Frame, typename View>
    static std::unique_ptr<CDocumentTemplate> Make(UINT resourceId)
    {
        return std::make_unique<CDocumentTemplate>(
            resourceId, [] { return std::make_unique<Document>(); }, [] { return new Frame(); },
            [] { return new View(); });
    }

    UINT GetResourceId() const { return m_resourceId; }

    // A new untitled document in a new frame; null when it was refused.
    CDocument* NewDocument(bool visible = true);
    // A new document opened from the path in a new frame; null when the
    // document could not open it (the frame is closed again then).
    virtual CDocument* OpenDocumentFile(const std::string& path, bool visible = true);

    // A further frame and view for a document.
    CChildFrame* CreateNewFrame(CDocument* document);
    void InitialUpdateFrame(CChildFrame* frame, CDocument* document, bool visible);

    std::vector<CDocument*> GetDocuments() const;
    // The open document whose full path equals the path's full form.
    CDocument* FindDocument(const std::string& path) const;
    // Closes every document of the template.
    void CloseAllDocuments();

private:
    friend class CDocument;
    CDocument* CreateDocument();
    void RemoveDocument(CDocument* document);

    UINT m_resourceId;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::vector<std::unique_ptr<CDocument>> m_documents;
};

} // namespace ui
