#pragma once

// One callable member of a component as CLateBoundObject records it.

#include "platform/automation/Variant.h"

#include <string>
#include <vector>

struct LateBoundMember {
    LONG dispatchId = 0;
    // As the type description spells it; empty when it had no name.
    std::u16string name;
    // 0 not callable, 1 method, 2 property read, 4 property write, 8 property write by reference.
    WORD invokeKind = 0;
    // The member's latest result; empty until it is called.
    automation::CVariant result;
    LONG parameterCount = 0;
    // One code per declared parameter in declaration order, then a 0.
    std::vector<VARTYPE> parameterTypes { 0 };
};
