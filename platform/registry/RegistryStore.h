#pragma once

// The registry's persistent store: one SQLite file, registry.db in the suite
// root, shared by every process of the suite (the designer, regsvr, the
// updater) at once. The file is opened in WAL mode with a busy timeout, every
// change is one committed transaction, and a process killed in the middle of a
// write loses only its uncommitted change.
//
// Keys form a tree below three fixed roots; a key's name is kept as first
// written and found without regard to letter case (platform/registry/KeyPath.h).
// Values belong to a key; the default value is the one with the empty name.
//
// A file that is not a registry store, or cannot be opened, is never replaced:
// every call on it fails with ERROR_BADDB or ERROR_CANTOPEN, and one line on
// standard error says why the first time.

#include "platform/base/Types.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace registry {

using KeyId = std::int64_t;

constexpr KeyId ClassesRootKey = 1;
constexpr KeyId LocalMachineKey = 2;
constexpr KeyId CurrentUserKey = 3;

struct StoredValue {
    DWORD type = 0;
    std::string data; // strings are kept without their terminating NUL
};

class RegistryStore {
public:
    explicit RegistryStore(std::string filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The store of the current suite root. It is opened when the root is first
    // used and kept while the root stays the same.
    static std::shared_ptr<RegistryStore> ForSuiteRoot();

    const std::string& FilePath() const { return m_filePath; }

    // The results are ERROR_* codes: ERROR_FILE_NOT_FOUND for a missing key or
    // value, ERROR_KEY_DELETED when `key` itself is gone, ERROR_BAD_PATHNAME
    // for a malformed path, or the store's own failure.
    LONG OpenKey(KeyId parent, std::string_view subPath, KeyId& key);
    LONG CreateKey(KeyId parent, std::string_view subPath, KeyId& key, bool& created);
    LONG QueryValue(KeyId key, std::string_view name, StoredValue& value);
    LONG SetValue(KeyId key, std::string_view name, DWORD type, std::string_view data);
    LONG DeleteValue(KeyId key, std::string_view name);
    // Refuses, with ERROR_ACCESS_DENIED, a key that has subkeys, and a root.
    LONG DeleteKey(KeyId parent, std::string_view subPath);
    // Deletes the key at subPath with everything below it; an empty subPath
    // empties `parent` of subkeys and values but keeps it.
    LONG DeleteTree(KeyId parent, std::string_view subPath);
    // The name of the index-th subkey in case-insensitive name order;
    // ERROR_NO_MORE_ITEMS past the last.
    LONG EnumKey(KeyId key, DWORD index, std::string& name);

private:
    LONG Open();
    int CheckOwnership();
    LONG Fail(int sqliteResult);
    // Runs `body` with the store open and locked; Write runs it in one write
    // transaction, committed when it returns ERROR_SUCCESS.
    template<typename Body>
    LONG Read(Body body);
    template<typename Body>
    LONG Write(Body body);
    LONG KeyExists(KeyId key);
    // `missing` when `key` still exists, else why it does not.
    LONG Missing(KeyId key, LONG missing);
    LONG FindChild(KeyId parent, std::string_view name, KeyId& child);
    LONG FindKey(KeyId parent, const std::vector<std::string>& names, KeyId& key);
    LONG RemoveTree(KeyId key, bool includingKey);
    sqlite3* Database() const { return m_database; }

    std::mutex m_mutex;
    std::string m_filePath;
    sqlite3* m_database = nullptr;
    LONG m_brokenError = 0; // set once the file proved unusable
};

} // namespace registry
