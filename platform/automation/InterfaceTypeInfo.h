#pragma once

// The type description of a dual dispatch interface, made from the member
// table a component declares: methods and property functions are functions
// (FUNC_DISPATCH), property variables are VAR_DISPATCH variables. A safe-array
// parameter is described as VT_SAFEARRAY of its element type, a by-reference
// parameter as VT_PTR to its type.

#include "platform/automation/DispatchMember.h"
#include "platform/automation/TypeInfoBase.h"

#include <deque>
#include <vector>

namespace automation {

class CInterfaceTypeInfo : public CTypeInfoBase {
public:
    CInterfaceTypeInfo(REFIID iid, std::string name, std::string help, const std::vector<DispatchMember>& members);

    HRESULT GetFuncDesc(UINT index, FUNCDESC** function) override;
    HRESULT GetVarDesc(UINT index, VARDESC** variable) override;
    HRESULT GetNames(MEMBERID member, BSTR* names, UINT capacity, UINT* count) override;
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;

    // Finds a member row by name, ignoring the case of ASCII letters; -1 when none.
    int FindByName(std::u16string_view name) const;

protected:
    void FillTypeAttr(TYPEATTR& attributes) const override;
    bool MemberDocumentation(MEMBERID member, std::string& name) const override;

private:
    const DispatchMember* FindById(MEMBERID member) const;
    TYPEDESC DescribeType(VARTYPE type);

    const std::vector<DispatchMember>& m_members;
    std::vector<FUNCDESC> m_functions;
    std::vector<VARDESC> m_variables;
    std::deque<std::vector<ELEMDESC>> m_parameters;
    std::deque<TYPEDESC> m_typeNodes;
};

// Compares two names ignoring the case of ASCII letters.
bool NamesEqualIgnoringCase(std::u16string_view a, std::string_view b);

} // namespace automation
