#include "platform/automation/CoclassTypeInfo.h"

namespace automation {

CCoclassTypeInfo::CCoclassTypeInfo(
    REFCLSID clsid, std::string name, std::string help, std::vector<ImplementedInterface> interfaces)
    : CTypeInfoBase(clsid, std::move(name), std::move(help))
    , m_interfaces(std::move(interfaces))
{
}

void CCoclassTypeInfo::FillTypeAttr(TYPEATTR& attributes) const
{
    attributes.typekind = TKIND_COCLASS;
    attributes.cImplTypes = static_cast<WORD>(m_interfaces.size());
    attributes.wTypeFlags = TYPEFLAG_FCANCREATE;
}

HRESULT CCoclassTypeInfo::GetRefTypeOfImplType(UINT index, HREFTYPE* reference)
{
    if (!reference)
        return E_INVALIDARG;
    if (index >= m_interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *reference = index;
    return S_OK;
}

HRESULT CCoclassTypeInfo::GetImplTypeFlags(UINT index, INT* flags)
{
    if (!flags)
        return E_INVALIDARG;
    if (index >= m_interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *flags = m_interfaces[index].flags;
    return S_OK;
}

HRESULT CCoclassTypeInfo::GetRefTypeInfo(HREFTYPE reference, ITypeInfo** typeInfo)
{
    if (!typeInfo)
        return E_INVALIDARG;
    *typeInfo = nullptr;
    if (reference >= m_interfaces.size() || !m_interfaces[reference].typeInfo)
        return TYPE_E_ELEMENTNOTFOUND;
    *typeInfo = m_interfaces[reference].typeInfo;
    (*typeInfo)->AddRef();
    return S_OK;
}

} // namespace automation
