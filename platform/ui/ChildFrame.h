#pragma once

// A child frame: one floating window of the multi-document area that holds a
// view. Its caption is its document's title. A derived frame may ask for an
// initial size before it is first shown.

#include "platform/ui/CommandTarget.h"
#include "platform/ui/Window.h"

#include <QMdiSubWindow>

namespace ui {

class CDocument;
class CMdiFrame;
class CView;

class CChildFrame : public QMdiSubWindow, public CCommandTarget, public CWindow {
public:
    CChildFrame();
    ~CChildFrame() override;

    // Width and height when first shown; 0 leaves the area's default.
    virtual SIZE InitialSize() const;

    // The frame takes the view as its content (and owns it).
    void SetView(CView* view);
    CView* GetActiveView() const { return m_view; }
    CDocument* GetActiveDocument() const;
    CMdiFrame* GetMdiFrame() const;

    void ActivateFrame();
    void MDIMaximize();
    void MDIRestore();
    // Shrinks (or, unless shrinkOnly, also grows) the frame to the view's
    // preferred size.
    void ResizeToFitView(bool shrinkOnly);
    void UpdateFrameTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CView* m_view = nullptr;
};

} // namespace ui
