#include "designer/automation/LateBoundObject.h"

#include <cstring>

namespace {

// Names travel in buffers of 122 units with the terminator.
constexpr std::size_t MaxNameLength = 121;

// Each byte of a 7-bit name becomes one 16-bit unit.
bool ConvertName(LPCSTR name, std::u16string& out)
{
    if (!name)
        return false;
    const std::size_t length = std::strlen(name);
    if (length > MaxNameLength)
        return false;
    out.assign(length, u'\0');
    for (std::size_t i = 0; i < length; ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(name[i]));
    return true;
}

// A safe array is recorded as its element type plus VT_ARRAY, a pointer as
// the type it points to plus VT_BYREF.
VARTYPE TypeCode(const TYPEDESC& type)
{
    if (type.vt == VT_SAFEARRAY)
        return static_cast<VARTYPE>((type.lptdesc ? TypeCode(*type.lptdesc) : 0) + VT_ARRAY);
    if (type.vt == VT_PTR)
        return static_cast<VARTYPE>((type.lptdesc ? TypeCode(*type.lptdesc) : 0) + VT_BYREF);
    return type.vt;
}

bool IsArrayCode(VARTYPE type)
{
    return type == 0x2000 || (type >= 0x2002 && type <= 0x200D) || type == 0x2011;
}

bool IsReferenceCode(VARTYPE type)
{
    return (type >= 0x4002 && type <= 0x400D) || type == 0x4011 || type == 0x6000 || (type >= 0x6002 && type <= 0x600D)
        || type == 0x6011;
}

WORD CallableKind(INVOKEKIND kind)
{
    switch (kind) {
    case INVOKE_FUNC:
    case INVOKE_PROPERTYGET:
    case INVOKE_PROPERTYPUT:
    case INVOKE_PROPERTYPUTREF:
        return static_cast<WORD>(kind);
    }
    return 0;
}

// The first name the type description gives for a member.
HRESULT MemberName(ITypeInfo* typeInfo, MEMBERID id, std::u16string& name)
{
    BSTR names[1] = { nullptr };
    UINT count = 0;
    const HRESULT hr = typeInfo->GetNames(id, names, 1, &count);
    if (SUCCEEDED(hr) && count > 0)
        name.assign(automation::BstrView(names[0]));
    if (count > 0)
        SysFreeString(names[0]);
    return hr;
}

// Fills one argument slot from the argument list by its declared type code.
// Returns true when the slot holds a string made here.
bool FillSlot(VARIANT& slot, VARTYPE type, va_list& arguments)
{
    slot.vt = type;
    switch (type) {
    case VT_I2:
        slot.iVal = static_cast<SHORT>(va_arg(arguments, int));
        return false;
    case VT_I4:
    case VT_ERROR:
        slot.lVal = va_arg(arguments, int);
        return false;
    case VT_DISPATCH:
        // An object reference is a whole pointer here, not a 32-bit value.
        slot.pdispVal = va_arg(arguments, IDispatch*);
        return false;
    case VT_R4:
        // A float reaches a variable argument list promoted to double.
        slot.fltVal = static_cast<float>(va_arg(arguments, double));
        return false;
    case VT_R8:
    case VT_DATE:
        slot.dblVal = va_arg(arguments, double);
        return false;
    case VT_CY:
        slot.cyVal = va_arg(arguments, CY);
        return false;
    case VT_BSTR: {
        const char* text = va_arg(arguments, const char*);
        slot.bstrVal = text ? automation::AllocBstrFromAnsi(text) : nullptr;
        return true;
    }
    case VT_BOOL:
        slot.boolVal = va_arg(arguments, int) ? VARIANT_TRUE : VARIANT_FALSE;
        return false;
    case VT_VARIANT:
        slot = va_arg(arguments, VARIANT);
        return false;
    case VT_UNKNOWN:
        slot.punkVal = va_arg(arguments, IUnknown*);
        return false;
    case VT_UI1:
        slot.bVal = static_cast<BYTE>(va_arg(arguments, int));
        return false;
    default:
        if (IsArrayCode(type))
            slot.parray = va_arg(arguments, SAFEARRAY*);
        else if (IsReferenceCode(type))
            slot.byref = va_arg(arguments, void*);
        return false;
    }
}

} // namespace

void CLateBoundObject::ExceptionDeleter::operator()(EXCEPINFO* record) const
{
    SysFreeString(record->bstrSource);
    SysFreeString(record->bstrDescription);
    SysFreeString(record->bstrHelpFile);
    delete record;
}

CLateBoundObject::CLateBoundObject()
{
    m_initialised = SUCCEEDED(CoInitialize(nullptr));
}

CLateBoundObject::~CLateBoundObject()
{
    Clear();
    if (m_initialised)
        CoUninitialize();
}

void CLateBoundObject::Clear()
{
    // Results may hold objects of the component: they go before it does.
    m_members.clear();
    m_memberCount = m_functionCount = m_propertyCount = 0;
    m_exception.reset();
    if (m_dispatch) {
        m_dispatch->Release();
        m_dispatch = nullptr;
    }
}

bool CLateBoundObject::Create(LPCSTR progId, DWORD contextFlags)
{
    Clear();
    std::u16string name;
    if (!ConvertName(progId, name)) {
        m_lastResult = CO_E_CLASSSTRING;
        return false;
    }
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(hr)) {
        m_lastResult = hr;
        return false;
    }
    hr = CoCreateInstance(clsid, nullptr, contextFlags, IID_IDispatch, reinterpret_cast<void**>(&m_dispatch));
    if (FAILED(hr) || !m_dispatch) {
        m_dispatch = nullptr;
        m_lastResult = FAILED(hr) ? hr : E_NOINTERFACE;
        return false;
    }
    m_lastResult = S_OK;
    return LoadMembers();
}

bool CLateBoundObject::FailLoad(HRESULT code)
{
    m_members.clear();
    m_memberCount = m_functionCount = m_propertyCount = 0;
    m_lastResult = code;
    return false;
}

bool CLateBoundObject::LoadMembers()
{
    if (!m_dispatch)
        return FailLoad(S_FALSE);
    ITypeInfo* typeInfo = nullptr;
    HRESULT hr = m_dispatch->GetTypeInfo(0, LOCALE_SYSTEM_DEFAULT, &typeInfo);
    if (FAILED(hr) || !typeInfo)
        return FailLoad(FAILED(hr) ? hr : S_FALSE);
    TYPEATTR* attributes = nullptr;
    hr = typeInfo->GetTypeAttr(&attributes);
    if (FAILED(hr) || !attributes) {
        typeInfo->Release();
        return FailLoad(FAILED(hr) ? hr : S_FALSE);
    }

    if (attributes->typekind == TKIND_COCLASS) {
        // The class's default interface; a later one replaces an earlier one.
        ITypeInfo* taken = nullptr;
        TYPEATTR* takenAttributes = nullptr;
        HRESULT pending = S_OK;
        for (UINT i = 0; i < attributes->cImplTypes; ++i) {
            INT flags = 0;
            if (FAILED(typeInfo->GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT))
                continue;
            HREFTYPE reference = 0;
            ITypeInfo* candidate = nullptr;
            TYPEATTR* candidateAttributes = nullptr;
            if (FAILED(pending = typeInfo->GetRefTypeOfImplType(i, &reference)))
                break;
            if (FAILED(pending = typeInfo->GetRefTypeInfo(reference, &candidate)) || !candidate) {
                pending = FAILED(pending) ? pending : E_POINTER;
                break;
            }
            if (FAILED(pending = candidate->GetTypeAttr(&candidateAttributes)) || !candidateAttributes) {
                pending = FAILED(pending) ? pending : E_POINTER;
                candidate->Release();
                break;
            }
            if (taken) {
                taken->ReleaseTypeAttr(takenAttributes);
                taken->Release();
            }
            taken = candidate;
            takenAttributes = candidateAttributes;
        }
        typeInfo->ReleaseTypeAttr(attributes);
        typeInfo->Release();
        if (!taken)
            return FailLoad(FAILED(pending) ? pending : S_FALSE);
        typeInfo = taken;
        attributes = takenAttributes;
    } else if (attributes->typekind != TKIND_DISPATCH) {
        typeInfo->ReleaseTypeAttr(attributes);
        typeInfo->Release();
        return FailLoad(S_FALSE);
    }

    const WORD functions = attributes->cFuncs;
    const WORD properties = attributes->cVars;
    m_functionCount = functions;
    m_propertyCount = properties;
    m_memberCount = functions + 2 * properties;
    m_members.clear();
    m_members.resize(static_cast<std::size_t>(m_memberCount));
    const bool loaded = ReadFunctions(typeInfo, functions) && ReadProperties(typeInfo, functions, properties);
    typeInfo->ReleaseTypeAttr(attributes);
    typeInfo->Release();
    return loaded;
}

bool CLateBoundObject::ReadFunctions(ITypeInfo* typeInfo, WORD count)
{
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* function = nullptr;
        HRESULT hr = typeInfo->GetFuncDesc(i, &function);
        if (FAILED(hr) || !function)
            return FailLoad(FAILED(hr) ? hr : E_POINTER);
        LateBoundMember& member = m_members[i];
        member.dispatchId = function->memid;
        hr = MemberName(typeInfo, function->memid, member.name);
        if (FAILED(hr)) {
            typeInfo->ReleaseFuncDesc(function);
            return FailLoad(hr);
        }
        member.invokeKind = CallableKind(function->invkind);
        member.parameterCount = function->cParams;
        member.parameterTypes.clear();
        for (SHORT p = 0; p < function->cParams; ++p)
            member.parameterTypes.push_back(TypeCode(function->lprgelemdescParam[p].tdesc));
        member.parameterTypes.push_back(0);
        typeInfo->ReleaseFuncDesc(function);
    }
    return true;
}

bool CLateBoundObject::ReadProperties(ITypeInfo* typeInfo, WORD functionCount, WORD count)
{
    for (WORD j = 0; j < count; ++j) {
        VARDESC* variable = nullptr;
        HRESULT hr = typeInfo->GetVarDesc(j, &variable);
        if (FAILED(hr) || !variable)
            return FailLoad(FAILED(hr) ? hr : E_POINTER);
        LateBoundMember& read = m_members[functionCount + j];
        LateBoundMember& write = m_members[functionCount + count + j];
        read.dispatchId = write.dispatchId = variable->memid;
        hr = MemberName(typeInfo, variable->memid, read.name);
        if (FAILED(hr)) {
            typeInfo->ReleaseVarDesc(variable);
            return FailLoad(hr);
        }
        write.name = read.name;
        if (variable->varkind == VAR_DISPATCH) {
            read.invokeKind = DISPATCH_PROPERTYGET;
            write.invokeKind = DISPATCH_PROPERTYPUT;
            write.parameterCount = 1;
            write.parameterTypes = { TypeCode(variable->elemdescVar.tdesc), 0 };
        }
        typeInfo->ReleaseVarDesc(variable);
    }
    return true;
}

int CLateBoundObject::FindMember(LPCSTR name, WORD kind) const
{
    std::u16string wanted;
    if (!ConvertName(name, wanted))
        return -1;
    for (LONG i = 0; i < m_memberCount; ++i) {
        const LateBoundMember& member = m_members[static_cast<std::size_t>(i)];
        if (member.invokeKind == kind && !member.name.empty() && member.name == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

VARIANT* CLateBoundObject::InvokeMethod(LPCSTR name, ...)
{
    const int index = FindMember(name, DISPATCH_METHOD);
    if (index < 0)
        return nullptr;
    va_list arguments;
    va_start(arguments, name);
    const HRESULT hr = InvokeMember(index, arguments);
    va_end(arguments);
    m_lastResult = hr;
    return hr == S_OK ? &m_members[static_cast<std::size_t>(index)].result : nullptr;
}

HRESULT CLateBoundObject::InvokeMember(int index, va_list arguments)
{
    m_lastResult = S_OK;
    if (index < 0 || index >= m_memberCount || !m_dispatch)
        return m_lastResult = DISP_E_MEMBERNOTFOUND;
    LateBoundMember& member = m_members[static_cast<std::size_t>(index)];
    if (member.invokeKind == 0)
        return m_lastResult = S_FALSE;

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    const std::size_t count = member.parameterCount > 0 ? static_cast<std::size_t>(member.parameterCount) : 0;
    params.cArgs = static_cast<UINT>(count);
    if (member.invokeKind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &putId;
    }

    // The first declared parameter goes into the last slot: the platform takes
    // arguments last to first.
    std::vector<VARIANT> slots(count);
    if (count > 0)
        std::memset(slots.data(), 0, count * sizeof(VARIANT));
    std::vector<std::size_t> madeStrings;
    va_list walk;
    va_copy(walk, arguments);
    for (std::size_t p = 0; p < count && member.parameterTypes[p] != 0; ++p) {
        const std::size_t slot = count - 1 - p;
        if (FillSlot(slots[slot], member.parameterTypes[p], walk))
            madeStrings.push_back(slot);
    }
    va_end(walk);
    params.rgvarg = count > 0 ? slots.data() : nullptr;

    member.result.Clear();
    m_exception.reset(new EXCEPINFO {});
    UINT argumentError = 0;
    const HRESULT hr = m_dispatch->Invoke(member.dispatchId, IID_NULL, LOCALE_SYSTEM_DEFAULT, member.invokeKind,
        &params, &member.result, m_exception.get(), &argumentError);
    for (std::size_t slot : madeStrings)
        SysFreeString(slots[slot].bstrVal);

    if (SUCCEEDED(hr)) {
        m_exception.reset();
    } else {
        member.result.Clear();
        if (hr == DISP_E_EXCEPTION) {
            if (DeferredFillIn fillIn = m_exception->pfnDeferredFillIn) {
                m_exception->pfnDeferredFillIn = nullptr;
                fillIn(m_exception.get());
            }
        } else {
            m_exception.reset();
        }
    }
    return m_lastResult = hr;
}
