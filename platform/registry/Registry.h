#pragma once

// The registry under the platform's names, over the store in the suite root
// (platform/registry/RegistryStore.h). Every call returns an ERROR_* code.
//
// - Key paths are separated by "\" and found without regard to the case of
//   ASCII letters; names are kept as first written.
// - A null or empty value name is the key's default value.
// - String values (REG_SZ, REG_EXPAND_SZ, REG_LINK) are stored up to their
//   first NUL; reading one gives the text followed by one NUL, and the size
//   counts that NUL. REG_DWORD takes exactly 4 bytes; REG_BINARY any bytes.
//   Other types are refused with ERROR_INVALID_PARAMETER.
// - A handle opened without the right for an operation (KEY_SET_VALUE to set
//   or delete values, KEY_CREATE_SUB_KEY to create subkeys, KEY_QUERY_VALUE to
//   read, KEY_ENUMERATE_SUB_KEYS to list) gets ERROR_ACCESS_DENIED. The three
//   roots allow everything.
// - RegDeleteKeyA refuses a key that has subkeys (ERROR_ACCESS_DENIED), as the
//   platform does; RegDeleteTreeA deletes a key with everything below it.
// - A handle keeps the store it was opened in, even when the suite root
//   changes later; the roots always mean the current suite root's store.

#include "platform/base/Types.h"
#include "platform/system/SecurityAttributes.h"

#include <cstdint>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_EXECUTE = KEY_READ;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_LINK = 6;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};
using PFILETIME = FILETIME*;

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);

// Opens the key at subKey, creating it and any missing keys on the way.
// `disposition`, when given, tells REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM desired,
                     LPSECURITY_ATTRIBUTES attributes, PHKEY result, LPDWORD disposition);

LONG RegCloseKey(HKEY key);

// With `data` null, *size receives the value's size. With a buffer too small,
// the result is ERROR_MORE_DATA and *size the size needed.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

LONG RegDeleteValueA(HKEY key, LPCSTR valueName);

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);

// Deletes subKey with all keys and values below it; a null or empty subKey
// deletes everything inside `key` but keeps `key`.
LONG RegDeleteTreeA(HKEY key, LPCSTR subKey);

// The name of the index-th subkey (in case-insensitive name order) into
// `name`, whose size *nameLength gives in bytes with room for the NUL; on
// success *nameLength is the name's length without the NUL. A buffer too
// small gives ERROR_MORE_DATA with *nameLength set to the name's length; an
// index past the last subkey gives ERROR_NO_MORE_ITEMS. Keys have no class and
// no write time: a class comes back empty and a time as zero.
LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved, LPSTR keyClass,
                   LPDWORD classLength, PFILETIME lastWriteTime);

// The default value of subKey (created when missing) as a REG_SZ text.
LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size);

// The default value of subKey as text; an existing key without a default value
// gives the empty text. Sizes as for RegQueryValueExA.
LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LPLONG size);
