#include "platform/automation/SafeArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(SafeArray, KeepsBoundsTypeAndElements)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 1, 3);
    ASSERT_NE(array, nullptr);
    VARTYPE type = VT_EMPTY;
    LONG low = 0;
    LONG high = 0;
    EXPECT_EQ(SafeArrayGetVartype(array, &type), S_OK);
    EXPECT_EQ(type, VT_I4);
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    EXPECT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 3);
    for (LONG i = 1; i <= 3; ++i) {
        const LONG value = i * 10;
        EXPECT_EQ(SafeArrayPutElement(array, &i, &value), S_OK);
    }
    LONG index = 2;
    LONG read = 0;
    EXPECT_EQ(SafeArrayGetElement(array, &index, &read), S_OK);
    EXPECT_EQ(read, 20);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, RefusesIndicesOutsideItsBounds)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
    LONG value = 0;
    for (LONG index : { -1, 2 }) {
        EXPECT_EQ(SafeArrayGetElement(array, &index, &value), DISP_E_BADINDEX) << index;
        EXPECT_EQ(SafeArrayPutElement(array, &index, &value), DISP_E_BADINDEX) << index;
    }
    EXPECT_EQ(SafeArrayGetLBound(array, 2, &value), DISP_E_BADINDEX);
    SafeArrayDestroy(array);
}

TEST(SafeArray, TwoDimensionsAddressEveryElementOnce)
{
    const SAFEARRAYBOUND bounds[2] = { { 2, 0 }, { 3, 1 } };
    SAFEARRAY* array = SafeArrayCreate(VT_I2, 2, bounds);
    ASSERT_NE(array, nullptr);
    for (LONG i = 0; i < 2; ++i)
        for (LONG j = 1; j <= 3; ++j) {
            const LONG indices[2] = { i, j };
            const SHORT value = static_cast<SHORT>(i * 10 + j);
            ASSERT_EQ(SafeArrayPutElement(array, indices, &value), S_OK);
        }
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
    std::vector<SHORT> all(static_cast<SHORT*>(data), static_cast<SHORT*>(data) + 6);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<SHORT> { 1, 2, 3, 11, 12, 13 }));
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED) << "data access holds a lock";
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, OwnsItsStringsAndVariants)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"cell");
    LONG index = 0;
    ASSERT_EQ(SafeArrayPutElement(array, &index, &text), S_OK);
    VariantClear(&text);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(array, &copy), S_OK);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
    VARIANT read;
    VariantInit(&read);
    ASSERT_EQ(SafeArrayGetElement(copy, &index, &read), S_OK);
    EXPECT_EQ(automation::BstrView(read.bstrVal), u"cell");
    VariantClear(&read);
    EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
}

TEST(SafeArray, RefusesElementTypesWithoutAForm)
{
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 0, nullptr), nullptr);
}

} // namespace
