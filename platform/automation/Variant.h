#pragma once

#include "platform/automation/VariantTypes.h"

#include <cstddef>
#include <string_view>

namespace automation {

// Bytes of value a scalar variant type occupies (1, 2, 4 or 8).
std::size_t ValueSize(VARTYPE type);

// Owns one variant: clears it when it goes and copies it deeply. It is a
// VARIANT, so its address can be handed to any call that takes one.
class CVariant : public VARIANT {
public:
    CVariant() { VariantInit(this); }
    explicit CVariant(const VARIANT& value);
    explicit CVariant(std::u16string_view text);
    ~CVariant() { VariantClear(this); }
    CVariant(const CVariant& other)
        : CVariant(static_cast<const VARIANT&>(other))
    {
    }
    CVariant(CVariant&& other) noexcept;
    CVariant& operator=(const CVariant& other);
    CVariant& operator=(CVariant&& other) noexcept;

    static CVariant FromLong(LONG value);
    static CVariant FromDouble(double value);
    static CVariant FromBool(bool value);
    // Takes a new reference.
    static CVariant FromDispatch(IDispatch* object);

    void Clear() { VariantClear(this); }
    // Hands the value over; this variant is left empty.
    VARIANT Detach();
};

} // namespace automation
