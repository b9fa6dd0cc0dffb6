#include "platform/automation/ComponentModule.h"

#include "platform/automation/ClassFactory.h"
#include "platform/automation/ModuleLock.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "platform/system/ModuleFileName.h"

#include <atomic>
#include <new>
#include <optional>

namespace automation {

namespace {

std::atomic<long> g_moduleLocks { 0 };

bool SetDefault(const std::string& path, const std::string& text)
{
    return RegSetValueA(HKEY_CLASSES_ROOT, path.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>(text.size()))
        == ERROR_SUCCESS;
}

bool CreateKey(const std::string& path, HKEY* opened = nullptr)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    if (opened)
        *opened = key;
    else
        RegCloseKey(key);
    return true;
}

bool SetNamedValue(const std::string& path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    if (!CreateKey(path, &key))
        return false;
    const LONG result = RegSetValueExA(
        key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

LONG DeleteTree(const std::string& path)
{
    const LONG result = RegDeleteTreeA(HKEY_CLASSES_ROOT, path.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::optional<std::string> ReadDefault(const std::string& path)
{
    char text[256];
    LONG size = sizeof text;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

bool RegisterProgId(
    const std::string& progId, const ComponentClass& entry, const std::string& clsid, const std::string& currentVersion)
{
    if (progId.empty())
        return true;
    if (DeleteTree(progId) != ERROR_SUCCESS)
        return false;
    bool ok = SetDefault(progId, entry.description) && SetDefault(progId + "\\CLSID", clsid);
    if (!currentVersion.empty())
        ok = ok && SetDefault(progId + "\\CurVer", currentVersion);
    return ok;
}

bool RegisterClass(const ComponentClass& entry, const std::string& path)
{
    const std::string clsid = GuidToString(entry.clsid);
    const std::string key = "CLSID\\" + clsid;
    if (DeleteTree(key) != ERROR_SUCCESS)
        return false;
    bool ok = SetDefault(key, entry.description);
    if (!entry.progId.empty())
        ok = ok && SetDefault(key + "\\ProgID", entry.progId);
    if (!entry.independentProgId.empty())
        ok = ok && SetDefault(key + "\\VersionIndependentProgID", entry.independentProgId);
    ok = ok && CreateKey(key + "\\Programmable");
    ok = ok && SetDefault(key + "\\InprocServer32", path)
        && SetNamedValue(key + "\\InprocServer32", "ThreadingModel", entry.threadingModel);
    if (entry.typeLibrary != IID_NULL)
        ok = ok && SetDefault(key + "\\TypeLib", GuidToString(entry.typeLibrary));
    ok = ok && RegisterProgId(entry.progId, entry, clsid, {});
    const std::string current = entry.progId.empty() ? std::string() : entry.progId;
    return ok && RegisterProgId(entry.independentProgId, entry, clsid, current);
}

// A ProgID that another class has taken over since is left to that class.
bool UnregisterProgId(const std::string& progId, REFCLSID clsid)
{
    if (progId.empty())
        return true;
    if (const auto registered = ReadDefault(progId + "\\CLSID")) {
        const auto guid = ParseGuid(*registered);
        if (guid && *guid != clsid)
            return true;
    }
    return DeleteTree(progId) == ERROR_SUCCESS;
}

} // namespace

void LockModule()
{
    ++g_moduleLocks;
}

void UnlockModule()
{
    --g_moduleLocks;
}

long ModuleLockCount()
{
    return g_moduleLocks.load();
}

CComponentModule::CComponentModule(std::vector<ComponentClass> classes)
    : m_classes(std::move(classes))
{
}

HRESULT CComponentModule::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ComponentClass& entry : m_classes) {
        if (entry.clsid != clsid)
            continue;
        auto* factory = new (std::nothrow) CClassFactory(entry);
        if (!factory)
            return E_OUTOFMEMORY;
        factory->AddRef();
        const HRESULT hr = factory->QueryInterface(iid, object);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComponentModule::CanUnloadNow() const
{
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

HRESULT CComponentModule::RegisterServer(const std::string& path) const
{
    if (path.empty())
        return SELFREG_E_CLASS;
    for (const ComponentClass& entry : m_classes)
        if (!RegisterClass(entry, path))
            return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT CComponentModule::UnregisterServer() const
{
    HRESULT hr = S_OK;
    for (const ComponentClass& entry : m_classes) {
        const bool ok = DeleteTree("CLSID\\" + GuidToString(entry.clsid)) == ERROR_SUCCESS
            && UnregisterProgId(entry.progId, entry.clsid) && UnregisterProgId(entry.independentProgId, entry.clsid);
        if (!ok)
            hr = SELFREG_E_CLASS;
    }
    return hr;
}

std::string ModulePathOf(const void* address)
{
    return sys::ModuleFileName(address);
}

} // namespace automation
