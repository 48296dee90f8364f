#include "store/Statement.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace quorvel {

Statement::Statement(Database& db, const char* sql) : db_(db)
{
    sqlite3* handle = db_.handle();  // opens the connection when closed
    const int rc = sqlite3_prepare_v2(handle, sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);  // harmless on null
        stmt_ = nullptr;
        throw SqliteError(rc, sqlite3_errmsg(handle));
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::check(int rc) const
{
    if (rc != SQLITE_OK)
        throw SqliteError(rc, sqlite3_errmsg(sqlite3_db_handle(stmt_)));
}

void Statement::bindInt(int position, std::int32_t value)
{
    check(sqlite3_bind_int(stmt_, position, value));
}

void Statement::bindDouble(int position, double value)
{
    check(sqlite3_bind_double(stmt_, position, value));
}

void Statement::bindText(int position, const QString& value)
{
    bindUtf8(position, value.toUtf8());
}

void Statement::bindUtf8(int position, const QByteArray& utf8)
{
    // A non-null pointer with length 0 binds a zero-length text, not NULL.
    const char* bytes = utf8.isEmpty() ? "" : utf8.constData();
    check(sqlite3_bind_text(stmt_, position, bytes, static_cast<int>(utf8.size()),
                            SQLITE_TRANSIENT));
}

bool Statement::step()
{
    hasRow_ = false;
    for (int attempt = 1;; ++attempt) {
        lastAttempts_ = attempt;
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            hasRow_ = true;
            return true;
        }
        if (rc == SQLITE_DONE)
            return false;
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && attempt < kStepAttempts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kStepRetryMilliseconds));
            continue;
        }
        throw SqliteError(rc, sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    }
}

std::int32_t Statement::columnInt(int column) const
{
    return hasRow_ ? sqlite3_column_int(stmt_, column) : 0;
}

double Statement::columnDouble(int column) const
{
    return hasRow_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

QByteArray Statement::columnUtf8(int column) const
{
    if (!hasRow_)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const int length = sqlite3_column_bytes(stmt_, column);
    return text ? QByteArray(text, length) : QByteArray();
}

QString Statement::columnText(int column) const
{
    return QString::fromUtf8(columnUtf8(column));
}

void Statement::reset()
{
    hasRow_ = false;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

}  // namespace quorvel
