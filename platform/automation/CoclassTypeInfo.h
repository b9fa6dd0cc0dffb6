#pragma once

// The type description of a component class: the interfaces it implements,
// each with its flags (IMPLTYPEFLAG_FDEFAULT marks the one callers use).

#include "platform/automation/TypeInfoBase.h"

#include <vector>

namespace automation {

struct ImplementedInterface {
    ITypeInfo* typeInfo; // lives as long as the component
    INT flags;
};

class CCoclassTypeInfo : public CTypeInfoBase {
public:
    CCoclassTypeInfo(REFCLSID clsid, std::string name, std::string help, std::vector<ImplementedInterface> interfaces);

    HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* reference) override;
    HRESULT GetImplTypeFlags(UINT index, INT* flags) override;
    HRESULT GetRefTypeInfo(HREFTYPE reference, ITypeInfo** typeInfo) override;

protected:
    void FillTypeAttr(TYPEATTR& attributes) const override;

private:
    std::vector<ImplementedInterface> m_interfaces;
};

} // namespace automation
