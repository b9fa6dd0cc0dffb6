#include "platform/automation/TypeInfoBase.h"

namespace automation {

CTypeInfoBase::CTypeInfoBase(REFGUID guid, std::string name, std::string help)
    : m_guid(guid)
    , m_name(std::move(name))
    , m_help(std::move(help))
{
}

HRESULT CTypeInfoBase::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ITypeInfo) {
        *object = static_cast<ITypeInfo*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CTypeInfoBase::GetTypeAttr(TYPEATTR** attributes)
{
    if (!attributes)
        return E_INVALIDARG;
    auto* record = new (std::nothrow) TYPEATTR {};
    if (!record)
        return E_OUTOFMEMORY;
    record->guid = m_guid;
    record->lcid = 0;
    record->memidConstructor = MEMBERID_NIL;
    record->memidDestructor = MEMBERID_NIL;
    record->wMajorVerNum = 1;
    FillTypeAttr(*record);
    *attributes = record;
    return S_OK;
}

HRESULT CTypeInfoBase::GetFuncDesc(UINT, FUNCDESC** function)
{
    if (function)
        *function = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetVarDesc(UINT, VARDESC** variable)
{
    if (variable)
        *variable = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetNames(MEMBERID, BSTR*, UINT, UINT* count)
{
    if (count)
        *count = 0;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetRefTypeOfImplType(UINT, HREFTYPE*)
{
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetImplTypeFlags(UINT, INT*)
{
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetIDsOfNames(LPOLESTR*, UINT count, MEMBERID* ids)
{
    for (UINT i = 0; ids && i < count; ++i)
        ids[i] = MEMBERID_NIL;
    return DISP_E_UNKNOWNNAME;
}

bool CTypeInfoBase::MemberDocumentation(MEMBERID, std::string&) const
{
    return false;
}

HRESULT CTypeInfoBase::GetDocumentation(
    MEMBERID member, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile)
{
    std::string memberName = m_name;
    std::string help = m_help;
    if (member != MEMBERID_NIL) {
        help.clear();
        if (!MemberDocumentation(member, memberName))
            return TYPE_E_ELEMENTNOTFOUND;
    }
    if (name)
        *name = AllocBstrFromAnsi(memberName);
    if (docString)
        *docString = AllocBstrFromAnsi(help);
    if (helpContext)
        *helpContext = 0;
    if (helpFile)
        *helpFile = nullptr;
    return S_OK;
}

HRESULT CTypeInfoBase::GetRefTypeInfo(HREFTYPE, ITypeInfo** typeInfo)
{
    if (typeInfo)
        *typeInfo = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

void CTypeInfoBase::ReleaseTypeAttr(TYPEATTR* attributes)
{
    delete attributes;
}

void CTypeInfoBase::ReleaseFuncDesc(FUNCDESC* function)
{
    delete function;
}

void CTypeInfoBase::ReleaseVarDesc(VARDESC* variable)
{
    delete variable;
}

} // namespace automation
