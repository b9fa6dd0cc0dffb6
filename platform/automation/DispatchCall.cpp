#include "platform/automation/DispatchCall.h"

#include "platform/base/CodePage.h"

#include <cstring>

namespace automation {

CDispatchCall::CDispatchCall(
    WORD kind, std::vector<VARIANT> arguments, EXCEPINFO* exception, std::u16string_view source)
    : m_kind(kind)
    , m_arguments(std::move(arguments))
    , m_exception(exception)
    , m_source(source)
{
}

void CDispatchCall::SetLong(LONG value)
{
    m_result = CVariant::FromLong(value);
}

void CDispatchCall::SetShort(SHORT value)
{
    m_result.Clear();
    m_result.vt = VT_I2;
    m_result.iVal = value;
}

void CDispatchCall::SetDouble(double value)
{
    m_result = CVariant::FromDouble(value);
}

void CDispatchCall::SetBool(VARIANT_BOOL value)
{
    m_result.Clear();
    m_result.vt = VT_BOOL;
    m_result.boolVal = value;
}

void CDispatchCall::SetString(std::u16string_view text)
{
    m_result = CVariant(text);
}

void CDispatchCall::SetAnsi(std::string_view text)
{
    m_result = CVariant(base::AnsiToUtf16(text));
}

void CDispatchCall::SetDispatch(IDispatch* object)
{
    m_result = CVariant::FromDispatch(object);
}

void CDispatchCall::SetVariant(const VARIANT& value)
{
    m_result = CVariant(value);
}

EXCEPINFO* CDispatchCall::Exception()
{
    m_raised = true;
    if (!m_exception)
        return nullptr;
    std::memset(m_exception, 0, sizeof(EXCEPINFO));
    return m_exception;
}

HRESULT CDispatchCall::Raise(std::string_view description, SCODE scode)
{
    return Raise(std::u16string_view(base::AnsiToUtf16(description)), scode);
}

HRESULT CDispatchCall::Raise(std::u16string_view description, SCODE scode)
{
    if (EXCEPINFO* record = Exception()) {
        record->scode = scode;
        record->bstrSource = AllocBstr(m_source);
        record->bstrDescription = AllocBstr(description);
    }
    return DISP_E_EXCEPTION;
}

HRESULT CDispatchCall::RaiseDeferred(DeferredFillIn fillIn, SCODE scode)
{
    if (EXCEPINFO* record = Exception()) {
        record->scode = scode;
        record->pfnDeferredFillIn = fillIn;
    }
    return DISP_E_EXCEPTION;
}

} // namespace automation
