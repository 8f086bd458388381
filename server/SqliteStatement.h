#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <string>

// One prepared statement, reset after each use so it can be run again.
class CSqliteStatement {
public:
    CSqliteStatement() = default;
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;
    ~CSqliteStatement() { sqlite3_finalize(m_stmt); }

    bool Prepare(sqlite3* db, const char* sql)
    {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) == SQLITE_OK;
    }

    CSqliteStatement& Bind(int index, int64_t value)
    {
        sqlite3_bind_int64(m_stmt, index, value);
        return *this;
    }
    CSqliteStatement& Bind(int index, double value)
    {
        sqlite3_bind_double(m_stmt, index, value);
        return *this;
    }
    CSqliteStatement& Bind(int index, const std::string& value)
    {
        sqlite3_bind_text(m_stmt, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return *this;
    }

    // SQLITE_ROW while rows come, SQLITE_DONE at the end, anything else is a failure.
    int Step() { return sqlite3_step(m_stmt); }
    // Runs a statement that returns no rows and makes it ready for the next use.
    bool Run()
    {
        const int rc = sqlite3_step(m_stmt);
        Reset();
        return rc == SQLITE_DONE;
    }
    void Reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double Real(int column) const { return sqlite3_column_double(m_stmt, column); }
    std::string Text(int column) const
    {
        const unsigned char* text = sqlite3_column_text(m_stmt, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)))
                    : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
};
