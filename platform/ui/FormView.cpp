#include "platform/ui/FormView.h"

#include "platform/ui/CommandRouter.h"
#include "platform/ui/ControlSite.h"
#include "platform/ui/ResourceTable.h"

#include <QPushButton>

namespace ui {

CFormView::CFormView(UINT templateId, QWidget* parent)
    : CView(parent)
{
    const DialogTemplate* found = CResourceTable::Instance().FindDialog(templateId);
    DialogTemplate dialog = found ? *found : DialogTemplate {};
    m_controls = new CControlContainer(this);
    m_controls->Create(dialog, [this](const DialogControl& control, QWidget* parent) -> QWidget* {
        auto site = std::make_unique<CControlSite>();
        WORD id = control.id;
        if (!site->Create(control.text, parent,
                [this, id](DISPID event, DISPPARAMS* params) { DispatchEvent(id, event, params); }))
            return nullptr;
        QWidget* widget = site->GetWidget();
        m_sites[id] = std::move(site);
        return widget;
    });
    m_templateSize = size();
    m_controls->SetNotificationSink([this](WORD id, Notification notification) {
        if (notification == Notification::Clicked && dynamic_cast<QPushButton*>(GetDlgItem(id)))
            CCommandRouter(*this).Execute(id);
    });
}

CFormView::~CFormView()
{
    // The controls go while the view still exists to receive their last events.
    m_sites.clear();
}

QWidget* CFormView::GetDlgItem(WORD id) const
{
    return m_controls->GetControl(id);
}

CControlSite* CFormView::GetControlSite(WORD id) const
{
    auto found = m_sites.find(id);
    return found == m_sites.end() ? nullptr : found->second.get();
}

IDispatch* CFormView::GetControlDispatch(WORD id) const
{
    CControlSite* site = GetControlSite(id);
    return site ? site->GetDispatch() : nullptr;
}

void CFormView::MapEvent(WORD controlId, DISPID event, EventHandler handler)
{
    m_events[{ controlId, event }] = std::move(handler);
}

QSize CFormView::sizeHint() const
{
    return m_templateSize;
}

void CFormView::OnControlEvent(WORD, DISPID, DISPPARAMS*)
{
}

void CFormView::DispatchEvent(WORD controlId, DISPID event, DISPPARAMS* params)
{
    auto found = m_events.find({ controlId, event });
    if (found != m_events.end() && found->second) {
        EventHandler handler = found->second;
        handler(params);
        return;
    }
    OnControlEvent(controlId, event, params);
}

} // namespace ui
