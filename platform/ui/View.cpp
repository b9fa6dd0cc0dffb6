#include "platform/ui/View.h"

#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/Document.h"

#include <QResizeEvent>

namespace ui {

CView::CView(QWidget* parent)
    : QWidget(parent)
    , CWindow(this)
{
}

CView::~CView()
{
    if (m_document)
        m_document->RemoveView(this);
}

CChildFrame* CView::GetParentFrame() const
{
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget())
        if (auto* frame = dynamic_cast<CChildFrame*>(parent))
            return frame;
    return nullptr;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void CView::OnUpdate(CView*, LPARAM)
{
    update();
}

void CView::OnActivateView(bool)
{
}

void CView::OnSize(int, int)
{
}

void CView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    OnSize(width(), height());
}

std::vector<CCommandTarget*> CView::CommandChain()
{
    return { this, m_document };
}

bool CView::OnCommandMessage(WORD id)
{
    return CCommandRouter(*this).Execute(id);
}

} // namespace ui
