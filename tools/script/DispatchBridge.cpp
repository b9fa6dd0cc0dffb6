#include "tools/script/DispatchBridge.h"

#include "tools/script/DispatchProxy.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>
#include <limits>

namespace {

// Builds the JavaScript face of an object from its member list: methods are
// functions, property reads and writes become accessors, and a property read
// that takes arguments is called like a method.
const char* BuilderSource = R"JS(
(function (proxy, members) {
    var object = {};
    Object.defineProperty(object, "__dispatch", { value: proxy });
    members.forEach(function (m) {
        if (m.kind === 1 || (m.kind === 2 && m.parameters > 0)) {
            if (!(m.name in object))
                object[m.name] = function () {
                    return proxy.call(m.id, m.kind, m.name, Array.prototype.slice.call(arguments));
                };
            return;
        }
        var d = Object.getOwnPropertyDescriptor(object, m.name) || { configurable: true, enumerable: true };
        if (m.kind === 2)
            d.get = function () { return proxy.call(m.id, 2, m.name, []); };
        else
            d.set = function (value) { proxy.call(m.id, m.kind, m.name, [value]); };
        Object.defineProperty(object, m.name, d);
    });
    return object;
})
)JS";

// An object without a type description is reached by name: every member is a
// function that reads a property or calls a method, and assignments write.
const char* NamedSource = R"JS(
(function (proxy) {
    return new Proxy({}, {
        get: function (target, name) {
            if (name === "__dispatch")
                return proxy;
            if (typeof name !== "string")
                return undefined;
            return function () { return proxy.callByName(name, 3, Array.prototype.slice.call(arguments)); };
        },
        set: function (target, name, value) {
            proxy.callByName(String(name), 4, [value]);
            return true;
        }
    });
})
)JS";

// Dates count days from 1899-12-30, local time.
const QDate DateEpoch(1899, 12, 30);

QDateTime FromDate(DATE date)
{
    const auto milliseconds = static_cast<qint64>(std::llround(date * 86400000.0));
    return QDateTime(DateEpoch, QTime(0, 0)).addMSecs(milliseconds);
}

DATE ToDate(const QDateTime& time)
{
    return static_cast<double>(DateEpoch.daysTo(time.date())) + time.time().msecsSinceStartOfDay() / 86400000.0;
}

// The type description callers use: the object's own, or its class's default interface.
ITypeInfo* CallableTypeInfo(IDispatch* object)
{
    ITypeInfo* info = nullptr;
    if (FAILED(object->GetTypeInfo(0, LOCALE_SYSTEM_DEFAULT, &info)) || !info)
        return nullptr;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)) || !attributes) {
        info->Release();
        return nullptr;
    }
    if (attributes->typekind != TKIND_COCLASS) {
        info->ReleaseTypeAttr(attributes);
        return info;
    }
    ITypeInfo* chosen = nullptr;
    for (UINT i = 0; i < attributes->cImplTypes && !chosen; ++i) {
        INT flags = 0;
        HREFTYPE reference = 0;
        if (SUCCEEDED(info->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT)
            && SUCCEEDED(info->GetRefTypeOfImplType(i, &reference)))
            info->GetRefTypeInfo(reference, &chosen);
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
    return chosen;
}

} // namespace

CDispatchBridge::CDispatchBridge(QJSEngine& engine)
    : m_engine(engine)
    , m_builder(engine.evaluate(QString::fromUtf8(BuilderSource), QStringLiteral("dispatch-bridge")))
    , m_namedBuilder(engine.evaluate(QString::fromUtf8(NamedSource), QStringLiteral("dispatch-bridge")))
{
}

CDispatchBridge::~CDispatchBridge()
{
    for (const QPointer<CDispatchProxy>& proxy : m_proxies)
        delete proxy.data();
}

QJSValue CDispatchBridge::Members(ITypeInfo* typeInfo)
{
    QJSValue members = m_engine.newArray();
    if (!typeInfo)
        return members;
    quint32 next = 0;
    auto add = [&](MEMBERID id, int kind, int parameters) {
        BSTR name = nullptr;
        UINT count = 0;
        if (FAILED(typeInfo->GetNames(id, &name, 1, &count)) || count == 0)
            return;
        QJSValue member = m_engine.newObject();
        member.setProperty(QStringLiteral("id"), static_cast<int>(id));
        member.setProperty(QStringLiteral("kind"), kind);
        member.setProperty(QStringLiteral("parameters"), parameters);
        member.setProperty(QStringLiteral("name"),
            QString(reinterpret_cast<const QChar*>(name), static_cast<int>(SysStringLen(name))));
        SysFreeString(name);
        members.setProperty(next++, member);
    };
    TYPEATTR* attributes = nullptr;
    if (FAILED(typeInfo->GetTypeAttr(&attributes)) || !attributes)
        return members;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(typeInfo->GetFuncDesc(i, &function)) || !function)
            continue;
        add(function->memid, function->invkind, function->cParams);
        typeInfo->ReleaseFuncDesc(function);
    }
    for (UINT j = 0; j < attributes->cVars; ++j) {
        VARDESC* variable = nullptr;
        if (FAILED(typeInfo->GetVarDesc(j, &variable)) || !variable)
            continue;
        if (variable->varkind == VAR_DISPATCH) {
            add(variable->memid, DISPATCH_PROPERTYGET, 0);
            if (!(variable->wVarFlags & VARFLAG_FREADONLY))
                add(variable->memid, DISPATCH_PROPERTYPUT, 1);
        }
        typeInfo->ReleaseVarDesc(variable);
    }
    typeInfo->ReleaseTypeAttr(attributes);
    return members;
}

QJSValue CDispatchBridge::Wrap(IDispatch* object)
{
    if (!object)
        return QJSValue(QJSValue::NullValue);
    auto* proxy = new CDispatchProxy(*this, object);
    m_proxies.removeAll(QPointer<CDispatchProxy>());
    m_proxies.append(proxy);
    QJSValue handle = m_engine.newQObject(proxy);
    ITypeInfo* typeInfo = CallableTypeInfo(object);
    if (!typeInfo)
        return m_namedBuilder.call({ handle });
    const QJSValue members = Members(typeInfo);
    typeInfo->Release();
    return m_builder.call({ handle, members });
}

IDispatch* CDispatchBridge::Unwrap(const QJSValue& value) const
{
    if (!value.isObject())
        return nullptr;
    auto* proxy = qobject_cast<CDispatchProxy*>(value.property(QStringLiteral("__dispatch")).toQObject());
    return proxy ? proxy->Object() : nullptr;
}

HRESULT CDispatchBridge::ToVariant(const QJSValue& value, VARIANT& variant) const
{
    VariantClear(&variant);
    if (value.isUndefined())
        return S_OK;
    if (value.isNull()) {
        variant.vt = VT_NULL;
    } else if (value.isBool()) {
        variant.vt = VT_BOOL;
        variant.boolVal = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (value.isNumber()) {
        const double number = value.toNumber();
        if (std::trunc(number) == number && number >= std::numeric_limits<LONG>::min()
            && number <= std::numeric_limits<LONG>::max() && !(number == 0 && std::signbit(number))) {
            variant.vt = VT_I4;
            variant.lVal = static_cast<LONG>(number);
        } else {
            variant.vt = VT_R8;
            variant.dblVal = number;
        }
    } else if (value.isString()) {
        const QString text = value.toString();
        variant.bstrVal
            = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), static_cast<UINT>(text.size()));
        variant.vt = VT_BSTR;
    } else if (value.isDate()) {
        variant.vt = VT_DATE;
        variant.date = ToDate(value.toDateTime());
    } else if (IDispatch* object = Unwrap(value)) {
        object->AddRef();
        variant.vt = VT_DISPATCH;
        variant.pdispVal = object;
    } else if (value.isArray()) {
        const auto count = static_cast<ULONG>(value.property(QStringLiteral("length")).toUInt());
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, count);
        if (!array)
            return E_OUTOFMEMORY;
        for (ULONG i = 0; i < count; ++i) {
            automation::CVariant element;
            const HRESULT hr = ToVariant(value.property(i), element);
            const LONG index = static_cast<LONG>(i);
            if (FAILED(hr) || FAILED(SafeArrayPutElement(array, &index, &element))) {
                SafeArrayDestroy(array);
                return FAILED(hr) ? hr : E_OUTOFMEMORY;
            }
        }
        variant.vt = VT_ARRAY | VT_VARIANT;
        variant.parray = array;
    } else if (value.isCallable() || value.isError()) {
        return DISP_E_TYPEMISMATCH;
    } else {
        // Any other object passes as its text, as scripts expect of String(x).
        return ToVariant(QJSValue(value.toString()), variant);
    }
    return S_OK;
}

QJSValue CDispatchBridge::ToScript(const VARIANT& source)
{
    automation::CVariant value;
    if (FAILED(VariantCopyInd(&value, &source)))
        return {};
    if (value.vt & VT_ARRAY) {
        SAFEARRAY* array = value.parray;
        VARTYPE type = VT_EMPTY;
        LONG low = 0;
        LONG high = -1;
        if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type))
            || FAILED(SafeArrayGetLBound(array, 1, &low)) || FAILED(SafeArrayGetUBound(array, 1, &high)))
            return {};
        QJSValue list = m_engine.newArray(static_cast<uint>(high - low + 1));
        for (LONG i = low; i <= high; ++i) {
            automation::CVariant element;
            if (type == VT_VARIANT) {
                SafeArrayGetElement(array, &i, &element);
            } else if (type == VT_DECIMAL) {
                SafeArrayGetElement(array, &i, &element.decVal);
                element.vt = VT_DECIMAL;
            } else {
                SafeArrayGetElement(array, &i, &element.llVal);
                element.vt = type;
            }
            list.setProperty(static_cast<quint32>(i - low), ToScript(element));
        }
        return list;
    }
    switch (value.vt) {
    case VT_EMPTY:
        return {};
    case VT_NULL:
        return QJSValue(QJSValue::NullValue);
    case VT_BOOL:
        return QJSValue(value.boolVal != VARIANT_FALSE);
    case VT_BSTR:
        return QJSValue(
            QString(reinterpret_cast<const QChar*>(value.bstrVal), static_cast<int>(SysStringLen(value.bstrVal))));
    case VT_DATE:
        return m_engine.toScriptValue(FromDate(value.date));
    case VT_DISPATCH:
        return Wrap(value.pdispVal);
    case VT_UNKNOWN: {
        IDispatch* object = nullptr;
        if (!value.punkVal || FAILED(value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))))
            return QJSValue(QJSValue::NullValue);
        QJSValue wrapped = Wrap(object);
        object->Release();
        return wrapped;
    }
    case VT_ERROR:
        return QJSValue(static_cast<double>(value.scode));
    default: {
        automation::CVariant number;
        if (FAILED(VariantChangeType(&number, &value, 0, VT_R8)))
            return {};
        return QJSValue(number.dblVal);
    }
    }
}

QJSValue CDispatchBridge::Create(const QString& progId)
{
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(progId.utf16()), &clsid);
    IDispatch* object = nullptr;
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) {
        ThrowFailure(QStringLiteral("new ActiveXObject(\"%1\")").arg(progId), FAILED(hr) ? hr : E_NOINTERFACE, nullptr);
        return {};
    }
    QJSValue wrapped = Wrap(object);
    object->Release();
    return wrapped;
}

void CDispatchBridge::ThrowFailure(const QString& what, HRESULT code, const EXCEPINFO* exception)
{
    QString message = what + QStringLiteral(" failed: ") + QString::fromStdString(automation::ResultText(code));
    if (exception && code == DISP_E_EXCEPTION) {
        if (exception->scode)
            message += QStringLiteral(", ") + QString::fromStdString(automation::ResultText(exception->scode));
        if (SysStringLen(exception->bstrDescription) > 0)
            message += QStringLiteral(": ")
                + QString(reinterpret_cast<const QChar*>(exception->bstrDescription),
                    static_cast<int>(SysStringLen(exception->bstrDescription)));
    }
    m_engine.throwError(QJSValue::GenericError, message);
}
