#pragma once

// How a component declares one member of its dispatch interface.

#include "platform/automation/Dispatch.h"

#include <string>
#include <vector>

namespace automation {

enum class MemberKind {
    Method, // called with DISPATCH_METHOD
    PropertyGet, // a property read function
    PropertyPut, // a property write function: its last parameter is the value
    Property, // a property variable, read and written through the same row
};

struct DispatchParameter {
    std::string name;
    // A scalar VT_ code, VT_VARIANT, VT_ARRAY | element type, or VT_BYREF | type.
    VARTYPE type = VT_VARIANT;
};

struct DispatchMember {
    DISPID id = 0;
    std::string name;
    MemberKind kind = MemberKind::Method;
    std::vector<DispatchParameter> parameters;
    // The result's type: VT_EMPTY for none; for a Property the property's type.
    VARTYPE result = VT_EMPTY;
    bool readOnly = false; // a Property that cannot be written
};

// The dispatch flags that reach a member of this kind.
WORD InvokeKindOf(MemberKind kind);

} // namespace automation
