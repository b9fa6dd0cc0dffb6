#include "platform/ui/ControlSite.h"

#include "platform/automation/ComponentLibrary.h"
#include "platform/automation/Control.h"
#include "platform/base/CodePage.h"

#include <QWidget>

#include <atomic>

namespace ui {

// The event sink the control calls; it outlives the site while the control
// still holds it, so the site cuts it loose when it goes.
class CControlSite::Sink : public IDispatch {
public:
    explicit Sink(EventHandler handler)
        : m_handler(std::move(handler))
    {
    }

    void Detach() { m_handler = nullptr; }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (m_handler) {
            EventHandler handler = m_handler;
            handler(member, params);
        }
        return S_OK;
    }

private:
    virtual ~Sink() = default;
    std::atomic<ULONG> m_references { 1 };
    EventHandler m_handler;
};

CControlSite::CControlSite() = default;

CControlSite::~CControlSite()
{
    Clear();
}

void CControlSite::Clear()
{
    if (m_control) {
        m_control->Advise(nullptr);
        m_control->Release();
        m_control = nullptr;
    }
    if (m_dispatch) {
        m_dispatch->Release();
        m_dispatch = nullptr;
    }
    if (m_sink) {
        m_sink->Detach();
        m_sink->Release();
        m_sink = nullptr;
    }
    m_widget = nullptr;
}

bool CControlSite::Create(const std::string& progId, QWidget* parent, EventHandler events)
{
    Clear();
    std::u16string name = base::AnsiToUtf16(progId);
    CLSID clsid {};
    m_result = CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(m_result))
        return false;
    IUnknown* object = nullptr;
    m_result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    if (FAILED(m_result))
        return false;
    m_result = object->QueryInterface(IID_IHostedControl, reinterpret_cast<void**>(&m_control));
    if (SUCCEEDED(m_result))
        object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_dispatch));
    object->Release();
    if (FAILED(m_result)) {
        m_control = nullptr;
        return false;
    }
    m_result = m_control->CreateWidget(parent, &m_widget);
    if (FAILED(m_result) || !m_widget) {
        Clear();
        return false;
    }
    m_sink = new Sink(std::move(events));
    m_control->Advise(m_sink);
    return true;
}

HWND CControlSite::GetWindowHandle() const
{
    DWORD handle = 0;
    if (m_control)
        m_control->GetWindowHandle(&handle);
    return handle;
}

} // namespace ui
