#include "platform/automation/DispatchInterface.h"

#include "platform/base/CodePage.h"

#include <exception>
#include <new>

namespace automation {

namespace {

constexpr std::uint32_t FacilityMask = 0x7FFF0000u;
constexpr std::uint32_t DispatchFacility = 0x00020000u;

bool IsDispatchCode(HRESULT hr)
{
    return (static_cast<std::uint32_t>(hr) & FacilityMask) == DispatchFacility;
}

// The arguments of one call in declaration order; converted ones are owned.
class ArgumentList {
public:
    explicit ArgumentList(std::size_t count)
        : m_owned(count, false)
    {
        m_values.resize(count);
    }
    ~ArgumentList()
    {
        for (std::size_t i = 0; i < m_values.size(); ++i)
            if (m_owned[i])
                VariantClear(&m_values[i]);
    }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    HRESULT Take(std::size_t index, const VARIANT& argument, VARTYPE declared)
    {
        VARIANT& slot = m_values[index];
        if (declared == VT_VARIANT || argument.vt == declared) {
            slot = argument;
            return S_OK;
        }
        if (declared & VT_BYREF)
            return DISP_E_TYPEMISMATCH;
        if (argument.vt == (declared | VT_BYREF) && (declared & VT_ARRAY)) {
            if (!argument.pparray)
                return E_INVALIDARG;
            VariantInit(&slot);
            slot.vt = declared;
            slot.parray = *argument.pparray;
            return S_OK;
        }
        if ((declared & VT_ARRAY) && !(argument.vt & VT_ARRAY))
            return DISP_E_TYPEMISMATCH;
        VariantInit(&slot);
        const HRESULT hr = VariantChangeType(&slot, &argument, 0, declared);
        m_owned[index] = SUCCEEDED(hr);
        return hr;
    }

    std::vector<VARIANT> Values() const { return m_values; }

private:
    std::vector<VARIANT> m_values;
    std::vector<bool> m_owned;
};

} // namespace

CDispatchInterface::CDispatchInterface(
    REFIID iid, std::string name, std::string help, std::vector<DispatchMember> members)
    : m_iid(iid)
    , m_source(base::AnsiToUtf16(name))
    , m_members(std::move(members))
    , m_typeInfo(iid, std::move(name), std::move(help), m_members)
{
}

HRESULT CDispatchInterface::GetTypeInfo(UINT index, ITypeInfo** typeInfo) const
{
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    m_typeInfo.AddRef();
    *typeInfo = &m_typeInfo;
    return S_OK;
}

HRESULT CDispatchInterface::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) const
{
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return m_typeInfo.GetIDsOfNames(names, count, ids);
}

int CDispatchInterface::FindRow(DISPID member, WORD flags) const
{
    int method = -1;
    int get = -1;
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        const DispatchMember& row = m_members[i];
        if (row.id != member)
            continue;
        const bool writable
            = row.kind == MemberKind::PropertyPut || (row.kind == MemberKind::Property && !row.readOnly);
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && writable)
            return static_cast<int>(i);
        if ((flags & DISPATCH_METHOD) && row.kind == MemberKind::Method && method < 0)
            method = static_cast<int>(i);
        if ((flags & DISPATCH_PROPERTYGET) && (row.kind == MemberKind::PropertyGet || row.kind == MemberKind::Property)
            && get < 0)
            get = static_cast<int>(i);
    }
    return method >= 0 ? method : get;
}

HRESULT CDispatchInterface::Invoke(void* self, DISPID member, REFIID iid, WORD flags, DISPPARAMS* params,
    VARIANT* result, EXCEPINFO* exception, UINT* argumentError) const
{
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!params || (params->cArgs && !params->rgvarg) || params->cNamedArgs > params->cArgs
        || (params->cNamedArgs && !params->rgdispidNamedArgs))
        return E_INVALIDARG;
    const int rowIndex = FindRow(member, flags);
    if (rowIndex < 0)
        return DISP_E_MEMBERNOTFOUND;
    const DispatchMember& row = m_members[static_cast<std::size_t>(rowIndex)];

    WORD kind = DISPATCH_METHOD;
    std::vector<VARTYPE> declared;
    if (row.kind == MemberKind::Property) {
        kind = (flags & DISPATCH_PROPERTYPUT)   ? DISPATCH_PROPERTYPUT
            : (flags & DISPATCH_PROPERTYPUTREF) ? DISPATCH_PROPERTYPUTREF
                                                : DISPATCH_PROPERTYGET;
        if (kind != DISPATCH_PROPERTYGET)
            declared.push_back(row.result);
    } else {
        kind = row.kind == MemberKind::PropertyPut
            ? ((flags & DISPATCH_PROPERTYPUT) ? DISPATCH_PROPERTYPUT : DISPATCH_PROPERTYPUTREF)
            : row.kind == MemberKind::PropertyGet ? DISPATCH_PROPERTYGET
                                                  : DISPATCH_METHOD;
        for (const DispatchParameter& parameter : row.parameters)
            declared.push_back(parameter.type);
    }
    const bool put = (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const std::size_t count = declared.size();
    if (params->cArgs != count)
        return DISP_E_BADPARAMCOUNT;

    // Where in rgvarg each declared parameter comes from.
    std::vector<int> source(count, -1);
    const UINT positional = params->cArgs - params->cNamedArgs;
    for (UINT i = 0; i < positional; ++i)
        source[i] = static_cast<int>(params->cArgs - 1 - i);
    for (UINT j = 0; j < params->cNamedArgs; ++j) {
        const DISPID name = params->rgdispidNamedArgs[j];
        const long long target = (name == DISPID_PROPERTYPUT && put) ? static_cast<long long>(count) - 1 : name;
        if (target < 0 || target >= static_cast<long long>(count) || source[static_cast<std::size_t>(target)] >= 0) {
            if (argumentError)
                *argumentError = j;
            return DISP_E_PARAMNOTFOUND;
        }
        source[static_cast<std::size_t>(target)] = static_cast<int>(j);
    }

    ArgumentList arguments(count);
    for (std::size_t i = 0; i < count; ++i) {
        const HRESULT hr = arguments.Take(i, params->rgvarg[source[i]], declared[i]);
        if (FAILED(hr)) {
            if (argumentError)
                *argumentError = static_cast<UINT>(source[i]);
            return hr;
        }
    }

    CDispatchCall call(kind, arguments.Values(), exception, m_source);
    HRESULT hr = S_OK;
    try {
        hr = Call(self, static_cast<std::size_t>(rowIndex), call);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        hr = call.Raise(std::u16string_view(base::Utf8ToUtf16(error.what())), E_FAIL);
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        if (!call.Raised() && !IsDispatchCode(hr))
            hr = call.Raise(std::u16string_view(), hr);
        return hr;
    }

    CVariant& value = call.Result();
    const VARTYPE wanted = row.kind == MemberKind::Property && put ? VT_EMPTY : row.result;
    if (wanted != VT_EMPTY && wanted != VT_VOID && wanted != VT_VARIANT && value.vt != VT_EMPTY && value.vt != wanted) {
        const HRESULT converted = VariantChangeType(&value, &value, 0, wanted);
        if (FAILED(converted))
            return call.Raise(std::u16string_view(), converted);
    }
    if (result)
        *result = value.Detach();
    return hr;
}

} // namespace automation
