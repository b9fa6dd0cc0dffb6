#include "platform/automation/InterfaceTypeInfo.h"

#include <cstring>

namespace automation {

namespace {

char16_t Lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

ELEMDESC Element(TYPEDESC type, USHORT flags)
{
    ELEMDESC element;
    std::memset(&element, 0, sizeof element);
    element.tdesc = type;
    element.paramdesc.wParamFlags = flags;
    return element;
}

} // namespace

bool NamesEqualIgnoringCase(std::u16string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(static_cast<char16_t>(static_cast<unsigned char>(b[i]))))
            return false;
    return true;
}

WORD InvokeKindOf(MemberKind kind)
{
    switch (kind) {
    case MemberKind::Method:
        return DISPATCH_METHOD;
    case MemberKind::PropertyGet:
        return DISPATCH_PROPERTYGET;
    case MemberKind::PropertyPut:
        return DISPATCH_PROPERTYPUT;
    case MemberKind::Property:
        break;
    }
    return DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT;
}

CInterfaceTypeInfo::CInterfaceTypeInfo(
    REFIID iid, std::string name, std::string help, const std::vector<DispatchMember>& members)
    : CTypeInfoBase(iid, std::move(name), std::move(help))
    , m_members(members)
{
    for (const DispatchMember& member : m_members) {
        if (member.kind == MemberKind::Property) {
            VARDESC variable;
            std::memset(&variable, 0, sizeof variable);
            variable.memid = member.id;
            variable.elemdescVar = Element(DescribeType(member.result), PARAMFLAG_NONE);
            variable.wVarFlags = member.readOnly ? VARFLAG_FREADONLY : 0;
            variable.varkind = VAR_DISPATCH;
            m_variables.push_back(variable);
            continue;
        }
        std::vector<ELEMDESC>& parameters = m_parameters.emplace_back();
        for (const DispatchParameter& parameter : member.parameters)
            parameters.push_back(Element(DescribeType(parameter.type), PARAMFLAG_FIN));
        FUNCDESC function;
        std::memset(&function, 0, sizeof function);
        function.memid = member.id;
        function.lprgelemdescParam = parameters.empty() ? nullptr : parameters.data();
        function.funckind = FUNC_DISPATCH;
        function.invkind = static_cast<INVOKEKIND>(InvokeKindOf(member.kind));
        function.callconv = CC_STDCALL;
        function.cParams = static_cast<SHORT>(parameters.size());
        function.elemdescFunc = Element(DescribeType(member.result == VT_EMPTY ? VT_VOID : member.result), 0);
        m_functions.push_back(function);
    }
}

TYPEDESC CInterfaceTypeInfo::DescribeType(VARTYPE type)
{
    TYPEDESC description;
    std::memset(&description, 0, sizeof description);
    if (type & VT_BYREF) {
        description.vt = VT_PTR;
        description.lptdesc = &m_typeNodes.emplace_back(DescribeType(type & ~VT_BYREF));
    } else if (type & VT_ARRAY) {
        description.vt = VT_SAFEARRAY;
        description.lptdesc = &m_typeNodes.emplace_back(DescribeType(type & ~VT_ARRAY));
    } else {
        description.vt = type;
    }
    return description;
}

void CInterfaceTypeInfo::FillTypeAttr(TYPEATTR& attributes) const
{
    attributes.typekind = TKIND_DISPATCH;
    attributes.cFuncs = static_cast<WORD>(m_functions.size());
    attributes.cVars = static_cast<WORD>(m_variables.size());
    attributes.cbSizeVft = static_cast<WORD>(7 * sizeof(void*));
    attributes.cbAlignment = alignof(void*);
    attributes.wTypeFlags = TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE | TYPEFLAG_FOLEAUTOMATION;
}

HRESULT CInterfaceTypeInfo::GetFuncDesc(UINT index, FUNCDESC** function)
{
    if (!function)
        return E_INVALIDARG;
    *function = nullptr;
    if (index >= m_functions.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *function = new (std::nothrow) FUNCDESC(m_functions[index]);
    return *function ? S_OK : E_OUTOFMEMORY;
}

HRESULT CInterfaceTypeInfo::GetVarDesc(UINT index, VARDESC** variable)
{
    if (!variable)
        return E_INVALIDARG;
    *variable = nullptr;
    if (index >= m_variables.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *variable = new (std::nothrow) VARDESC(m_variables[index]);
    return *variable ? S_OK : E_OUTOFMEMORY;
}

const DispatchMember* CInterfaceTypeInfo::FindById(MEMBERID member) const
{
    for (const DispatchMember& row : m_members)
        if (row.id == member)
            return &row;
    return nullptr;
}

HRESULT CInterfaceTypeInfo::GetNames(MEMBERID member, BSTR* names, UINT capacity, UINT* count)
{
    if (!names || !count)
        return E_INVALIDARG;
    *count = 0;
    const DispatchMember* row = FindById(member);
    if (!row)
        return TYPE_E_ELEMENTNOTFOUND;
    if (capacity == 0)
        return S_OK;
    names[(*count)++] = AllocBstrFromAnsi(row->name);
    for (const DispatchParameter& parameter : row->parameters) {
        if (*count >= capacity)
            break;
        names[(*count)++] = AllocBstrFromAnsi(parameter.name);
    }
    return S_OK;
}

bool CInterfaceTypeInfo::MemberDocumentation(MEMBERID member, std::string& name) const
{
    const DispatchMember* row = FindById(member);
    if (row)
        name = row->name;
    return row != nullptr;
}

int CInterfaceTypeInfo::FindByName(std::u16string_view name) const
{
    for (std::size_t i = 0; i < m_members.size(); ++i)
        if (NamesEqualIgnoringCase(name, m_members[i].name))
            return static_cast<int>(i);
    return -1;
}

HRESULT CInterfaceTypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids)
{
    if (!names || !ids)
        return E_INVALIDARG;
    if (count == 0)
        return S_OK;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = MEMBERID_NIL;
    const int row = names[0] ? FindByName(names[0]) : -1;
    if (row < 0)
        return DISP_E_UNKNOWNNAME;
    const DispatchMember& member = m_members[static_cast<std::size_t>(row)];
    ids[0] = member.id;
    // Further names are parameters, numbered by their position.
    for (UINT i = 1; i < count; ++i) {
        for (std::size_t p = 0; p < member.parameters.size(); ++p)
            if (names[i] && NamesEqualIgnoringCase(names[i], member.parameters[p].name))
                ids[i] = static_cast<MEMBERID>(p);
        if (ids[i] == MEMBERID_NIL)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

} // namespace automation
