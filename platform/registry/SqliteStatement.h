#pragma once

// One prepared SQLite statement, finalised with the object.

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace registry {

class SqliteStatement {
public:
    SqliteStatement(sqlite3* database, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // The SQLite result of preparing; SQLITE_OK when the statement can run.
    int Status() const { return m_status; }

    void Bind(int index, std::int64_t value);
    // Binds bytes as a blob, so names keep their code page 936 bytes exactly.
    void Bind(int index, std::string_view bytes);

    // SQLITE_ROW, SQLITE_DONE or an error; the preparation error if it failed.
    int Step();

    std::int64_t ColumnInt(int column) const;
    std::string ColumnBytes(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_status;
};

} // namespace registry
