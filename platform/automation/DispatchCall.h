#pragma once

// What a component's member sees of one dispatch call: its arguments in
// declaration order, already converted to the declared types, the result to
// fill, and the exception record to raise.

#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace automation {

class CDispatchCall {
public:
    CDispatchCall(WORD kind, std::vector<VARIANT> arguments, EXCEPINFO* exception, std::u16string_view source);

    WORD Kind() const { return m_kind; }
    bool IsPut() const { return (m_kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }
    std::size_t ArgumentCount() const { return m_arguments.size(); }

    // Each accessor reads the argument as its declared type holds it.
    const VARIANT& Argument(std::size_t index) const { return m_arguments[index]; }
    LONG Long(std::size_t index) const { return m_arguments[index].lVal; }
    SHORT Short(std::size_t index) const { return m_arguments[index].iVal; }
    double Double(std::size_t index) const { return m_arguments[index].dblVal; }
    bool Bool(std::size_t index) const { return m_arguments[index].boolVal != VARIANT_FALSE; }
    BSTR Bstr(std::size_t index) const { return m_arguments[index].bstrVal; }
    std::u16string_view String(std::size_t index) const { return BstrView(m_arguments[index].bstrVal); }
    // A string argument in the suite's 8-bit code page.
    std::string Ansi(std::size_t index) const { return BstrToAnsi(m_arguments[index].bstrVal); }
    IDispatch* Dispatch(std::size_t index) const { return m_arguments[index].pdispVal; }

    CVariant& Result() { return m_result; }
    void SetEmpty() { m_result.Clear(); }
    void SetLong(LONG value);
    void SetShort(SHORT value);
    void SetDouble(double value);
    // The value is stored as given: a component that answers 1 for true gets 1.
    void SetBool(VARIANT_BOOL value);
    void SetString(std::u16string_view text);
    // 8-bit text in the suite's code page.
    void SetAnsi(std::string_view text);
    // Takes a new reference; null is an empty object reference.
    void SetDispatch(IDispatch* object);
    void SetVariant(const VARIANT& value);

    // Fails the call with DISP_E_EXCEPTION and an exception record carrying
    // scode and the description (8-bit text in the suite's code page, or UTF-16).
    HRESULT Raise(std::string_view description, SCODE scode = E_FAIL);
    HRESULT Raise(std::u16string_view description, SCODE scode = E_FAIL);
    // The same with the texts left to fill in when the caller asks for them.
    HRESULT RaiseDeferred(DeferredFillIn fillIn, SCODE scode = E_FAIL);
    bool Raised() const { return m_raised; }

private:
    EXCEPINFO* Exception();

    WORD m_kind;
    std::vector<VARIANT> m_arguments;
    EXCEPINFO* m_exception;
    std::u16string m_source;
    CVariant m_result;
    bool m_raised = false;
};

} // namespace automation
