#include "platform/registry/SqliteStatement.h"

#include <sqlite3.h>

namespace registry {

SqliteStatement::SqliteStatement(sqlite3* database, const char* sql)
    : m_status(sqlite3_prepare_v2(database, sql, -1, &m_statement, nullptr))
{
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

void SqliteStatement::Bind(int index, std::int64_t value)
{
    if (m_status == SQLITE_OK)
        sqlite3_bind_int64(m_statement, index, value);
}

void SqliteStatement::Bind(int index, std::string_view bytes)
{
    // A zero-length blob must still be a blob, not NULL.
    static const char empty = 0;
    if (m_status == SQLITE_OK)
        sqlite3_bind_blob64(m_statement, index, bytes.empty() ? &empty : bytes.data(), bytes.size(),
                            SQLITE_TRANSIENT);
}

int SqliteStatement::Step() { return m_status == SQLITE_OK ? sqlite3_step(m_statement) : m_status; }

std::int64_t SqliteStatement::ColumnInt(int column) const { return sqlite3_column_int64(m_statement, column); }

std::string SqliteStatement::ColumnBytes(int column) const
{
    const void* data = sqlite3_column_blob(m_statement, column);
    int size = sqlite3_column_bytes(m_statement, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
}

} // namespace registry
