#pragma once

// A document: what one or more views show. It knows its title, its full path,
// its views and the template that made it; it has no content of its own, a
// derived document adds that. A document goes away with its last view.

#include "platform/base/Types.h"
#include "platform/ui/CommandTarget.h"

#include <string>
#include <vector>

namespace ui {

class CDocumentTemplate;
class CView;

class CDocument : public CCommandTarget {
public:
    CDocument();
    ~CDocument() override;

    const std::string& GetTitle() const { return m_title; }
    // Also renames the frames that show the document.
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_pathName; }
    // Keeps the full path, titles the document after its last segment and,
    // when asked, puts the path at the top of the recent-file list.
    virtual void SetPathName(const std::string& path, bool addToRecentList = true);

    CDocumentTemplate* GetDocTemplate() const { return m_template; }
    const std::vector<CView*>& GetViews() const { return m_views; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    // Calls OnUpdate of every view except the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // A fresh, untitled document; false refuses it.
    virtual bool OnNewDocument();
    // Opens the file for reading; false (after telling the user) when it
    // cannot be opened. A derived document reads its content here.
    virtual bool OnOpenDocument(const std::string& path);
    // Closes every frame that shows the document; the document goes with them.
    virtual void OnCloseDocument();
    // Asked before the document closes; false keeps it open.
    virtual bool SaveModified();

private:
    friend class CDocumentTemplate;
    void UpdateFrameTitles();

    std::string m_title;
    std::string m_pathName;
    std::vector<CView*> m_views;
    CDocumentTemplate* m_template = nullptr;
    bool m_modified = false;
    bool m_closing = false;
};

} // namespace ui
