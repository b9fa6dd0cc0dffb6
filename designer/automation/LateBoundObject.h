#pragma once

// Calls an automation component by member name without declaring its
// interface: Create makes the component from its ProgID and reads its type
// description once into a member table; InvokeMethod then calls a method by
// name with one argument per declared parameter, converted by the parameter's
// declared type.
//
// The object initialises the component library for its thread when it is
// made and balances that when it goes, so it can be used on any thread. It is
// used on one thread only and never copied.

#include "designer/automation/LateBoundMember.h"
#include "platform/automation/Automation.h"

#include <cstdarg>
#include <memory>
#include <vector>

class CLateBoundObject {
public:
    CLateBoundObject();
    ~CLateBoundObject();
    CLateBoundObject(const CLateBoundObject&) = delete;
    CLateBoundObject& operator=(const CLateBoundObject&) = delete;

    // progId is 7-bit ASCII of at most 121 characters; every caller passes
    // contextFlags 7. False when no class is recorded for the ProgID, the
    // component cannot be created, or its type description is unreadable or
    // neither a dispatch interface nor a class with a default interface.
    bool Create(LPCSTR progId, DWORD contextFlags);

    // Calls the method `name` (case matters) with one argument per declared
    // parameter, in declaration order, each passed as its declared type takes it:
    //   VT_I2, VT_I4, VT_ERROR, VT_BOOL, VT_UI1   an int (VT_BOOL: non-zero is true)
    //   VT_R4, VT_R8, VT_DATE                     a double (VT_R4 is narrowed)
    //   VT_CY                                     a CY
    //   VT_BSTR                                   a const char* in code page 936 (null: empty)
    //   VT_VARIANT                                a VARIANT by value
    //   VT_DISPATCH, VT_UNKNOWN, arrays, by-reference types   a pointer
    // Returns the method's result slot, valid until the member is called again
    // or the object is cleared or destroyed; null when the name is no method or
    // the call failed.
    VARIANT* InvokeMethod(LPCSTR name, ...);

    // The index of the first member called `name` with that invoke kind, or -1.
    int FindMember(LPCSTR name, WORD kind) const;
    // Calls member `index` with arguments as InvokeMethod takes them.
    HRESULT InvokeMember(int index, va_list arguments);

    void Clear();
    bool LoadMembers();

    IDispatch* Dispatch() const { return m_dispatch; }
    HRESULT LastResult() const { return m_lastResult; }
    // Kept after a call failed with DISP_E_EXCEPTION (its deferred texts filled in); else null.
    const EXCEPINFO* Exception() const { return m_exception.get(); }
    LONG MemberCount() const { return m_memberCount; }
    LONG FunctionCount() const { return m_functionCount; }
    LONG PropertyCount() const { return m_propertyCount; }
    const LateBoundMember& Member(int index) const { return m_members[static_cast<std::size_t>(index)]; }

private:
    struct ExceptionDeleter {
        void operator()(EXCEPINFO* record) const;
    };

    bool FailLoad(HRESULT code);
    bool ReadFunctions(ITypeInfo* typeInfo, WORD count);
    bool ReadProperties(ITypeInfo* typeInfo, WORD functionCount, WORD count);

    IDispatch* m_dispatch = nullptr;
    LONG m_memberCount = 0;
    std::vector<LateBoundMember> m_members;
    HRESULT m_lastResult = S_FALSE;
    std::unique_ptr<EXCEPINFO, ExceptionDeleter> m_exception;
    LONG m_propertyCount = 0;
    LONG m_functionCount = 0;
    bool m_initialised = false;
};
