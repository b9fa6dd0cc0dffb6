#pragma once

// Hosting a windowed control with events.
//
// A control is a component object that has a window. Its container (a form
// view, for instance) creates it by ProgID like any other component, asks it
// for IHostedControl and then:
//
//  1. CreateWidget(parent, &widget): the control makes its widget as a child
//     of the container's widget and hands it back, so that the container can
//     place and size it. A second call returns the same widget, moved under
//     the new parent when the parent differs. The widget belongs to the parent
//     in Qt's usual way; the control keeps a guarded pointer to it, so either
//     side may go first: releasing the control's last reference deletes a
//     widget that still exists, and deleting the parent leaves the control
//     without a widget until CreateWidget is called again.
//
//  2. GetWindowHandle(&handle): the 32-bit handle of the control's window,
//     the number that window messages are addressed to and that the control
//     passes on to components it runs (SetParentHwnd). It is 0 until the
//     widget exists. The handle is the one the ui layer assigns to the widget.
//
//  3. Advise(sink): connects the container's event sink. The control fires an
//     event by calling sink->Invoke(eventId, IID_NULL, LOCALE_SYSTEM_DEFAULT,
//     DISPATCH_METHOD, params, nullptr, nullptr, nullptr) on its own thread,
//     with the event's arguments in params, last to first as for any dispatch
//     call; event ids are fixed by each control's documentation. The control
//     holds one reference to the sink; Advise(nullptr) disconnects and drops
//     it, and so does the control's destruction. A sink need not handle every
//     event: its failures are ignored by the control.
//
// Only these three calls cross between container and control; everything else
// the container wants from the control it asks through the control's IDispatch.
// The widget type is only named here, so components without a window build
// without Qt Widgets.

#include "platform/automation/Dispatch.h"

class QWidget;

// {3F1C6A52-8B7E-4D09-A6E1-5C2B9D4F7A10}
constexpr IID IID_IHostedControl { 0x3F1C6A52, 0x8B7E, 0x4D09, { 0xA6, 0xE1, 0x5C, 0x2B, 0x9D, 0x4F, 0x7A, 0x10 } };

struct IHostedControl : public IUnknown {
    // parent must not be null; E_POINTER when parent or widget is null.
    virtual HRESULT CreateWidget(QWidget* parent, QWidget** widget) = 0;
    virtual HRESULT GetWindowHandle(DWORD* handle) = 0;
    // sink may be null (disconnect); a new sink replaces the previous one.
    virtual HRESULT Advise(IDispatch* sink) = 0;

protected:
    ~IHostedControl() = default;
};
