#include "platform/ui/ChildFrame.h"

#include "platform/ui/Document.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Text.h"
#include "platform/ui/View.h"

#include <QCloseEvent>
#include <QMdiArea>

#include <algorithm>

namespace ui {

CChildFrame::CChildFrame() : CWindow(this)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

CChildFrame::~CChildFrame() = default;

SIZE CChildFrame::InitialSize() const
{
    return SIZE{0, 0};
}

void CChildFrame::SetView(CView* view)
{
    m_view = view;
    setWidget(view);
}

CDocument* CChildFrame::GetActiveDocument() const
{
    return m_view ? m_view->GetDocument() : nullptr;
}

CMdiFrame* CChildFrame::GetMdiFrame() const
{
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget())
        if (auto* frame = dynamic_cast<CMdiFrame*>(parent))
            return frame;
    return nullptr;
}

void CChildFrame::ActivateFrame()
{
    if (isHidden())
        show();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    else
        setFocus();
}

void CChildFrame::MDIMaximize()
{
    showMaximized();
}

void CChildFrame::MDIRestore()
{
    showNormal();
}

void CChildFrame::ResizeToFitView(bool shrinkOnly)
{
    if (!m_view)
        return;
    QSize decoration = size() - m_view->size();
    QSize target = m_view->sizeHint().expandedTo(QSize(1, 1)) + decoration;
    if (shrinkOnly)
        target = target.boundedTo(size());
    resize(target);
}

void CChildFrame::UpdateFrameTitle()
{
    CDocument* document = GetActiveDocument();
    setWindowTitle(ToQString(document ? document->GetTitle() : std::string()));
    if (CMdiFrame* frame = GetMdiFrame())
        frame->UpdateFrameTitle();
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    CDocument* document = GetActiveDocument();
    if (document && document->GetViews().size() == 1 && !document->SaveModified()) {
        event->ignore();
        return;
    }
    // The document forgets the view now, not when Qt gets round to deleting
    // the frame, so that a closed report is no longer found as open.
    if (document)
        document->RemoveView(m_view);
    QMdiSubWindow::closeEvent(event);
}

} // namespace ui
