#pragma once

// Defines the four entry points a component file exports, with C linkage, for
// the module that the expression `module` yields (a CComponentModule&). Put
// it once in one source file of the component:
//
//   PLINTH_COMPONENT_EXPORTS(Module())

#include "platform/automation/ComponentModule.h"
#include "platform/automation/Unknown.h"

#define PLINTH_COMPONENT_EXPORT extern "C" __attribute__((visibility("default")))

#define PLINTH_COMPONENT_EXPORTS(module)                                                                               \
    PLINTH_COMPONENT_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object)                      \
    {                                                                                                                  \
        return (module).GetClassObject(clsid, iid, object);                                                            \
    }                                                                                                                  \
    PLINTH_COMPONENT_EXPORT HRESULT DllCanUnloadNow()                                                                  \
    {                                                                                                                  \
        return (module).CanUnloadNow();                                                                                \
    }                                                                                                                  \
    PLINTH_COMPONENT_EXPORT HRESULT DllRegisterServer()                                                                \
    {                                                                                                                  \
        return (module).RegisterServer(automation::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer)));   \
    }                                                                                                                  \
    PLINTH_COMPONENT_EXPORT HRESULT DllUnregisterServer()                                                              \
    {                                                                                                                  \
        return (module).UnregisterServer();                                                                            \
    }
