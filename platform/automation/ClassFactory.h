#pragma once

#include "platform/automation/ComponentClass.h"
#include "platform/automation/Unknown.h"

#include <atomic>

namespace automation {

// The class object of one class of a component.
class CClassFactory final : public IClassFactory {
public:
    explicit CClassFactory(const ComponentClass& componentClass)
        : m_class(componentClass)
    {
    }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT LockServer(BOOL lock) override;

private:
    ~CClassFactory() = default;

    const ComponentClass& m_class;
    std::atomic<ULONG> m_references { 0 };
};

} // namespace automation
