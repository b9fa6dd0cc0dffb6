#include "platform/registry/RegistryStore.h"

#include "platform/base/Errors.h"
#include "platform/registry/KeyPath.h"
#include "platform/registry/SqliteStatement.h"
#include "platform/system/SuiteRoot.h"

#include <cstdio>
#include <set>
#include <sqlite3.h>

namespace {

// Writers of the suite hold the file for milliseconds; a longer wait means a
// process is stuck, and the caller gets ERROR_SHARING_VIOLATION.
constexpr int BusyTimeoutMilliseconds = 10000;

// Marks the file as a registry store in its header.
constexpr std::int64_t ApplicationId = 1347178066; // "PLNR"

constexpr const char* Schema = R"sql(
PRAGMA application_id = 1347178066;
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER,
    name BLOB NOT NULL,
    folded BLOB NOT NULL,
    UNIQUE(parent, folded));
CREATE TABLE IF NOT EXISTS key_values(
    key INTEGER NOT NULL,
    name BLOB NOT NULL,
    folded BLOB NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, folded)) WITHOUT ROWID;
INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES
    (1, NULL, 'HKEY_CLASSES_ROOT', 'hkey_classes_root'),
    (2, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),
    (3, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user');
)sql";

// The key and all keys below it.
constexpr const char* TreeOfKey =
    "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL SELECT keys.id FROM keys JOIN tree ON keys.parent = tree.id) ";

bool IsRoot(registry::KeyId key) { return key >= registry::ClassesRootKey && key <= registry::CurrentUserKey; }

LONG ErrorFromSqlite(int result)
{
    switch (result & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return ERROR_SUCCESS;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_SCHEMA:
    case SQLITE_ERROR: // a statement that does not fit the file's tables
        return ERROR_BADDB;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ERROR_CANTOPEN;
    case SQLITE_READONLY:
        return ERROR_CANTWRITE;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_SHARING_VIOLATION;
    case SQLITE_FULL:
        return ERROR_DISK_FULL;
    case SQLITE_NOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_IOERR:
        return ERROR_CANTREAD;
    default:
        return ERROR_REGISTRY_CORRUPT;
    }
}

bool IsLasting(LONG error) { return error == ERROR_BADDB || error == ERROR_CANTOPEN; }

void ReportOnce(const std::string& path, LONG error, const char* reason)
{
    static std::mutex mutex;
    static std::set<std::string> reported;
    std::lock_guard lock(mutex);
    if (!reported.insert(path).second)
        return;
    std::fprintf(stderr, "plinth: registry store %s cannot be used (%s); every registry call fails with error %d "
                         "until the file is repaired or moved away\n",
                 path.empty() ? "(no suite root)" : path.c_str(), reason, static_cast<int>(error));
}

// One write transaction; rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* database)
        : m_database(database)
        , m_status(sqlite3_exec(database, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr))
    {
    }
    ~Transaction()
    {
        if (m_status == SQLITE_OK && !m_committed)
            sqlite3_exec(m_database, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int Status() const { return m_status; }
    int Commit()
    {
        int result = sqlite3_exec(m_database, "COMMIT", nullptr, nullptr, nullptr);
        m_committed = result == SQLITE_OK;
        return result;
    }

private:
    sqlite3* m_database;
    int m_status;
    bool m_committed = false;
};

} // namespace

namespace registry {

RegistryStore::RegistryStore(std::string filePath)
    : m_filePath(std::move(filePath))
{
}

RegistryStore::~RegistryStore() { sqlite3_close_v2(m_database); }

std::shared_ptr<RegistryStore> RegistryStore::ForSuiteRoot()
{
    static std::mutex mutex;
    static std::shared_ptr<RegistryStore> current;
    std::string root = sys::SuiteRoot();
    std::string path = root.empty() ? std::string() : root + "/registry.db";
    std::lock_guard lock(mutex);
    if (!current || current->FilePath() != path)
        current = std::make_shared<RegistryStore>(path);
    return current;
}

LONG RegistryStore::Fail(int sqliteResult)
{
    LONG error = ErrorFromSqlite(sqliteResult);
    if (IsLasting(error)) {
        m_brokenError = error;
        ReportOnce(m_filePath, error, m_database ? sqlite3_errmsg(m_database) : sqlite3_errstr(sqliteResult));
    }
    return error;
}

LONG RegistryStore::Open()
{
    if (m_brokenError)
        return m_brokenError;
    if (m_database)
        return ERROR_SUCCESS;
    if (m_filePath.empty()) {
        m_brokenError = ERROR_CANTOPEN;
        ReportOnce(m_filePath, m_brokenError, "the suite root cannot be created");
        return m_brokenError;
    }
    int result = sqlite3_open_v2(m_filePath.c_str(), &m_database,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result == SQLITE_OK) {
        sqlite3_busy_timeout(m_database, BusyTimeoutMilliseconds);
        result = CheckOwnership();
    }
    // Only a file that is ours, or empty, is changed from here on.
    if (result == SQLITE_OK)
        result = sqlite3_exec(m_database, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr,
                              nullptr);
    if (result == SQLITE_OK) {
        Transaction transaction(m_database);
        result = transaction.Status();
        if (result == SQLITE_OK)
            result = sqlite3_exec(m_database, Schema, nullptr, nullptr, nullptr);
        if (result == SQLITE_OK)
            result = transaction.Commit();
    }
    if (result == SQLITE_OK)
        return ERROR_SUCCESS;
    LONG error = Fail(result);
    sqlite3_close_v2(m_database);
    m_database = nullptr;
    return error;
}

int RegistryStore::CheckOwnership()
{
    SqliteStatement owner(Database(), "SELECT (SELECT count(*) FROM sqlite_master), application_id FROM "
                                      "pragma_application_id");
    int result = owner.Step();
    if (result != SQLITE_ROW)
        return result;
    bool empty = owner.ColumnInt(0) == 0;
    if (empty || owner.ColumnInt(1) == ApplicationId)
        return SQLITE_OK;
    m_brokenError = ERROR_BADDB;
    ReportOnce(m_filePath, m_brokenError, "the file is a database of another program");
    return SQLITE_NOTADB;
}

template<typename Body>
LONG RegistryStore::Read(Body body)
{
    std::lock_guard lock(m_mutex);
    if (LONG error = Open())
        return error;
    return body();
}

template<typename Body>
LONG RegistryStore::Write(Body body)
{
    return Read([&]() -> LONG {
        Transaction transaction(Database());
        if (transaction.Status() != SQLITE_OK)
            return Fail(transaction.Status());
        if (LONG error = body())
            return error;
        int result = transaction.Commit();
        return result == SQLITE_OK ? ERROR_SUCCESS : Fail(result);
    });
}

LONG RegistryStore::KeyExists(KeyId key)
{
    SqliteStatement select(Database(), "SELECT 1 FROM keys WHERE id = ?1");
    select.Bind(1, key);
    int result = select.Step();
    if (result == SQLITE_ROW)
        return ERROR_SUCCESS;
    return result == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(result);
}

LONG RegistryStore::Missing(KeyId key, LONG missing)
{
    LONG error = KeyExists(key);
    return error ? error : missing;
}

LONG RegistryStore::FindChild(KeyId parent, std::string_view name, KeyId& child)
{
    SqliteStatement select(Database(), "SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    select.Bind(1, parent);
    select.Bind(2, FoldName(name));
    int result = select.Step();
    if (result == SQLITE_ROW) {
        child = select.ColumnInt(0);
        return ERROR_SUCCESS;
    }
    return result == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(result);
}

LONG RegistryStore::FindKey(KeyId parent, const std::vector<std::string>& names, KeyId& key)
{
    if (LONG error = KeyExists(parent))
        return error;
    key = parent;
    for (const std::string& name : names) {
        if (LONG error = FindChild(key, name, key))
            return error;
    }
    return ERROR_SUCCESS;
}

LONG RegistryStore::OpenKey(KeyId parent, std::string_view subPath, KeyId& key)
{
    std::vector<std::string> names;
    if (LONG error = SplitKeyPath(subPath, names))
        return error;
    return Read([&] { return FindKey(parent, names, key); });
}

LONG RegistryStore::CreateKey(KeyId parent, std::string_view subPath, KeyId& key, bool& created)
{
    created = false;
    std::vector<std::string> names;
    if (LONG error = SplitKeyPath(subPath, names))
        return error;
    return Write([&]() -> LONG {
        if (LONG error = KeyExists(parent))
            return error;
        key = parent;
        for (const std::string& name : names) {
            LONG error = FindChild(key, name, key);
            created = error == ERROR_FILE_NOT_FOUND;
            if (!created) {
                if (error)
                    return error;
                continue;
            }
            SqliteStatement insert(Database(), "INSERT INTO keys(parent, name, folded) VALUES (?1, ?2, ?3)");
            insert.Bind(1, key);
            insert.Bind(2, name);
            insert.Bind(3, FoldName(name));
            if (int result = insert.Step(); result != SQLITE_DONE)
                return Fail(result);
            key = sqlite3_last_insert_rowid(Database());
        }
        return ERROR_SUCCESS;
    });
}

LONG RegistryStore::QueryValue(KeyId key, std::string_view name, StoredValue& value)
{
    return Read([&] {
        SqliteStatement select(Database(), "SELECT type, data FROM key_values WHERE key = ?1 AND folded = ?2");
        select.Bind(1, key);
        select.Bind(2, FoldName(name));
        int result = select.Step();
        if (result == SQLITE_ROW) {
            value.type = static_cast<DWORD>(select.ColumnInt(0));
            value.data = select.ColumnBytes(1);
            return ERROR_SUCCESS;
        }
        return result == SQLITE_DONE ? Missing(key, ERROR_FILE_NOT_FOUND) : Fail(result);
    });
}

LONG RegistryStore::SetValue(KeyId key, std::string_view name, DWORD type, std::string_view data)
{
    return Write([&] {
        if (LONG error = KeyExists(key))
            return error;
        SqliteStatement upsert(Database(),
                               "INSERT INTO key_values(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
                               "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.Bind(1, key);
        upsert.Bind(2, name);
        upsert.Bind(3, FoldName(name));
        upsert.Bind(4, static_cast<std::int64_t>(type));
        upsert.Bind(5, data);
        int result = upsert.Step();
        return result == SQLITE_DONE ? ERROR_SUCCESS : Fail(result);
    });
}

LONG RegistryStore::DeleteValue(KeyId key, std::string_view name)
{
    return Read([&] {
        SqliteStatement remove(Database(), "DELETE FROM key_values WHERE key = ?1 AND folded = ?2");
        remove.Bind(1, key);
        remove.Bind(2, FoldName(name));
        int result = remove.Step();
        if (result != SQLITE_DONE)
            return Fail(result);
        return sqlite3_changes(Database()) > 0 ? ERROR_SUCCESS : Missing(key, ERROR_FILE_NOT_FOUND);
    });
}

LONG RegistryStore::RemoveTree(KeyId key, bool includingKey)
{
    SqliteStatement values(Database(), (std::string(TreeOfKey) + "DELETE FROM key_values WHERE key IN tree").c_str());
    values.Bind(1, key);
    int result = values.Step();
    if (result != SQLITE_DONE)
        return Fail(result);
    SqliteStatement keys(Database(), (std::string(TreeOfKey) + "DELETE FROM keys WHERE id IN tree AND id <> ?2").c_str());
    keys.Bind(1, key);
    keys.Bind(2, includingKey ? KeyId(-1) : key);
    result = keys.Step();
    return result == SQLITE_DONE ? ERROR_SUCCESS : Fail(result);
}

LONG RegistryStore::DeleteKey(KeyId parent, std::string_view subPath)
{
    std::vector<std::string> names;
    if (LONG error = SplitKeyPath(subPath, names))
        return error;
    return Write([&] {
        KeyId key = 0;
        if (LONG error = FindKey(parent, names, key))
            return error;
        if (IsRoot(key))
            return ERROR_ACCESS_DENIED;
        SqliteStatement children(Database(), "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
        children.Bind(1, key);
        int result = children.Step();
        if (result == SQLITE_ROW)
            return ERROR_ACCESS_DENIED;
        return result == SQLITE_DONE ? RemoveTree(key, true) : Fail(result);
    });
}

LONG RegistryStore::DeleteTree(KeyId parent, std::string_view subPath)
{
    std::vector<std::string> names;
    if (LONG error = SplitKeyPath(subPath, names))
        return error;
    return Write([&] {
        KeyId key = 0;
        if (LONG error = FindKey(parent, names, key))
            return error;
        return RemoveTree(key, !names.empty());
    });
}

LONG RegistryStore::EnumKey(KeyId key, DWORD index, std::string& name)
{
    return Read([&] {
        SqliteStatement select(Database(),
                               "SELECT name FROM keys WHERE parent = ?1 ORDER BY folded, name LIMIT 1 OFFSET ?2");
        select.Bind(1, key);
        select.Bind(2, static_cast<std::int64_t>(index));
        int result = select.Step();
        if (result == SQLITE_ROW) {
            name = select.ColumnBytes(0);
            return ERROR_SUCCESS;
        }
        return result == SQLITE_DONE ? Missing(key, ERROR_NO_MORE_ITEMS) : Fail(result);
    });
}

} // namespace registry
