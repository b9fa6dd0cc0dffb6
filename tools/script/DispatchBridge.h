#pragma once

// The meeting point of JavaScript (QJSEngine) and automation objects: an
// IDispatch becomes a JavaScript object whose methods and properties are the
// members its type description lists, and values convert both ways:
//
//   JavaScript            variant
//   undefined             VT_EMPTY
//   null                  VT_NULL (an empty object reference comes back as null)
//   boolean               VT_BOOL (any non-zero boolean reads as true)
//   number                VT_I4 when whole and within 32 bits, else VT_R8
//   string                VT_BSTR (UTF-16 as it is)
//   Date                  VT_DATE
//   Array                 VT_ARRAY | VT_VARIANT (one dimension)
//   wrapped object        VT_DISPATCH, the object it wraps
//
// Integer, currency and decimal results read as numbers; arrays of one
// dimension as arrays. An object without a type description is reached by
// name (GetIDsOfNames): obj.Name() reads a property or calls a method, and
// obj.Name = value writes. A failing call throws a JavaScript Error whose message
// names the member and carries the result code in hex and the exception
// description.
//
// Used by plinth-script and by anything else that runs scripts over
// components (the grid control's own scripts). Objects are called on the
// thread of the engine, which must have initialised the component library.

#include "platform/automation/Automation.h"

#include <QJSEngine>
#include <QJSValue>
#include <QList>
#include <QObject>
#include <QPointer>

class CDispatchProxy;

class CDispatchBridge : public QObject {
    Q_OBJECT
public:
    explicit CDispatchBridge(QJSEngine& engine);
    // Releases every object the scripts still hold.
    ~CDispatchBridge() override;

    QJSEngine& Engine() const { return m_engine; }

    // A JavaScript object for the object (null for a null object); takes its own reference.
    QJSValue Wrap(IDispatch* object);
    // The object a wrapped value stands for, or null.
    IDispatch* Unwrap(const QJSValue& value) const;

    // Fails with DISP_E_TYPEMISMATCH for values that have no variant form.
    HRESULT ToVariant(const QJSValue& value, VARIANT& variant) const;
    QJSValue ToScript(const VARIANT& variant);

    // Creates a registered component by ProgID, as `new ActiveXObject(progId)`
    // does; throws in the engine and returns undefined when it cannot.
    QJSValue Create(const QString& progId);

    // Throws a JavaScript Error "<what> failed (<code>): <description>".
    void ThrowFailure(const QString& what, HRESULT code, const EXCEPINFO* exception);

private:
    QJSValue Members(ITypeInfo* typeInfo);

    QJSEngine& m_engine;
    QJSValue m_builder;
    QJSValue m_namedBuilder;
    QList<QPointer<CDispatchProxy>> m_proxies;
};
