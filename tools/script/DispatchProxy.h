#pragma once

#include "platform/automation/Dispatch.h"

#include <QJSValue>
#include <QObject>

class CDispatchBridge;

// Holds one reference to an automation object for the JavaScript object that
// wraps it; the engine owns it and releases the object with it.
class CDispatchProxy : public QObject {
    Q_OBJECT
public:
    CDispatchProxy(CDispatchBridge& bridge, IDispatch* object);
    ~CDispatchProxy() override;

    IDispatch* Object() const { return m_object; }

    // Invokes member `id` by `kind` (a DISPATCH_ flag) with the arguments of
    // a JavaScript array; `name` is for error messages.
    Q_INVOKABLE QJSValue call(int id, int kind, const QString& name, const QJSValue& arguments);

    // The same for a member found by name (ignoring case), for objects without
    // a type description.
    Q_INVOKABLE QJSValue callByName(const QString& name, int kind, const QJSValue& arguments);

private:
    CDispatchBridge& m_bridge;
    IDispatch* m_object;
};
