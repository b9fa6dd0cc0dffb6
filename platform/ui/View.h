#pragma once

// A view: the widget inside a child frame that shows a document. Commands
// that reach it go on to its document. The framework calls OnInitialUpdate
// once when the frame is first shown and OnUpdate whenever the document asks
// its views to refresh.

#include "platform/ui/CommandTarget.h"
#include "platform/ui/Window.h"

#include <QWidget>

namespace ui {

class CChildFrame;
class CDocument;

class CView : public QWidget, public CCommandTarget, public CWindow {
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return m_document; }
    CChildFrame* GetParentFrame() const;

    // By default calls OnUpdate(nullptr, 0).
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint);
    // The view's frame became the active child (true) or stopped being it.
    virtual void OnActivateView(bool active);
    // The view's new client size, after Qt resized it.
    virtual void OnSize(int cx, int cy);

    // This view, then its document.
    std::vector<CCommandTarget*> CommandChain() override;

protected:
    bool OnCommandMessage(WORD id) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class CDocument;
    CDocument* m_document = nullptr;
};

} // namespace ui
