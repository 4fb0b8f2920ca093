#pragma once
// A thin owner of one SQLite connection and its statements, for the sales ledger. Failures
// inside throw SqlFailure; the ledger's public functions catch it at their edge and return
// the desk's Japanese text, so no exception ever leaves src/sales.
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kavro {

struct SqlFailure : std::runtime_error {
    SqlFailure(int sqliteCode, const std::string& what)
        : std::runtime_error(what), code(sqliteCode) {}
    int code; // SQLite's result code
};

class SqlStatement {
public:
    SqlStatement(sqlite3* db, std::string_view sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // Parameters count from 1, as in the SQL text (?1, ?2 ...).
    SqlStatement& bind(int index, long long value);
    SqlStatement& bind(int index, std::string_view text);
    SqlStatement& bindNull(int index);
    // True while a row is there to read.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    long long integer(int column) const;
    std::optional<long long> optionalInteger(int column) const;
    bool isNull(int column) const;
    std::string text(int column) const;
    // The text without a copy: valid until the next step() or reset().
    std::string_view textView(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class SqliteDb {
public:
    // Opens (creating it when missing) the database file; never follows a symbolic link.
    explicit SqliteDb(const std::filesystem::path& file);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    sqlite3* handle() const { return db_; }
    void exec(std::string_view sql);
    SqlStatement prepare(std::string_view sql) { return SqlStatement(db_, sql); }
    // The single value of a one-row query (a PRAGMA's answer).
    std::string pragmaText(std::string_view sql);
    long long pragmaInteger(std::string_view sql);

private:
    sqlite3* db_ = nullptr;
};

// BEGIN IMMEDIATE (the write lock taken at once, so that no other connection slips in
// between our reads and writes); rolled back unless committed.
class SqlTransaction {
public:
    explicit SqlTransaction(SqliteDb& db);
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;
    void commit();

private:
    SqliteDb& db_;
    bool done_ = false;
};

// What the desk is told when the sales file refused an operation.
std::string salesFileErrorText(const SqlFailure& failure);

} // namespace kavro
