#include "platform/ui/ChildFrame.h"

#include "platform/ui/Document.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Text.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <algorithm>

namespace ui {

namespace {

// A plain page, shown in a child window's caption when the program has no
// icon of its own (Qt would show its logo there).
QIcon PageIcon()
{
    QPixmap page(16, 16);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setPen(QColor(110, 110, 110));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygon({ QPoint(2, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(2, 14) }));
    painter.drawLine(10, 1, 10, 4);
    painter.drawLine(10, 4, 13, 4);
    painter.setPen(QColor(60, 110, 190));
    for (int y = 6; y <= 12; y += 2)
        painter.drawLine(4, y, 11, y);
    return QIcon(page);
}

} // namespace

CChildFrame::CChildFrame()
    : CWindow(this)
{
    setAttribute(Qt::WA_DeleteOnClose);
    if (QApplication::windowIcon().isNull()) {
        static const QIcon page = PageIcon();
        setWindowIcon(page);
    }
}

CChildFrame::~CChildFrame() = default;

SIZE CChildFrame::InitialSize() const
{
    return SIZE { 0, 0 };
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
