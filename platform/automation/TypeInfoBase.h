#pragma once

#include "platform/automation/TypeInfo.h"

#include <string>

namespace automation {

// The part shared by the kit's type descriptions. They are made once per
// component and live as long as it is loaded, so references are not counted.
// Every call a description does not answer reports TYPE_E_ELEMENTNOTFOUND.
class CTypeInfoBase : public ITypeInfo {
public:
    CTypeInfoBase(REFGUID guid, std::string name, std::string help);
    virtual ~CTypeInfoBase() = default;
    CTypeInfoBase(const CTypeInfoBase&) = delete;
    CTypeInfoBase& operator=(const CTypeInfoBase&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    HRESULT GetTypeAttr(TYPEATTR** attributes) override;
    HRESULT GetFuncDesc(UINT index, FUNCDESC** function) override;
    HRESULT GetVarDesc(UINT index, VARDESC** variable) override;
    HRESULT GetNames(MEMBERID member, BSTR* names, UINT capacity, UINT* count) override;
    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* reference) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
    HRESULT GetDocumentation(MEMBERID member, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override;
    HRESULT GetRefTypeInfo(HREFTYPE reference, ITypeInfo** typeInfo) override;
    void ReleaseTypeAttr(TYPEATTR* attributes) override;
    void ReleaseFuncDesc(FUNCDESC* function) override;
    void ReleaseVarDesc(VARDESC* variable) override;

    const std::string& Name() const { return m_name; }

protected:
    // Called with a zero-filled record whose guid and lcid are set.
    virtual void FillTypeAttr(TYPEATTR& attributes) const = 0;
    // The name and documentation of one member; false when there is none.
    virtual bool MemberDocumentation(MEMBERID member, std::string& name) const;

private:
    GUID m_guid;
    std::string m_name;
    std::string m_help;
};

} // namespace automation
