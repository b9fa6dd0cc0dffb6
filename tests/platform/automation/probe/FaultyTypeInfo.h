#pragma once

#include "platform/automation/TypeInfo.h"

namespace probe {

// A type description that answers as another one does, except that one call
// fails at one index, or that it reports another kind.
class CFaultyTypeInfo : public ITypeInfo {
public:
    enum class Call { None, ImplTypeFlags, RefTypeInfo, FuncDesc, VarDesc };

    CFaultyTypeInfo(ITypeInfo* inner, Call call, UINT index, HRESULT code, int kind = -1)
        : m_inner(inner)
        , m_call(call)
        , m_index(index)
        , m_code(code)
        , m_kind(kind)
    {
    }
    virtual ~CFaultyTypeInfo() = default;

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_ITypeInfo) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        return S_OK;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    HRESULT GetTypeAttr(TYPEATTR** attributes) override
    {
        const HRESULT hr = m_inner->GetTypeAttr(attributes);
        if (SUCCEEDED(hr) && m_kind >= 0)
            (*attributes)->typekind = static_cast<TYPEKIND>(m_kind);
        return hr;
    }
    HRESULT GetFuncDesc(UINT index, FUNCDESC** function) override
    {
        return Fails(Call::FuncDesc, index) ? m_code : m_inner->GetFuncDesc(index, function);
    }
    HRESULT GetVarDesc(UINT index, VARDESC** variable) override
    {
        return Fails(Call::VarDesc, index) ? m_code : m_inner->GetVarDesc(index, variable);
    }
    HRESULT GetNames(MEMBERID member, BSTR* names, UINT capacity, UINT* count) override
    {
        return m_inner->GetNames(member, names, capacity, count);
    }
    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* reference) override
    {
        return m_inner->GetRefTypeOfImplType(index, reference);
    }
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override
    {
        return Fails(Call::ImplTypeFlags, index) ? m_code : m_inner->GetImplTypeFlags(index, flags);
    }
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override
    {
        return m_inner->GetIDsOfNames(names, count, ids);
    }
    HRESULT GetDocumentation(MEMBERID member, BSTR* name, BSTR* doc, DWORD* context, BSTR* file) override
    {
        return m_inner->GetDocumentation(member, name, doc, context, file);
    }
    HRESULT GetRefTypeInfo(HREFTYPE reference, ITypeInfo** typeInfo) override
    {
        return Fails(Call::RefTypeInfo, reference) ? m_code : m_inner->GetRefTypeInfo(reference, typeInfo);
    }
    void ReleaseTypeAttr(TYPEATTR* attributes) override { m_inner->ReleaseTypeAttr(attributes); }
    void ReleaseFuncDesc(FUNCDESC* function) override { m_inner->ReleaseFuncDesc(function); }
    void ReleaseVarDesc(VARDESC* variable) override { m_inner->ReleaseVarDesc(variable); }

private:
    bool Fails(Call call, UINT index) const { return call == m_call && index == m_index; }

    ITypeInfo* m_inner;
    Call m_call;
    UINT m_index;
    HRESULT m_code;
    int m_kind;
};

} // namespace probe
