#include "platform/automation/Variant.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

namespace {

bool IsKnownType(VARTYPE base)
{
    switch (base) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UNKNOWN:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

bool IsValidTag(VARTYPE vt)
{
    const VARTYPE base = vt & VT_TYPEMASK;
    if (vt & ~(VT_TYPEMASK | VT_ARRAY | VT_BYREF))
        return false;
    if (!IsKnownType(base))
        return false;
    // A variant holds a variant only by reference.
    if (base == VT_VARIANT && !(vt & (VT_BYREF | VT_ARRAY)))
        return false;
    if ((vt & VT_ARRAY) && (base == VT_EMPTY || base == VT_NULL))
        return false;
    return true;
}

} // namespace

void VariantInit(VARIANTARG* variant)
{
    if (!variant)
        return;
    variant->vt = VT_EMPTY;
    variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
    variant->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* variant)
{
    if (!variant)
        return E_INVALIDARG;
    if (!IsValidTag(variant->vt))
        return DISP_E_BADVARTYPE;
    if (variant->vt & VT_ARRAY) {
        if (!(variant->vt & VT_BYREF)) {
            const HRESULT hr = SafeArrayDestroy(variant->parray);
            if (FAILED(hr))
                return hr;
        }
    } else if (variant->vt == VT_BSTR) {
        SysFreeString(variant->bstrVal);
    } else if (variant->vt == VT_DISPATCH || variant->vt == VT_UNKNOWN) {
        if (variant->punkVal)
            variant->punkVal->Release();
    }
    VariantInit(variant);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* source)
{
    if (!dest || !source)
        return E_INVALIDARG;
    if (dest == source)
        return S_OK;
    if (!IsValidTag(source->vt))
        return DISP_E_BADVARTYPE;
    VARIANT copy = *source;
    if (source->vt & VT_BYREF) {
        // A reference is copied as the reference.
    } else if (source->vt & VT_ARRAY) {
        const HRESULT hr = SafeArrayCopy(source->parray, &copy.parray);
        if (FAILED(hr))
            return hr;
    } else if (source->vt == VT_BSTR) {
        if (source->bstrVal) {
            copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
            if (!copy.bstrVal)
                return E_OUTOFMEMORY;
        }
    } else if (source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) {
        if (source->punkVal)
            source->punkVal->AddRef();
    }
    const HRESULT cleared = VariantClear(dest);
    if (FAILED(cleared)) {
        VariantClear(&copy);
        return cleared;
    }
    *dest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* source)
{
    if (!dest || !source)
        return E_INVALIDARG;
    if (!(source->vt & VT_BYREF))
        return VariantCopy(dest, source);
    if (!IsValidTag(source->vt))
        return DISP_E_BADVARTYPE;
    if (!source->byref)
        return E_INVALIDARG;
    const VARTYPE target = source->vt & ~VT_BYREF;
    VARIANT value;
    VariantInit(&value);
    if (target == VT_VARIANT) {
        const HRESULT hr = VariantCopyInd(&value, source->pvarVal);
        if (FAILED(hr))
            return hr;
    } else {
        VARIANT shallow;
        VariantInit(&shallow);
        shallow.vt = target;
        if (target & VT_ARRAY)
            shallow.parray = *source->pparray;
        else if (target == VT_DECIMAL)
            shallow.decVal = *source->pdecVal;
        else
            switch (automation::ValueSize(target)) {
            case 1:
                shallow.bVal = *source->pbVal;
                break;
            case 2:
                shallow.iVal = *source->piVal;
                break;
            case 4:
                shallow.lVal = *source->plVal;
                break;
            default:
                shallow.llVal = *source->pllVal;
                break;
            }
        if (target == VT_DECIMAL)
            shallow.vt = VT_DECIMAL;
        const HRESULT hr = VariantCopy(&value, &shallow);
        if (FAILED(hr))
            return hr;
    }
    VariantClear(dest);
    *dest = value;
    return S_OK;
}

namespace automation {

std::size_t ValueSize(VARTYPE type)
{
    switch (type & VT_TYPEMASK) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    default:
        return 8;
    }
}

CVariant::CVariant(const VARIANT& value)
{
    VariantInit(this);
    VariantCopy(this, &value);
}

CVariant::CVariant(std::u16string_view text)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = AllocBstr(text);
}

CVariant& CVariant::operator=(const CVariant& other)
{
    if (this != &other)
        VariantCopy(this, &other);
    return *this;
}

CVariant& CVariant::operator=(CVariant&& other) noexcept
{
    if (this != &other) {
        VariantClear(this);
        *static_cast<VARIANT*>(this) = other;
        VariantInit(&other);
    }
    return *this;
}

CVariant::CVariant(CVariant&& other) noexcept
    : VARIANT(other)
{
    VariantInit(&other);
}

CVariant CVariant::FromLong(LONG value)
{
    CVariant v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

CVariant CVariant::FromDouble(double value)
{
    CVariant v;
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

CVariant CVariant::FromBool(bool value)
{
    CVariant v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

CVariant CVariant::FromDispatch(IDispatch* object)
{
    CVariant v;
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    if (object)
        object->AddRef();
    return v;
}

VARIANT CVariant::Detach()
{
    VARIANT value = *this;
    VariantInit(this);
    return value;
}

} // namespace automation
