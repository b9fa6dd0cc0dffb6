#include "platform/automation/ComponentLibrary.h"

#include "platform/base/CodePage.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"

#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>

namespace {

thread_local int t_initialisations = 0;

// The default value of a key in the class root, when it is text.
std::optional<std::string> ReadClassesRootText(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> text;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS
        && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_LINK)) {
        std::string value(size, '\0');
        if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value.data()), &size)
            == ERROR_SUCCESS) {
            value.resize(std::min<std::size_t>(size, value.size()));
            while (!value.empty() && value.back() == '\0')
                value.pop_back();
            text = std::move(value);
        }
    }
    RegCloseKey(key);
    return text;
}

// Loaded component files by path. Files are never unloaded: objects and
// class objects handed out may live as long as the process.
class LoadedFiles {
public:
    static LoadedFiles& Instance()
    {
        static LoadedFiles files;
        return files;
    }

    HRESULT EntryPoint(const std::string& path, DllGetClassObjectFunction& entry)
    {
        std::lock_guard lock(m_mutex);
        if (auto found = m_entries.find(path); found != m_entries.end()) {
            entry = found->second;
            return S_OK;
        }
        std::error_code error;
        if (path.empty() || !std::filesystem::is_regular_file(path, error))
            return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT);
        auto function = reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
        if (!function) {
            dlclose(handle);
            return CO_E_ERRORINDLL;
        }
        m_entries.emplace(path, function);
        entry = function;
        return S_OK;
    }

private:
    std::mutex m_mutex;
    std::map<std::string, DllGetClassObjectFunction> m_entries;
};

} // namespace

HRESULT CoInitialize(LPVOID reserved)
{
    return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(LPVOID, DWORD)
{
    return t_initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (t_initialisations > 0)
        --t_initialisations;
}

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid)
{
    if (!clsid)
        return E_INVALIDARG;
    *clsid = IID_NULL;
    if (!progId || !*progId)
        return CO_E_CLASSSTRING;
    std::string name = base::Utf16ToAnsi(progId);
    // CurVer chains are short; one that loops is an unknown ProgID.
    std::set<std::string> visited;
    while (visited.insert(name).second) {
        if (const auto text = ReadClassesRootText(name + "\\CLSID")) {
            const auto guid = automation::ParseGuid(*text);
            if (!guid)
                return CO_E_CLASSSTRING;
            *clsid = *guid;
            return S_OK;
        }
        const auto current = ReadClassesRootText(name + "\\CurVer");
        if (!current || current->empty())
            break;
        name = *current;
    }
    return CO_E_CLASSSTRING;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, LPVOID, REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (t_initialisations == 0)
        return CO_E_NOTINITIALIZED;
    if (!(context & CLSCTX_INPROC))
        return REGDB_E_CLASSNOTREG;
    const std::string path = automation::InprocServerPath(clsid);
    if (path.empty())
        return REGDB_E_CLASSNOTREG;
    DllGetClassObjectFunction entry = nullptr;
    const HRESULT hr = LoadedFiles::Instance().EntryPoint(path, entry);
    if (FAILED(hr))
        return hr;
    return entry(clsid, iid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    if (!factory)
        return CO_E_ERRORINDLL;
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    if (SUCCEEDED(hr) && !*object)
        return E_NOINTERFACE;
    return hr;
}

namespace automation {

std::string InprocServerPath(REFCLSID clsid)
{
    return ReadClassesRootText("CLSID\\" + GuidToString(clsid) + "\\InprocServer32").value_or(std::string());
}

} // namespace automation
