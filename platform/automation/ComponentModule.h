#pragma once

// A component file: its classes, their class objects, the unload answer and
// the self-registration into the class root. Per class, registration writes
//
//   <ProgID>                       = description, with CLSID = {class id}
//   <VersionIndependentProgID>     = description, with CLSID = {class id} and CurVer = <ProgID>
//   CLSID\{class id}               = description, with ProgID, VersionIndependentProgID,
//                                    an empty Programmable, InprocServer32 = the file's
//                                    full path (value ThreadingModel), and TypeLib = {library id}
//
// replacing whatever those keys held before. Unregistration removes the class
// id's key, and each ProgID key that still names this class.

#include "platform/automation/ComponentClass.h"
#include "platform/automation/HResult.h"

#include <string>
#include <vector>

namespace automation {

class CComponentModule {
public:
    explicit CComponentModule(std::vector<ComponentClass> classes);

    const std::vector<ComponentClass>& Classes() const { return m_classes; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;
    // S_OK when no object, class object lock or server lock is alive, else S_FALSE.
    HRESULT CanUnloadNow() const;
    // SELFREG_E_CLASS when a key cannot be written or the path is empty.
    HRESULT RegisterServer(const std::string& path) const;
    HRESULT UnregisterServer() const;

private:
    std::vector<ComponentClass> m_classes;
};

// The full path of the shared object that holds address.
std::string ModulePathOf(const void* address);

} // namespace automation
