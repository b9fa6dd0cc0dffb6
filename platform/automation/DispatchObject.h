#pragma once

// The base of a component object with one dual dispatch interface:
//
//   class CVerup : public automation::CDispatchObject<CVerup> {
//   public:
//       static const automation::CDispatchTable<CVerup>& Table();
//       ...
//   };
//
// It answers IUnknown, IDispatch and the table's interface id, counts its
// references, holds the component loaded while it lives, and dispatches
// through the table. A class that offers further interfaces overrides
// QueryOther; one that describes itself differently overrides GetTypeInfo.

#include "platform/automation/DispatchTable.h"
#include "platform/automation/ModuleLock.h"

#include <atomic>

namespace automation {

template <typename T> class CDispatchObject : public IDispatch {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        void* answer = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == T::Table().Iid())
            answer = static_cast<IDispatch*>(this);
        else
            answer = QueryOther(iid);
        *object = answer;
        if (!answer)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override
    {
        return T::Table().GetTypeInfo(index, typeInfo);
    }

    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return T::Table().GetIDsOfNames(iid, names, count, ids);
    }

    HRESULT Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override
    {
        return T::Table().Invoke(static_cast<T*>(this), member, iid, flags, params, result, exception, argumentError);
    }

protected:
    CDispatchObject() { LockModule(); }
    virtual ~CDispatchObject() { UnlockModule(); }
    CDispatchObject(const CDispatchObject&) = delete;
    CDispatchObject& operator=(const CDispatchObject&) = delete;

    // Further interfaces of the object (without a reference added); null when none.
    virtual void* QueryOther(REFIID) { return nullptr; }

private:
    std::atomic<ULONG> m_references { 0 };
};

// Makes a T and asks it for iid: what a class's entry in the module calls.
template <typename T> HRESULT CreateObject(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    T* instance = nullptr;
    try {
        instance = new T();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    instance->AddRef();
    const HRESULT hr = instance->QueryInterface(iid, object);
    instance->Release();
    return hr;
}

} // namespace automation
