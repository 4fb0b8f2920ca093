#include "sales/sqlite_db.h"

#include <sqlite3.h>

namespace kavro {

namespace {

[[noreturn]] void fail(sqlite3* db, int code) {
    throw SqlFailure(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

} // namespace

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        fail(db_, rc);
}

SqlStatement::~SqlStatement() { sqlite3_finalize(stmt_); }

SqlStatement& SqlStatement::bind(int index, long long value) {
    if (int rc = sqlite3_bind_int64(stmt_, index, value); rc != SQLITE_OK)
        fail(db_, rc);
    return *this;
}

SqlStatement& SqlStatement::bind(int index, std::string_view text) {
    const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(db_, rc);
    return *this;
}

SqlStatement& SqlStatement::bindNull(int index) {
    if (int rc = sqlite3_bind_null(stmt_, index); rc != SQLITE_OK)
        fail(db_, rc);
    return *this;
}

bool SqlStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int extended = sqlite3_extended_errcode(db_);
    const std::string what = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    throw SqlFailure(extended, what);
}

void SqlStatement::run() {
    while (step()) {
    }
    reset();
}

void SqlStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

long long SqlStatement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::optional<long long> SqlStatement::optionalInteger(int column) const {
    if (isNull(column))
        return std::nullopt;
    return sqlite3_column_int64(stmt_, column);
}

bool SqlStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string SqlStatement::text(int column) const { return std::string(textView(column)); }

std::string_view SqlStatement::textView(int column) const {
    const auto* p = sqlite3_column_text(stmt_, column);
    return p ? std::string_view(reinterpret_cast<const char*>(p),
                                static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
             : std::string_view();
}

SqliteDb::SqliteDb(const std::filesystem::path& file) {
    const int rc =
        sqlite3_open_v2(file.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (rc != SQLITE_OK) {
        const std::string what = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqlFailure(rc, what);
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDb::~SqliteDb() { sqlite3_close(db_); }

void SqliteDb::exec(std::string_view sql) {
    const std::string text(sql);
    if (int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr); rc != SQLITE_OK)
        fail(db_, sqlite3_extended_errcode(db_));
}

std::string SqliteDb::pragmaText(std::string_view sql) {
    SqlStatement s = prepare(sql);
    return s.step() ? s.text(0) : std::string();
}

long long SqliteDb::pragmaInteger(std::string_view sql) {
    SqlStatement s = prepare(sql);
    return s.step() ? s.integer(0) : 0;
}

SqlTransaction::SqlTransaction(SqliteDb& db) : db_(db) { db_.exec("BEGIN IMMEDIATE"); }

SqlTransaction::~SqlTransaction() {
    if (!done_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqlTransaction::commit() {
    db_.exec("COMMIT");
    done_ = true;
}

std::string salesFileErrorText(const SqlFailure& failure) {
    std::string text = "売上ファイル（kavro-sales.db）";
    switch (failure.code & 0xff) {
    case SQLITE_FULL:
        return text + "に書き込めません（ディスクの空き容量が不足しています）";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return text + "に書き込めません（書き込みが許可されていません）";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return text + "をほかのプログラムが使用中のため、書き込めません";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return text + "が壊れているため使えません";
    case SQLITE_IOERR:
        return text + "をディスクに書き込めません";
    case SQLITE_CONSTRAINT:
        return text + "がこの記録を受け付けませんでした（" + failure.what() + "）";
    default:
        return text + "を使えません（" + failure.what() + "）";
    }
}

} // namespace kavro
