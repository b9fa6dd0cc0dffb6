// VariantChangeType: every scalar type to every other where the value has a
// form in the target type, as late-bound callers rely on.

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"
#include "platform/automation/Variant.h"
#include "platform/base/CodePage.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

// Dates count days from 1899-12-30; the fraction is the time of day, and for
// dates before that day the fraction still counts forward from midnight.
constexpr double MinDate = -657434.0; // 100-01-01
constexpr double MaxDate = 2958465.0; // 9999-12-31
constexpr LONGLONG CurrencyScale = 10000;

// A scalar read out of a variant, in the widest form that holds it exactly.
struct Number {
    enum Kind { Integer, Unsigned, Real, Currency } kind = Integer;
    LONGLONG integer = 0;
    ULONGLONG unsignedValue = 0;
    double real = 0;

    double AsDouble() const
    {
        switch (kind) {
        case Integer:
            return static_cast<double>(integer);
        case Unsigned:
            return static_cast<double>(unsignedValue);
        case Currency:
            return static_cast<double>(integer) / CurrencyScale;
        case Real:
            break;
        }
        return real;
    }
};

Number MakeInteger(LONGLONG value)
{
    return Number { Number::Integer, value, 0, 0 };
}
Number MakeReal(double value)
{
    return Number { Number::Real, 0, 0, value };
}

// Divides by the scale, rounding half to even as all conversions to integers do.
LONGLONG RoundCurrency(LONGLONG scaled)
{
    LONGLONG quotient = scaled / CurrencyScale;
    const LONGLONG remainder = scaled % CurrencyScale;
    const LONGLONG twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > CurrencyScale || (twice == CurrencyScale && (quotient % 2) != 0))
        quotient += remainder < 0 ? -1 : 1;
    return quotient;
}

HRESULT ToInteger(const Number& n, LONGLONG low, LONGLONG high, LONGLONG& out)
{
    switch (n.kind) {
    case Number::Integer:
        out = n.integer;
        break;
    case Number::Unsigned:
        if (n.unsignedValue > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))
            return DISP_E_OVERFLOW;
        out = static_cast<LONGLONG>(n.unsignedValue);
        break;
    case Number::Currency:
        out = RoundCurrency(n.integer);
        break;
    case Number::Real: {
        const double rounded = std::nearbyint(n.real);
        if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
            return DISP_E_OVERFLOW;
        out = static_cast<LONGLONG>(rounded);
        break;
    }
    }
    return out < low || out > high ? DISP_E_OVERFLOW : S_OK;
}

HRESULT ToUnsigned64(const Number& n, ULONGLONG& out)
{
    switch (n.kind) {
    case Number::Unsigned:
        out = n.unsignedValue;
        return S_OK;
    case Number::Real: {
        const double rounded = std::nearbyint(n.real);
        if (!(rounded >= 0 && rounded < 18446744073709551616.0))
            return DISP_E_OVERFLOW;
        out = static_cast<ULONGLONG>(rounded);
        return S_OK;
    }
    default: {
        LONGLONG value = 0;
        const HRESULT hr = ToInteger(n, 0, std::numeric_limits<LONGLONG>::max(), value);
        out = static_cast<ULONGLONG>(value);
        return hr;
    }
    }
}

HRESULT ToCurrency(const Number& n, LONGLONG& out)
{
    switch (n.kind) {
    case Number::Currency:
        out = n.integer;
        return S_OK;
    case Number::Integer:
        if (__builtin_mul_overflow(n.integer, CurrencyScale, &out))
            return DISP_E_OVERFLOW;
        return S_OK;
    default: {
        const double scaled = std::nearbyint(n.AsDouble() * CurrencyScale);
        if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
            return DISP_E_OVERFLOW;
        out = static_cast<LONGLONG>(scaled);
        return S_OK;
    }
    }
}

double DecimalToDouble(const DECIMAL& d)
{
    double value = static_cast<double>(d.Hi32) * 18446744073709551616.0 + static_cast<double>(d.Lo64);
    value /= std::pow(10.0, d.scale);
    return (d.sign & 0x80) ? -value : value;
}

// Reads a number from a variant holding a scalar; nothing for other types.
std::optional<Number> NumberOf(const VARIANT& v)
{
    switch (v.vt) {
    case VT_EMPTY:
        return MakeInteger(0);
    case VT_I1:
        return MakeInteger(static_cast<signed char>(v.cVal));
    case VT_UI1:
        return MakeInteger(v.bVal);
    case VT_I2:
        return MakeInteger(v.iVal);
    case VT_UI2:
        return MakeInteger(v.uiVal);
    case VT_I4:
    case VT_INT:
        return MakeInteger(v.lVal);
    case VT_UI4:
    case VT_UINT:
        return MakeInteger(v.ulVal);
    case VT_I8:
        return MakeInteger(v.llVal);
    case VT_UI8:
        return Number { Number::Unsigned, 0, v.ullVal, 0 };
    case VT_BOOL:
        return MakeInteger(v.boolVal);
    case VT_R4:
        return MakeReal(v.fltVal);
    case VT_R8:
    case VT_DATE:
        return MakeReal(v.dblVal);
    case VT_CY:
        return Number { Number::Currency, v.cyVal.int64, 0, 0 };
    case VT_DECIMAL:
        return MakeReal(DecimalToDouble(v.decVal));
    default:
        return std::nullopt;
    }
}

// ---- text ----

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        const char x = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i])
            return false;
    }
    return i == a.size() && !b[i];
}

std::optional<Number> ParseNumber(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    if (text.empty())
        return std::nullopt;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const bool negative = *begin == '-';
    const char* digits = (*begin == '+' || *begin == '-') ? begin + 1 : begin;
    // Only digits or a point may follow the sign: no words such as "inf" or "nan".
    if (digits == end || !((*digits >= '0' && *digits <= '9') || *digits == '.'))
        return std::nullopt;
    // Whole numbers keep all their digits; anything else is read as a double.
    LONGLONG integer = 0;
    auto [intEnd, intError] = std::from_chars(negative ? begin : digits, end, integer);
    if (intError == std::errc() && intEnd == end)
        return MakeInteger(integer);
    ULONGLONG unsignedValue = 0;
    auto [uEnd, uError] = std::from_chars(digits, end, unsignedValue);
    if (!negative && uError == std::errc() && uEnd == end)
        return Number { Number::Unsigned, 0, unsignedValue, 0 };
    double real = 0;
    auto [realEnd, realError] = std::from_chars(digits, end, real);
    if (realEnd != end || (realError != std::errc() && realError != std::errc::result_out_of_range))
        return std::nullopt;
    if (realError == std::errc::result_out_of_range)
        real = std::numeric_limits<double>::infinity();
    return MakeReal(negative ? -real : real);
}

LONGLONG DaysFromCivil(LONGLONG y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const LONGLONG era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<LONGLONG>(doe) - 719468;
}

void CivilFromDays(LONGLONG z, LONGLONG& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const LONGLONG era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<LONGLONG>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

// 1899-12-30 counted from 1970-01-01.
const LONGLONG DateEpoch = DaysFromCivil(1899, 12, 30);

std::string FormatDate(double date)
{
    double whole = std::trunc(date);
    LONGLONG seconds = std::llround(std::fabs(date - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += date < 0 ? -1 : 1;
    }
    LONGLONG year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(static_cast<LONGLONG>(whole) + DateEpoch, year, month, day);
    char text[48];
    const int h = static_cast<int>(seconds / 3600);
    const int mi = static_cast<int>(seconds / 60 % 60);
    const int s = static_cast<int>(seconds % 60);
    if (whole == 0 && seconds != 0)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", h, mi, s);
    else if (seconds == 0)
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(year), month, day);
    else
        std::snprintf(
            text, sizeof text, "%04lld-%02u-%02u %02d:%02d:%02d", static_cast<long long>(year), month, day, h, mi, s);
    return text;
}

// Reads "YYYY-MM-DD", "YYYY/MM/DD", either followed by a time, or a time
// "HH:MM[:SS]" alone.
std::optional<double> ParseDate(const std::string& raw)
{
    const std::string text = Trimmed(raw);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char sep1 = 0, sep2 = 0;
    int used = 0;
    double days = 0;
    std::size_t timeStart = 0;
    if (std::sscanf(text.c_str(), "%4d%c%2d%c%2d%n", &year, &sep1, &month, &sep2, &day, &used) == 5 && sep1 == sep2
        && (sep1 == '-' || sep1 == '/')) {
        if (month < 1 || month > 12 || day < 1 || day > 31)
            return std::nullopt;
        const LONGLONG serial = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
        LONGLONG checkYear = 0;
        unsigned checkMonth = 0, checkDay = 0;
        CivilFromDays(serial, checkYear, checkMonth, checkDay);
        if (checkDay != static_cast<unsigned>(day))
            return std::nullopt;
        days = static_cast<double>(serial - DateEpoch);
        timeStart = static_cast<std::size_t>(used);
        while (timeStart < text.size() && (text[timeStart] == ' ' || text[timeStart] == 'T'))
            ++timeStart;
        if (timeStart == text.size())
            return days;
    }
    const std::string time = text.substr(timeStart);
    used = 0;
    const int fields = std::sscanf(time.c_str(), "%2d:%2d%n:%2d%n", &hour, &minute, &used, &second, &used);
    if (fields < 2 || static_cast<std::size_t>(used) != time.size() || hour > 23 || minute > 59 || second > 59
        || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

std::string FormatReal(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", digits, value);
    return text;
}

std::string FormatCurrency(LONGLONG scaled)
{
    const bool negative = scaled < 0;
    const ULONGLONG magnitude = negative ? 0 - static_cast<ULONGLONG>(scaled) : static_cast<ULONGLONG>(scaled);
    std::string text = std::to_string(magnitude / CurrencyScale);
    ULONGLONG fraction = magnitude % CurrencyScale;
    if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04llu", static_cast<unsigned long long>(fraction));
        std::string tail = digits;
        tail.erase(tail.find_last_not_of('0') + 1);
        text += "." + tail;
    }
    return negative ? "-" + text : text;
}

// The text form of a scalar; nothing for types without one.
std::optional<std::string> TextOf(const VARIANT& v, USHORT flags)
{
    switch (v.vt) {
    case VT_EMPTY:
        return std::string();
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL)
            return std::string(v.boolVal ? "True" : "False");
        return std::string(v.boolVal ? "-1" : "0");
    case VT_R4:
        return FormatReal(v.fltVal, 7);
    case VT_R8:
        return FormatReal(v.dblVal, 15);
    case VT_DECIMAL:
        return FormatReal(DecimalToDouble(v.decVal), 15);
    case VT_DATE:
        return FormatDate(v.date);
    case VT_CY:
        return FormatCurrency(v.cyVal.int64);
    case VT_UI8:
        return std::to_string(v.ullVal);
    default: {
        const auto n = NumberOf(v);
        if (!n)
            return std::nullopt;
        return std::to_string(n->integer);
    }
    }
}

// ---- targets ----

struct IntegerRange {
    VARTYPE type;
    LONGLONG low;
    LONGLONG high;
};

constexpr IntegerRange IntegerRanges[] = {
    { VT_I1, -128, 127 },
    { VT_UI1, 0, 255 },
    { VT_I2, -32768, 32767 },
    { VT_UI2, 0, 65535 },
    { VT_I4, -2147483648LL, 2147483647LL },
    { VT_INT, -2147483648LL, 2147483647LL },
    { VT_UI4, 0, 4294967295LL },
    { VT_UINT, 0, 4294967295LL },
    { VT_I8, std::numeric_limits<LONGLONG>::min(), std::numeric_limits<LONGLONG>::max() },
};

HRESULT StoreNumber(const Number& n, VARTYPE type, VARIANT& out)
{
    VariantInit(&out);
    for (const IntegerRange& range : IntegerRanges) {
        if (range.type != type)
            continue;
        LONGLONG value = 0;
        const HRESULT hr = ToInteger(n, range.low, range.high, value);
        if (FAILED(hr))
            return hr;
        out.llVal = 0;
        switch (automation::ValueSize(type)) {
        case 1:
            out.bVal = static_cast<BYTE>(value);
            break;
        case 4:
            out.lVal = static_cast<LONG>(value);
            break;
        case 8:
            out.llVal = value;
            break;
        default:
            out.iVal = static_cast<SHORT>(value);
            break;
        }
        out.vt = type;
        return S_OK;
    }
    switch (type) {
    case VT_UI8: {
        const HRESULT hr = ToUnsigned64(n, out.ullVal);
        if (FAILED(hr))
            return hr;
        break;
    }
    case VT_BOOL:
        out.boolVal
            = n.AsDouble() != 0 || (n.kind == Number::Unsigned && n.unsignedValue != 0) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_R4: {
        const double value = n.AsDouble();
        if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
            return DISP_E_OVERFLOW;
        out.fltVal = static_cast<float>(value);
        break;
    }
    case VT_R8:
        out.dblVal = n.AsDouble();
        break;
    case VT_DATE: {
        const double value = n.AsDouble();
        if (!(value >= MinDate && value < MaxDate + 1))
            return DISP_E_OVERFLOW;
        out.date = value;
        break;
    }
    case VT_CY: {
        const HRESULT hr = ToCurrency(n, out.cyVal.int64);
        if (FAILED(hr))
            return hr;
        break;
    }
    case VT_DECIMAL: {
        if (n.kind != Number::Integer && n.kind != Number::Unsigned)
            return DISP_E_TYPEMISMATCH;
        DECIMAL d {};
        const bool negative = n.kind == Number::Integer && n.integer < 0;
        d.sign = negative ? 0x80 : 0;
        d.Lo64 = n.kind == Number::Unsigned ? n.unsignedValue
            : negative                      ? 0 - static_cast<ULONGLONG>(n.integer)
                                            : static_cast<ULONGLONG>(n.integer);
        out.decVal = d;
        out.vt = VT_DECIMAL;
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
    out.vt = type;
    return S_OK;
}

bool IsScalarTarget(VARTYPE type)
{
    switch (type) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_DECIMAL:
    case VT_BSTR:
        return true;
    default:
        return false;
    }
}

HRESULT FromText(BSTR text, VARTYPE type, VARIANT& out)
{
    const std::string ascii = base::Utf16ToUtf8(automation::BstrView(text));
    if (type == VT_BOOL) {
        const std::string word = Trimmed(ascii);
        if (EqualsIgnoringCase(word, "true") || EqualsIgnoringCase(word, "false")) {
            VariantInit(&out);
            out.vt = VT_BOOL;
            out.boolVal = EqualsIgnoringCase(word, "true") ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    if (type == VT_DATE) {
        if (const auto date = ParseDate(ascii)) {
            VariantInit(&out);
            out.vt = VT_DATE;
            out.date = *date;
            return S_OK;
        }
    }
    const auto number = ParseNumber(ascii);
    if (!number)
        return DISP_E_TYPEMISMATCH;
    return StoreNumber(*number, type, out);
}

HRESULT Convert(const VARIANT& source, USHORT flags, VARTYPE type, VARIANT& out, int depth);

// An object stands for its value member when a scalar is wanted.
HRESULT FromObjectValue(IDispatch* object, USHORT flags, VARTYPE type, VARIANT& out, int depth)
{
    if (!object || (flags & VARIANT_NOVALUEPROP) || depth > 4)
        return DISP_E_TYPEMISMATCH;
    automation::CVariant value;
    DISPPARAMS none;
    const HRESULT hr = object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_SYSTEM_DEFAULT,
        DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &value, nullptr, nullptr);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    return Convert(value, flags, type, out, depth + 1);
}

HRESULT ToInterface(const VARIANT& source, VARTYPE type, VARIANT& out)
{
    VariantInit(&out);
    if (source.vt == VT_EMPTY) {
        out.vt = type;
        out.punkVal = nullptr;
        return S_OK;
    }
    if (source.vt != VT_DISPATCH && source.vt != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    if (!source.punkVal) {
        out.vt = type;
        return S_OK;
    }
    if (type == VT_UNKNOWN) {
        source.punkVal->AddRef();
        out.vt = VT_UNKNOWN;
        out.punkVal = source.punkVal;
        return S_OK;
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(source.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
        return DISP_E_TYPEMISMATCH;
    out.vt = VT_DISPATCH;
    out.pdispVal = dispatch;
    return S_OK;
}

// An array of another element type, element by element, keeping the bounds.
HRESULT ConvertArray(SAFEARRAY* source, USHORT flags, VARTYPE element, VARIANT& out, int depth)
{
    VARTYPE from = VT_EMPTY;
    if (!source || FAILED(SafeArrayGetVartype(source, &from)))
        return DISP_E_TYPEMISMATCH;
    SAFEARRAY* result = SafeArrayCreate(element, source->cDims, source->rgsabound);
    if (!result)
        return DISP_E_TYPEMISMATCH;
    std::size_t count = 1;
    for (USHORT d = 0; d < source->cDims; ++d)
        count *= source->rgsabound[d].cElements;
    for (std::size_t i = 0; i < count; ++i) {
        automation::CVariant value;
        const void* fromAddress = static_cast<const unsigned char*>(source->pvData) + i * source->cbElements;
        if (from == VT_VARIANT) {
            VariantCopy(&value, static_cast<const VARIANT*>(fromAddress));
        } else {
            VARIANT shallow;
            VariantInit(&shallow);
            shallow.vt = from;
            if (from == VT_DECIMAL)
                std::memcpy(&shallow.decVal, fromAddress, sizeof(DECIMAL));
            else
                std::memcpy(&shallow.llVal, fromAddress, source->cbElements);
            if (from == VT_DECIMAL)
                shallow.vt = VT_DECIMAL;
            VariantCopy(&value, &shallow);
        }
        automation::CVariant converted;
        HRESULT hr = element == VT_VARIANT ? VariantCopy(&converted, &value)
                                           : Convert(value, flags, element, converted, depth + 1);
        if (SUCCEEDED(hr)) {
            void* to = static_cast<unsigned char*>(result->pvData) + i * result->cbElements;
            if (element == VT_VARIANT) {
                *static_cast<VARIANT*>(to) = converted.Detach();
            } else if (element == VT_BSTR) {
                *static_cast<BSTR*>(to) = converted.bstrVal;
                converted.Detach();
            } else if (element == VT_DISPATCH || element == VT_UNKNOWN) {
                *static_cast<IUnknown**>(to) = converted.punkVal;
                converted.Detach();
            } else if (element == VT_DECIMAL) {
                std::memcpy(to, &converted.decVal, sizeof(DECIMAL));
            } else {
                std::memcpy(to, &converted.llVal, result->cbElements);
            }
        }
        if (FAILED(hr)) {
            SafeArrayDestroy(result);
            return hr;
        }
    }
    VariantInit(&out);
    out.vt = VT_ARRAY | element;
    out.parray = result;
    return S_OK;
}

// source is not by reference and differs in type from the target.
HRESULT Convert(const VARIANT& source, USHORT flags, VARTYPE type, VARIANT& out, int depth)
{
    if (source.vt == type)
        return VariantCopy(&out, &source);
    if ((source.vt & VT_ARRAY) && (type & VT_ARRAY))
        return ConvertArray(source.parray, flags, type & VT_TYPEMASK, out, depth);
    if (type == VT_EMPTY) {
        VariantInit(&out);
        return S_OK;
    }
    if (type == VT_DISPATCH || type == VT_UNKNOWN)
        return ToInterface(source, type, out);
    if ((source.vt & VT_ARRAY) || (type & VT_ARRAY) || source.vt == VT_NULL || type == VT_NULL || source.vt == VT_ERROR
        || type == VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    if (!IsScalarTarget(type))
        return DISP_E_BADVARTYPE;
    if (source.vt == VT_DISPATCH)
        return FromObjectValue(source.pdispVal, flags, type, out, depth);
    if (source.vt == VT_BSTR)
        return FromText(source.bstrVal, type, out);
    if (type == VT_BSTR) {
        const auto text = TextOf(source, flags);
        if (!text)
            return DISP_E_TYPEMISMATCH;
        VariantInit(&out);
        out.bstrVal = automation::AllocBstrFromUtf8(*text);
        if (!out.bstrVal)
            return E_OUTOFMEMORY;
        out.vt = VT_BSTR;
        return S_OK;
    }
    const auto number = NumberOf(source);
    if (!number)
        return DISP_E_TYPEMISMATCH;
    return StoreNumber(*number, type, out);
}

} // namespace

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE type)
{
    if (!dest || !source)
        return E_INVALIDARG;
    if (type & VT_BYREF)
        return DISP_E_TYPEMISMATCH;
    if (type == VT_VARIANT || (type & ~(VT_TYPEMASK | VT_ARRAY)))
        return DISP_E_BADVARTYPE;
    // Work on a value copy so that dest may be source and a reference is read through.
    automation::CVariant value;
    HRESULT hr = VariantCopyInd(&value, source);
    if (FAILED(hr))
        return hr;
    VARIANT result;
    VariantInit(&result);
    hr = Convert(value, flags, type, result, 0);
    if (FAILED(hr))
        return hr;
    VariantClear(dest);
    *dest = result;
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* source, LCID, USHORT flags, VARTYPE type)
{
    return VariantChangeType(dest, source, flags, type);
}
