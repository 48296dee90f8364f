#include "store/Database.h"

#include "store/Statement.h"
#include "store/StoreError.h"

#include <sqlite3.h>

#include <utility>

namespace quorvel {

Database::Database(QString fileName) : fileName_(std::move(fileName)) {}

Database::~Database() { close(); }

void Database::open()
{
    if (db_)
        return;
    const QByteArray path = fileName_.toUtf8();
    sqlite3* db = nullptr;
    // Read-write without create: the file must exist already.
    const int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw SqliteError(rc, message + " \"" + path.toStdString() + "\"");
    }
    db_ = db;
    // SQLite reads the file lazily; read the schema now so that a damaged
    // file or one that is no database is reported when the connection
    // opens, not at some later action. The read changes nothing on disk.
    try {
        Statement probe(*this, "SELECT count(*) FROM sqlite_master");
        probe.step();
    } catch (...) {
        close();
        throw;
    }
}

void Database::close()
{
    if (!db_)
        return;
    // Every statement is finalized by its owner, so the close succeeds.
    sqlite3_close(db_);
    db_ = nullptr;
}

sqlite3* Database::handle()
{
    open();
    return db_;
}

}  // namespace quorvel
