#pragma once

// One dual dispatch interface of a component, described by its member table:
// the type description, name lookup and the dispatch call itself. The
// per-class handlers come from CDispatchTable.

#include "platform/automation/DispatchCall.h"
#include "platform/automation/DispatchMember.h"
#include "platform/automation/InterfaceTypeInfo.h"

#include <vector>

namespace automation {

class CDispatchInterface {
public:
    CDispatchInterface(REFIID iid, std::string name, std::string help, std::vector<DispatchMember> members);
    virtual ~CDispatchInterface() = default;
    CDispatchInterface(const CDispatchInterface&) = delete;
    CDispatchInterface& operator=(const CDispatchInterface&) = delete;

    REFIID Iid() const { return m_iid; }
    const std::vector<DispatchMember>& Members() const { return m_members; }
    ITypeInfo* TypeInfo() const { return &m_typeInfo; }

    HRESULT GetTypeInfo(UINT index, ITypeInfo** typeInfo) const;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) const;

    // IDispatch::Invoke for the object self:
    // - the member is found by id and by the flags (a put, else a method, else
    //   a property read), DISP_E_MEMBERNOTFOUND when none fits;
    // - the argument count must equal the declared count (DISP_E_BADPARAMCOUNT);
    //   named arguments are numbered by position, DISPID_PROPERTYPUT is the
    //   value of a put (DISP_E_PARAMNOTFOUND for any other name);
    // - each argument is converted to its declared type (DISP_E_TYPEMISMATCH
    //   or DISP_E_OVERFLOW, with *argumentError the index in rgvarg);
    // - a member that fails with a code outside the dispatch facility is
    //   reported as DISP_E_EXCEPTION with that code in the exception record;
    // - the result, converted to the declared result type, is written over
    //   *result, which the caller passes empty.
    HRESULT Invoke(void* self, DISPID member, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) const;

protected:
    virtual HRESULT Call(void* self, std::size_t row, CDispatchCall& call) const = 0;

private:
    int FindRow(DISPID member, WORD flags) const;

    IID m_iid;
    std::u16string m_source;
    std::vector<DispatchMember> m_members;
    mutable CInterfaceTypeInfo m_typeInfo;
};

} // namespace automation
