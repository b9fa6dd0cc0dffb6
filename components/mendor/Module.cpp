// The component file Mendor.dll: its one class and its four entry points.

#include "components/mendor/Verup.h"

namespace {

automation::CComponentModule& Module()
{
    static automation::CComponentModule module({ {
        mendor::CLSID_Verup,
        "Mendor.Verup.1",
        "Mendor.Verup",
        "Verup Class",
        mendor::LIBID_MENDORLib,
        &automation::CreateObject<mendor::CVerup>,
    } });
    return module;
}

} // namespace

PLINTH_COMPONENT_EXPORTS(Module())
