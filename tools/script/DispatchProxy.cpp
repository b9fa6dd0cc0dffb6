#include "tools/script/DispatchProxy.h"

#include "tools/script/DispatchBridge.h"

#include <vector>

CDispatchProxy::CDispatchProxy(CDispatchBridge& bridge, IDispatch* object)
    : m_bridge(bridge)
    , m_object(object)
{
    m_object->AddRef();
}

CDispatchProxy::~CDispatchProxy()
{
    m_object->Release();
}

QJSValue CDispatchProxy::call(int id, int kind, const QString& name, const QJSValue& arguments)
{
    const int count = arguments.property(QStringLiteral("length")).toInt();
    // The platform takes arguments last to first.
    std::vector<automation::CVariant> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const HRESULT hr = m_bridge.ToVariant(arguments.property(static_cast<quint32>(i)), values[count - 1 - i]);
        if (FAILED(hr)) {
            m_bridge.ThrowFailure(name, hr, nullptr);
            return {};
        }
    }
    static_assert(sizeof(automation::CVariant) == sizeof(VARIANT));
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.cArgs = static_cast<UINT>(count);
    params.rgvarg = count > 0 ? values.data() : nullptr;
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &put;
    }
    automation::CVariant result;
    EXCEPINFO exception {};
    UINT argumentError = 0;
    const HRESULT hr = m_object->Invoke(
        id, IID_NULL, LOCALE_SYSTEM_DEFAULT, static_cast<WORD>(kind), &params, &result, &exception, &argumentError);
    if (FAILED(hr)) {
        if (hr == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) {
            const DeferredFillIn fillIn = exception.pfnDeferredFillIn;
            exception.pfnDeferredFillIn = nullptr;
            fillIn(&exception);
        }
        m_bridge.ThrowFailure(name, hr, &exception);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        return {};
    }
    return m_bridge.ToScript(result);
}

QJSValue CDispatchProxy::callByName(const QString& name, int kind, const QJSValue& arguments)
{
    LPOLESTR names[] = { const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(name.utf16())) };
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (FAILED(hr)) {
        m_bridge.ThrowFailure(name, hr, nullptr);
        return {};
    }
    return call(id, kind, name, arguments);
}
