#pragma once

#include "platform/automation/Guid.h"

#include <string>

namespace automation {

// One creatable class of a component, with what its registration writes.
struct ComponentClass {
    CLSID clsid;
    std::string progId; // the versioned ProgID, "Mendor.Verup.1"
    std::string independentProgId; // the version-independent ProgID, "Mendor.Verup"
    std::string description; // the default value of each key, "Verup Class"
    GUID typeLibrary; // IID_NULL writes no TypeLib key
    HRESULT (*create)(REFIID iid, void** object);
    std::string threadingModel = "Apartment";
};

} // namespace automation
