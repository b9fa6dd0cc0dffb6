#include "platform/registry/Registry.h"

#include "platform/base/Errors.h"
#include "platform/registry/RegistryStore.h"
#include "platform/system/HandleTable.h"

#include <cstring>
#include <memory>

namespace {

// An open key: the store it lives in (which stays when the suite root moves
// on), the key, and the rights it was opened with.
class OpenKey : public sys::KernelObject {
public:
    OpenKey(std::shared_ptr<registry::RegistryStore> store, registry::KeyId key, REGSAM access)
        : m_store(std::move(store))
        , m_key(key)
        , m_access(access)
    {
    }
    const std::shared_ptr<registry::RegistryStore>& Store() const { return m_store; }
    registry::KeyId Key() const { return m_key; }
    REGSAM Access() const { return m_access; }

private:
    std::shared_ptr<registry::RegistryStore> m_store;
    registry::KeyId m_key;
    REGSAM m_access;
};

registry::KeyId RootKey(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT)
        return registry::ClassesRootKey;
    if (key == HKEY_LOCAL_MACHINE)
        return registry::LocalMachineKey;
    if (key == HKEY_CURRENT_USER)
        return registry::CurrentUserKey;
    return 0;
}

// The open key a handle stands for, checked for the rights an operation needs.
LONG Resolve(HKEY handle, REGSAM needed, std::shared_ptr<OpenKey>& key)
{
    if (registry::KeyId root = RootKey(handle)) {
        key = std::make_shared<OpenKey>(registry::RegistryStore::ForSuiteRoot(), root, KEY_ALL_ACCESS);
        return ERROR_SUCCESS;
    }
    key = sys::HandleTable::Instance().Find<OpenKey>(reinterpret_cast<HANDLE>(handle));
    if (!key)
        return ERROR_INVALID_HANDLE;
    return (key->Access() & needed) == needed ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

HKEY NewHandle(const std::shared_ptr<registry::RegistryStore>& store, registry::KeyId key, REGSAM access)
{
    return reinterpret_cast<HKEY>(sys::HandleTable::Instance().Add(std::make_shared<OpenKey>(store, key, access)));
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_LINK; }

const char* NameOrDefault(LPCSTR name) { return name ? name : ""; }

// Copies value bytes out by the size-query rules of RegQueryValueExA.
LONG CopyOut(const std::string& bytes, LPBYTE data, LPDWORD size)
{
    if (!size)
        return ERROR_SUCCESS;
    DWORD available = *size;
    *size = static_cast<DWORD>(bytes.size());
    if (!data)
        return ERROR_SUCCESS;
    if (available < bytes.size())
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyExA(HKEY handle, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::shared_ptr<OpenKey> parent;
    if (LONG error = Resolve(handle, 0, parent))
        return error;
    registry::KeyId key = 0;
    if (LONG error = parent->Store()->OpenKey(parent->Key(), NameOrDefault(subKey), key))
        return error;
    *result = NewHandle(parent->Store(), key, desired);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY handle, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::shared_ptr<OpenKey> parent;
    if (LONG error = Resolve(handle, KEY_CREATE_SUB_KEY, parent))
        return error;
    registry::KeyId key = 0;
    bool created = false;
    if (LONG error = parent->Store()->CreateKey(parent->Key(), NameOrDefault(subKey), key, created))
        return error;
    *result = NewHandle(parent->Store(), key, desired);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY handle)
{
    if (RootKey(handle))
        return ERROR_SUCCESS;
    if (!sys::HandleTable::Instance().Find<OpenKey>(reinterpret_cast<HANDLE>(handle)))
        return ERROR_INVALID_HANDLE;
    sys::HandleTable::Instance().Remove(reinterpret_cast<HANDLE>(handle));
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY handle, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, KEY_QUERY_VALUE, key))
        return error;
    registry::StoredValue value;
    if (LONG error = key->Store()->QueryValue(key->Key(), NameOrDefault(valueName), value))
        return error;
    if (IsStringType(value.type))
        value.data.push_back('\0');
    if (type)
        *type = value.type;
    return CopyOut(value.data, data, size);
}

LONG RegSetValueExA(HKEY handle, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    if (IsStringType(type))
        bytes.resize(std::strlen(bytes.c_str()));
    else if ((type == REG_DWORD && size != sizeof(DWORD)) || (type != REG_DWORD && type != REG_BINARY))
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, KEY_SET_VALUE, key))
        return error;
    return key->Store()->SetValue(key->Key(), NameOrDefault(valueName), type, bytes);
}

LONG RegDeleteValueA(HKEY handle, LPCSTR valueName)
{
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, KEY_SET_VALUE, key))
        return error;
    return key->Store()->DeleteValue(key->Key(), NameOrDefault(valueName));
}

LONG RegDeleteKeyA(HKEY handle, LPCSTR subKey)
{
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, 0, key))
        return error;
    return key->Store()->DeleteKey(key->Key(), subKey);
}

LONG RegDeleteTreeA(HKEY handle, LPCSTR subKey)
{
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, 0, key))
        return error;
    return key->Store()->DeleteTree(key->Key(), NameOrDefault(subKey));
}

LONG RegEnumKeyExA(HKEY handle, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD, LPSTR keyClass,
                   LPDWORD classLength, PFILETIME lastWriteTime)
{
    if (!name || !nameLength)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<OpenKey> key;
    if (LONG error = Resolve(handle, KEY_ENUMERATE_SUB_KEYS, key))
        return error;
    std::string found;
    if (LONG error = key->Store()->EnumKey(key->Key(), index, found))
        return error;
    DWORD available = *nameLength;
    *nameLength = static_cast<DWORD>(found.size());
    if (available <= found.size())
        return ERROR_MORE_DATA;
    std::memcpy(name, found.c_str(), found.size() + 1);
    if (keyClass && classLength && *classLength)
        keyClass[0] = '\0';
    if (classLength)
        *classLength = 0;
    if (lastWriteTime)
        *lastWriteTime = FILETIME {};
    return ERROR_SUCCESS;
}

LONG RegSetValueA(HKEY handle, LPCSTR subKey, DWORD type, LPCSTR data, DWORD)
{
    if (type != REG_SZ || !data)
        return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    if (LONG error = RegCreateKeyExA(handle, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
        return error;
    LONG error = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                static_cast<DWORD>(std::strlen(data) + 1));
    RegCloseKey(key);
    return error;
}

LONG RegQueryValueA(HKEY handle, LPCSTR subKey, LPSTR data, LPLONG size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    HKEY key = nullptr;
    if (LONG error = RegOpenKeyExA(handle, subKey, 0, KEY_QUERY_VALUE, &key))
        return error;
    DWORD type = REG_NONE;
    DWORD bytes = size ? static_cast<DWORD>(*size) : 0;
    LONG error = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(data), size ? &bytes : nullptr);
    RegCloseKey(key);
    if (error == ERROR_FILE_NOT_FOUND) {
        // A key without a default value reads as the empty text.
        error = CopyOut(std::string(1, '\0'), reinterpret_cast<LPBYTE>(data), size ? &bytes : nullptr);
    } else if (error == ERROR_SUCCESS && !IsStringType(type)) {
        error = ERROR_INVALID_DATA;
    }
    if (size)
        *size = static_cast<LONG>(bytes);
    return error;
}
