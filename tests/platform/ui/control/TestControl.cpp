#include "tests/platform/ui/control/TestControl.h"

#include "platform/automation/ComponentExports.h"
#include "platform/automation/ComponentModule.h"
#include "platform/automation/Control.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/ModuleLock.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QPointer>

#include <atomic>

namespace uitest {
namespace {

class TestControl final : public IDispatch, public IHostedControl {
public:
    TestControl() { automation::LockModule(); }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch)
            *object = static_cast<IDispatch*>(this);
        else if (iid == IID_IHostedControl)
            *object = static_cast<IHostedControl*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT CreateWidget(QWidget* parent, QWidget** widget) override
    {
        if (!parent || !widget)
            return E_POINTER;
        if (!m_widget)
            m_widget = new QLabel("test control", parent);
        else if (m_widget->parentWidget() != parent)
            m_widget->setParent(parent);
        *widget = m_widget;
        return S_OK;
    }
    HRESULT GetWindowHandle(DWORD* handle) override
    {
        if (!handle)
            return E_POINTER;
        *handle = m_widget ? ui::CWindowRegistry::Instance().HandleOf(m_widget) : 0;
        return S_OK;
    }
    HRESULT Advise(IDispatch* sink) override
    {
        if (sink)
            sink->AddRef();
        if (m_sink)
            m_sink->Release();
        m_sink = sink;
        return S_OK;
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (member == DISPID_COUNT && result) {
            result->vt = VT_I4;
            result->lVal = m_fired;
            return S_OK;
        }
        if (member != DISPID_FIRE)
            return DISP_E_MEMBERNOTFOUND;
        ++m_fired;
        if (m_sink)
            m_sink->Invoke(
                EVENT_FIRED, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
        return S_OK;
    }

private:
    ~TestControl()
    {
        if (m_sink)
            m_sink->Release();
        delete m_widget.data();
        automation::UnlockModule();
    }

    std::atomic<ULONG> m_references { 0 };
    QPointer<QLabel> m_widget;
    IDispatch* m_sink = nullptr;
    LONG m_fired = 0;
};

HRESULT CreateTestControl(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    auto* control = new TestControl();
    control->AddRef();
    HRESULT result = control->QueryInterface(iid, object);
    control->Release();
    return result;
}

const automation::CComponentModule& Module()
{
    static const automation::CComponentModule module({ automation::ComponentClass { CLSID_UiTestControl,
        "Plinth.UiTestControl.1", "Plinth.UiTestControl", "UiTestControl Class", IID_NULL, CreateTestControl } });
    return module;
}

} // namespace
} // namespace uitest

PLINTH_COMPONENT_EXPORTS(uitest::Module())
