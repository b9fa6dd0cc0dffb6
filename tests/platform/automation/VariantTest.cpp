#include "platform/automation/Variant.h"
#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

namespace {

using automation::CVariant;

// A plain counted object, to see the references a variant takes and drops.
class CountedObject : public IUnknown {
public:
    HRESULT QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    ULONG references = 1;
};

CVariant Make(VARTYPE type, auto value)
{
    CVariant v;
    v.vt = type;
    switch (type) {
    case VT_I2:
        v.iVal = static_cast<SHORT>(value);
        break;
    case VT_I4:
    case VT_ERROR:
        v.lVal = static_cast<LONG>(value);
        break;
    case VT_UI1:
        v.bVal = static_cast<BYTE>(value);
        break;
    case VT_R4:
        v.fltVal = static_cast<float>(value);
        break;
    case VT_R8:
    case VT_DATE:
        v.dblVal = static_cast<double>(value);
        break;
    case VT_BOOL:
        v.boolVal = static_cast<VARIANT_BOOL>(value);
        break;
    case VT_CY:
    case VT_I8:
        v.llVal = static_cast<LONGLONG>(value);
        break;
    case VT_UI8:
        v.ullVal = static_cast<ULONGLONG>(value);
        break;
    default:
        break;
    }
    return v;
}

CVariant Text(std::u16string_view text)
{
    return CVariant(text);
}
CVariant Empty()
{
    return CVariant();
}
CVariant Null()
{
    return Make(VT_NULL, 0);
}

bool SameValue(const VARIANT& a, const VARIANT& b)
{
    if (a.vt != b.vt)
        return false;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR:
        return automation::BstrView(a.bstrVal) == automation::BstrView(b.bstrVal);
    case VT_R4:
        return a.fltVal == b.fltVal;
    case VT_R8:
    case VT_DATE:
        return std::fabs(a.dblVal - b.dblVal) < 1e-9;
    default:
        return std::memcmp(&a.llVal, &b.llVal, automation::ValueSize(a.vt)) == 0;
    }
}

struct ChangeCase {
    const char* name;
    CVariant source;
    VARTYPE target;
    HRESULT code;
    CVariant expected; // only when code is S_OK
    USHORT flags = 0;
};

class VariantChange : public testing::TestWithParam<ChangeCase> { };

TEST_P(VariantChange, ConvertsOrRefuses)
{
    const ChangeCase& c = GetParam();
    CVariant result;
    ASSERT_EQ(VariantChangeType(&result, &c.source, c.flags, c.target), c.code);
    if (c.code == S_OK)
        EXPECT_TRUE(SameValue(result, c.expected));
    else
        EXPECT_EQ(result.vt, VT_EMPTY) << "a refused conversion leaves the destination alone";
}

INSTANTIATE_TEST_SUITE_P(Numbers, VariantChange,
    testing::Values(ChangeCase { "IntegerToText", Make(VT_I4, 5), VT_BSTR, S_OK, Text(u"5") },
        ChangeCase { "HalfRoundsToEvenDown", Make(VT_R8, 2.5), VT_I4, S_OK, Make(VT_I4, 2) },
        ChangeCase { "HalfRoundsToEvenUp", Make(VT_R8, 3.5), VT_I4, S_OK, Make(VT_I4, 4) },
        ChangeCase { "NegativeHalf", Make(VT_R8, -2.5), VT_I4, S_OK, Make(VT_I4, -2) },
        ChangeCase { "ShortOverflow", Make(VT_I4, 70000), VT_I2, DISP_E_OVERFLOW, {} },
        ChangeCase { "ByteOverflow", Make(VT_I4, -1), VT_UI1, DISP_E_OVERFLOW, {} },
        ChangeCase { "FloatOverflow", Make(VT_R8, 1e300), VT_R4, DISP_E_OVERFLOW, {} },
        ChangeCase { "RealToText", Make(VT_R8, 1.5), VT_BSTR, S_OK, Text(u"1.5") },
        ChangeCase { "FloatToText", Make(VT_R4, 0.1), VT_BSTR, S_OK, Text(u"0.1") },
        ChangeCase { "IntegerToBool", Make(VT_I4, 3), VT_BOOL, S_OK, Make(VT_BOOL, -1) },
        ChangeCase { "ZeroToBool", Make(VT_I4, 0), VT_BOOL, S_OK, Make(VT_BOOL, 0) },
        ChangeCase { "BoolToInteger", Make(VT_BOOL, -1), VT_I4, S_OK, Make(VT_I4, -1) },
        ChangeCase { "BoolToText", Make(VT_BOOL, -1), VT_BSTR, S_OK, Text(u"-1") },
        ChangeCase { "BoolToWord", Make(VT_BOOL, -1), VT_BSTR, S_OK, Text(u"True"), VARIANT_ALPHABOOL },
        ChangeCase { "LargeUnsignedToText", Make(VT_UI8, std::numeric_limits<ULONGLONG>::max()), VT_BSTR, S_OK,
            Text(u"18446744073709551615") },
        ChangeCase { "ErrorIsNoNumber", Make(VT_ERROR, 5), VT_I4, DISP_E_TYPEMISMATCH, {} }),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Text, VariantChange,
    testing::Values(ChangeCase { "PaddedInteger", Text(u" 42 "), VT_I4, S_OK, Make(VT_I4, 42) },
        ChangeCase { "DecimalToShort", Text(u"2.5"), VT_I2, S_OK, Make(VT_I2, 2) },
        ChangeCase { "Exponent", Text(u"1e3"), VT_R8, S_OK, Make(VT_R8, 1000.0) },
        ChangeCase { "Word", Text(u"abc"), VT_I4, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "EmptyText", Text(u""), VT_I4, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "NotANumber", Text(u"nan"), VT_R8, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "TrailingGarbage", Text(u"12x"), VT_I4, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "TooLargeForLong", Text(u"3000000000"), VT_I4, DISP_E_OVERFLOW, {} },
        ChangeCase { "WordTrue", Text(u"True"), VT_BOOL, S_OK, Make(VT_BOOL, -1) },
        ChangeCase { "WordFalse", Text(u"false"), VT_BOOL, S_OK, Make(VT_BOOL, 0) },
        ChangeCase { "DigitToBool", Text(u"7"), VT_BOOL, S_OK, Make(VT_BOOL, -1) },
        ChangeCase { "MaxUnsigned", Text(u"18446744073709551615"), VT_UI8, S_OK,
            Make(VT_UI8, std::numeric_limits<ULONGLONG>::max()) }),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(EmptyAndNull, VariantChange,
    testing::Values(ChangeCase { "EmptyToZero", Empty(), VT_I4, S_OK, Make(VT_I4, 0) },
        ChangeCase { "EmptyToText", Empty(), VT_BSTR, S_OK, Text(u"") },
        ChangeCase { "NullToNumber", Null(), VT_I4, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "NullToText", Null(), VT_BSTR, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "ToVariant", Make(VT_I4, 1), VT_VARIANT, DISP_E_BADVARTYPE, {} },
        ChangeCase { "ToReference", Make(VT_I4, 1), VT_BYREF | VT_I4, DISP_E_TYPEMISMATCH, {} }),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(CurrencyAndDate, VariantChange,
    testing::Values(ChangeCase { "CurrencyToText", Make(VT_CY, 12345), VT_BSTR, S_OK, Text(u"1.2345") },
        ChangeCase { "NegativeCurrencyToText", Make(VT_CY, -5000), VT_BSTR, S_OK, Text(u"-0.5") },
        ChangeCase { "CurrencyHalfDown", Make(VT_CY, 25000), VT_I4, S_OK, Make(VT_I4, 2) },
        ChangeCase { "CurrencyHalfUp", Make(VT_CY, 35000), VT_I4, S_OK, Make(VT_I4, 4) },
        ChangeCase { "RealToCurrency", Make(VT_R8, 1.23456), VT_CY, S_OK, Make(VT_CY, 12346) },
        ChangeCase { "TextToCurrency", Text(u"12.5"), VT_CY, S_OK, Make(VT_CY, 125000) },
        ChangeCase { "DateToText", Make(VT_DATE, 45000.5), VT_BSTR, S_OK, Text(u"2023-03-15 12:00:00") },
        ChangeCase { "DayToText", Make(VT_DATE, 45000), VT_BSTR, S_OK, Text(u"2023-03-15") },
        ChangeCase { "TextToDate", Text(u"2023-03-15"), VT_DATE, S_OK, Make(VT_DATE, 45000) },
        ChangeCase { "TimeOfTheFirstDay", Text(u"1899-12-30 06:00"), VT_DATE, S_OK, Make(VT_DATE, 0.25) },
        ChangeCase { "NoSuchDay", Text(u"2023-02-30"), VT_DATE, DISP_E_TYPEMISMATCH, {} },
        ChangeCase { "DateOutOfRange", Make(VT_R8, 1e10), VT_DATE, DISP_E_OVERFLOW, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VariantChangeInPlace, ReplacesTheSourceAndFreesItsString)
{
    CVariant value = Text(u"17");
    ASSERT_EQ(VariantChangeType(&value, &value, 0, VT_I4), S_OK);
    EXPECT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, 17);
}

TEST(VariantChangeByReference, ReadsThroughTheReference)
{
    LONG number = 9;
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_I4;
    reference.plVal = &number;
    CVariant text;
    ASSERT_EQ(VariantChangeType(&text, &reference, 0, VT_BSTR), S_OK);
    EXPECT_EQ(automation::BstrView(text.bstrVal), u"9");
}

TEST(VariantCopy, DuplicatesStringsAndReferencesObjects)
{
    CVariant text = Text(u"Kaldra");
    CVariant copy(text);
    EXPECT_NE(copy.bstrVal, text.bstrVal);
    EXPECT_EQ(automation::BstrView(copy.bstrVal), u"Kaldra");

    CountedObject object;
    {
        CVariant holder;
        holder.vt = VT_UNKNOWN;
        holder.punkVal = &object;
        object.AddRef();
        CVariant second(holder);
        EXPECT_EQ(object.references, 3u);
    }
    EXPECT_EQ(object.references, 1u) << "each variant dropped its reference";
}

TEST(VariantCopy, CopiesArraysDeeply)
{
    CVariant array;
    array.vt = VT_ARRAY | VT_BSTR;
    array.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 1;
    automation::CBstr second(u"two");
    ASSERT_EQ(SafeArrayPutElement(array.parray, &index, second.Get()), S_OK);
    CVariant copy(array);
    ASSERT_NE(copy.parray, array.parray);
    BSTR read = nullptr;
    ASSERT_EQ(SafeArrayGetElement(copy.parray, &index, &read), S_OK);
    EXPECT_EQ(automation::BstrView(read), u"two");
    SysFreeString(read);
}

TEST(VariantClear, RefusesAnUnknownTag)
{
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 0x7F;
    EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
    CVariant fine = Make(VT_I4, 1);
    EXPECT_EQ(VariantClear(&fine), S_OK);
    EXPECT_EQ(fine.vt, VT_EMPTY);
}

TEST(VariantCopyInd, CopiesTheValueAReferenceNames)
{
    automation::CBstr text(u"shared");
    BSTR held = text.Get();
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_BSTR;
    reference.pbstrVal = &held;
    CVariant copy;
    ASSERT_EQ(VariantCopyInd(&copy, &reference), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, held);
    EXPECT_EQ(automation::BstrView(copy.bstrVal), u"shared");
}

TEST(VariantLayout, IsSixteenBytesWithTheValueAtOffsetEight)
{
    EXPECT_EQ(sizeof(VARIANT), 16u);
    EXPECT_EQ(offsetof(VARIANT, llVal), 8u);
}

} // namespace
