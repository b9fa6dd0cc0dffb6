#pragma once

// Hosts one control component in a container widget: creates it by ProgID,
// takes its widget and window handle, and connects an event sink that hands
// each event (dispatch id and arguments) to the container. The component
// library must be initialised on the thread. The control goes when the site
// goes.

#include "platform/base/Types.h"
#include "platform/ui/WindowMessages.h"

#include <functional>
#include <string>

class QWidget;
struct DISPPARAMS;
struct IDispatch;
struct IHostedControl;
using DISPID = LONG;

namespace ui {

class CControlSite {
public:
    using EventHandler = std::function<void(DISPID event, DISPPARAMS* params)>;

    CControlSite();
    ~CControlSite();
    CControlSite(const CControlSite&) = delete;
    CControlSite& operator=(const CControlSite&) = delete;

    // Creates the control; false (with its HRESULT kept) when it cannot be
    // made or is not a hosted control.
    bool Create(const std::string& progId, QWidget* parent, EventHandler events);
    HRESULT GetLastResult() const { return m_result; }

    QWidget* GetWidget() const { return m_widget; }
    HWND GetWindowHandle() const;
    // The control's automation interface (not add-referenced); null when none.
    IDispatch* GetDispatch() const { return m_dispatch; }

private:
    class Sink;
    void Clear();

    IHostedControl* m_control = nullptr;
    IDispatch* m_dispatch = nullptr;
    Sink* m_sink = nullptr;
    QWidget* m_widget = nullptr;
    HRESULT m_result = 0;
};

} // namespace ui
