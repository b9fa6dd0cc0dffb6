#pragma once

// A view whose content is a dialog template: its controls sit at their
// template places and are reached by id, and a hosted control component
// (ControlKind::Hosted, ProgID as its text) is created in its place. The
// events of a hosted control reach the view's sink: handlers mapped by control
// id and event id, then OnControlEvent. Clicks on push buttons travel as
// commands through the view's chain.

#include "platform/ui/ControlContainer.h"
#include "platform/ui/View.h"

#include <functional>
#include <map>
#include <memory>

struct DISPPARAMS;
struct IDispatch;
using DISPID = LONG;

namespace ui {

class CControlSite;

class CFormView : public CView {
public:
    using EventHandler = std::function<void(DISPPARAMS* params)>;

    explicit CFormView(UINT templateId, QWidget* parent = nullptr);
    ~CFormView() override;

    QWidget* GetDlgItem(WORD id) const;
    CControlContainer& GetControls() { return *m_controls; }
    // The site of a hosted control, null when the id names none or its
    // component could not be created.
    CControlSite* GetControlSite(WORD id) const;
    IDispatch* GetControlDispatch(WORD id) const;

    void MapEvent(WORD controlId, DISPID event, EventHandler handler);

    // The template's size in pixels.
    QSize sizeHint() const override;

protected:
    // An event of a hosted control that no mapped handler took.
    virtual void OnControlEvent(WORD controlId, DISPID event, DISPPARAMS* params);

private:
    void DispatchEvent(WORD controlId, DISPID event, DISPPARAMS* params);

    CControlContainer* m_controls;
    QSize m_templateSize;
    std::map<WORD, std::unique_ptr<CControlSite>> m_sites;
    std::map<std::pair<WORD, DISPID>, EventHandler> m_events;
};

} // namespace ui
