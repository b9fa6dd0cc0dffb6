#include "platform/automation/SafeArray.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/Variant.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// The element type is kept just in front of the descriptor, which starts on
// a 16-byte boundary of its block.
constexpr std::size_t PrefixSize = 16;

ULONG ElementSize(VARTYPE type)
{
    switch (type) {
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    case VT_VARIANT:
    case VT_DECIMAL:
        return 16;
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
        return static_cast<ULONG>(automation::ValueSize(type));
    default:
        return 0;
    }
}

USHORT FeaturesOf(VARTYPE type)
{
    switch (type) {
    case VT_BSTR:
        return FADF_BSTR;
    case VT_UNKNOWN:
        return FADF_UNKNOWN;
    case VT_DISPATCH:
        return FADF_DISPATCH;
    case VT_VARIANT:
        return FADF_VARIANT;
    default:
        return 0;
    }
}

unsigned char* BlockOf(SAFEARRAY* array)
{
    return reinterpret_cast<unsigned char*>(array) - PrefixSize;
}

std::size_t ElementCount(const SAFEARRAY* array)
{
    std::size_t count = 1;
    for (USHORT d = 0; d < array->cDims; ++d)
        count *= array->rgsabound[d].cElements;
    return count;
}

// Frees what the elements own and zeroes them.
void ClearElements(SAFEARRAY* array)
{
    const std::size_t count = ElementCount(array);
    if (array->fFeatures & FADF_BSTR) {
        auto* strings = static_cast<BSTR*>(array->pvData);
        for (std::size_t i = 0; i < count; ++i)
            SysFreeString(strings[i]);
    } else if (array->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* objects = static_cast<IUnknown**>(array->pvData);
        for (std::size_t i = 0; i < count; ++i)
            if (objects[i])
                objects[i]->Release();
    } else if (array->fFeatures & FADF_VARIANT) {
        auto* variants = static_cast<VARIANT*>(array->pvData);
        for (std::size_t i = 0; i < count; ++i)
            VariantClear(&variants[i]);
    }
    std::memset(array->pvData, 0, count * array->cbElements);
}

HRESULT ElementAddress(SAFEARRAY* array, const LONG* indices, void** address)
{
    if (!array || !indices)
        return E_INVALIDARG;
    std::size_t offset = 0;
    std::size_t stride = 1;
    for (USHORT d = 0; d < array->cDims; ++d) {
        const SAFEARRAYBOUND& bound = array->rgsabound[d];
        const long long relative = static_cast<long long>(indices[d]) - bound.lLbound;
        if (relative < 0 || relative >= static_cast<long long>(bound.cElements))
            return DISP_E_BADINDEX;
        offset += static_cast<std::size_t>(relative) * stride;
        stride *= bound.cElements;
    }
    *address = static_cast<unsigned char*>(array->pvData) + offset * array->cbElements;
    return S_OK;
}

// Copies one element into an empty destination, duplicating what it owns.
HRESULT CopyElement(USHORT features, ULONG size, const void* from, void* to)
{
    if (features & FADF_BSTR) {
        const BSTR text = *static_cast<const BSTR*>(from);
        BSTR copy = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
        if (text && !copy)
            return E_OUTOFMEMORY;
        *static_cast<BSTR*>(to) = copy;
        return S_OK;
    }
    if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* object = *static_cast<IUnknown* const*>(from);
        if (object)
            object->AddRef();
        *static_cast<IUnknown**>(to) = object;
        return S_OK;
    }
    if (features & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(to));
        return VariantCopy(static_cast<VARIANT*>(to), static_cast<const VARIANT*>(from));
    }
    std::memcpy(to, from, size);
    return S_OK;
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE type, UINT dimensions, const SAFEARRAYBOUND* bounds)
{
    const ULONG size = ElementSize(type);
    if (size == 0 || dimensions == 0 || dimensions > 0xFFFF || !bounds)
        return nullptr;
    std::size_t count = 1;
    for (UINT d = 0; d < dimensions; ++d) {
        if (bounds[d].cElements != 0 && count > std::numeric_limits<std::size_t>::max() / 64 / bounds[d].cElements)
            return nullptr;
        count *= bounds[d].cElements;
    }
    const std::size_t header = PrefixSize + sizeof(SAFEARRAY) + (dimensions - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, header));
    if (!block)
        return nullptr;
    std::memcpy(block + PrefixSize - sizeof(VARTYPE), &type, sizeof type);
    auto* array = reinterpret_cast<SAFEARRAY*>(block + PrefixSize);
    array->cDims = static_cast<USHORT>(dimensions);
    array->fFeatures = FADF_HAVEVARTYPE | FeaturesOf(type);
    array->cbElements = size;
    for (UINT d = 0; d < dimensions; ++d)
        array->rgsabound[d] = bounds[d];
    array->pvData = std::calloc(count == 0 ? 1 : count, size);
    if (!array->pvData) {
        std::free(block);
        return nullptr;
    }
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG count)
{
    const SAFEARRAYBOUND bound { count, lowerBound };
    return SafeArrayCreate(type, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array)
        return S_OK;
    if (array->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    ClearElements(array);
    std::free(array->pvData);
    std::free(BlockOf(array));
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy)
{
    if (!copy)
        return E_POINTER;
    *copy = nullptr;
    if (!source)
        return S_OK;
    VARTYPE type = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(source, &type)))
        return E_INVALIDARG;
    SAFEARRAY* result = SafeArrayCreate(type, source->cDims, source->rgsabound);
    if (!result)
        return E_OUTOFMEMORY;
    const std::size_t count = ElementCount(source);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* from = static_cast<const unsigned char*>(source->pvData) + i * source->cbElements;
        auto* to = static_cast<unsigned char*>(result->pvData) + i * result->cbElements;
        const HRESULT hr = CopyElement(result->fFeatures, result->cbElements, from, to);
        if (FAILED(hr)) {
            SafeArrayDestroy(result);
            return hr;
        }
    }
    *copy = result;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array)
{
    return array ? array->cDims : 0;
}

UINT SafeArrayGetElemsize(SAFEARRAY* array)
{
    return array ? array->cbElements : 0;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type)
{
    if (!array || !type)
        return E_INVALIDARG;
    if (!(array->fFeatures & FADF_HAVEVARTYPE))
        return E_INVALIDARG;
    std::memcpy(type, BlockOf(array) + PrefixSize - sizeof(VARTYPE), sizeof(VARTYPE));
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dimension < 1 || dimension > array->cDims)
        return DISP_E_BADINDEX;
    *bound = array->rgsabound[dimension - 1].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dimension < 1 || dimension > array->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = array->rgsabound[dimension - 1];
    *bound = static_cast<LONG>(static_cast<long long>(b.lLbound) + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array)
{
    if (!array)
        return E_INVALIDARG;
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array)
{
    if (!array || array->cLocks == 0)
        return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!data)
        return E_INVALIDARG;
    const HRESULT hr = SafeArrayLock(array);
    *data = SUCCEEDED(hr) ? array->pvData : nullptr;
    return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array)
{
    return SafeArrayUnlock(array);
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* indices, void* value)
{
    if (!value)
        return E_INVALIDARG;
    void* address = nullptr;
    const HRESULT hr = ElementAddress(array, indices, &address);
    if (FAILED(hr))
        return hr;
    return CopyElement(array->fFeatures, array->cbElements, address, value);
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* indices, const void* value)
{
    void* address = nullptr;
    const HRESULT hr = ElementAddress(array, indices, &address);
    if (FAILED(hr))
        return hr;
    if (array->fFeatures & FADF_BSTR) {
        // A null string is stored as it is; otherwise the old one is replaced.
        BSTR text = static_cast<BSTR>(const_cast<void*>(value));
        BSTR copy = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
        if (text && !copy)
            return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(address));
        *static_cast<BSTR*>(address) = copy;
        return S_OK;
    }
    if (array->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* object = static_cast<IUnknown*>(const_cast<void*>(value));
        if (object)
            object->AddRef();
        IUnknown*& slot = *static_cast<IUnknown**>(address);
        if (slot)
            slot->Release();
        slot = object;
        return S_OK;
    }
    if (!value)
        return E_INVALIDARG;
    if (array->fFeatures & FADF_VARIANT) {
        VARIANT copy;
        VariantInit(&copy);
        const HRESULT copied = VariantCopy(&copy, static_cast<const VARIANT*>(value));
        if (FAILED(copied))
            return copied;
        VariantClear(static_cast<VARIANT*>(address));
        *static_cast<VARIANT*>(address) = copy;
        return S_OK;
    }
    std::memcpy(address, value, array->cbElements);
    return S_OK;
}
