// One prepared statement, finalized when it goes out of scope (also when an
// error unwinds). Parameters are positional "?" counted from 1; columns are
// counted from 0. Reading a column when the last step gave no row yields
// "", 0 or 0.0, which callers take as "not found".
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

struct sqlite3_stmt;

namespace quorvel {

class Database;

// Attempts of one step while SQLite answers busy or locked, and the pause
// between them.
constexpr int kStepAttempts = 8;
constexpr int kStepRetryMilliseconds = 10;

class Statement {
public:
    // Prepares `sql` (UTF-8) on `db`, opening it first when closed.
    // Raises SqliteError when preparing fails.
    Statement(Database& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindInt(int position, std::int32_t value);
    void bindDouble(int position, double value);
    // Binds the UTF-8 encoding of `value` with its byte length; empty text
    // is a zero-length text, never NULL.
    void bindText(int position, const QString& value);
    void bindUtf8(int position, const QByteArray& utf8);

    // Steps, retrying busy (5) and locked (6) up to kStepAttempts attempts
    // kStepRetryMilliseconds apart. Returns true for a row, false for done.
    // Raises SqliteError for anything else and for busy/locked on the last
    // attempt.
    bool step();
    bool hasRow() const { return hasRow_; }

    std::int32_t columnInt(int column) const;
    double columnDouble(int column) const;
    QString columnText(int column) const;      // decoded from UTF-8
    QByteArray columnUtf8(int column) const;   // raw bytes

    // Resets for another run with new bindings.
    void reset();

    // How many step attempts the last step() made (1 when it went through).
    int lastAttempts() const { return lastAttempts_; }

private:
    void check(int rc) const;

    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool hasRow_ = false;
    int lastAttempts_ = 0;
};

}  // namespace quorvel
