// The one connection to the wiki file. It is created with the file's path and
// opened later; it opens read-write without the create flag, so the file must
// already exist. Statements prepared while it is closed open it first, so
// every action reports the same file-open error while the file stays
// unopenable.
#pragma once

#include <QString>

struct sqlite3;

namespace quorvel {

class Database {
public:
    explicit Database(QString fileName);
    ~Database();  // closes
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file if not open yet. Raises SqliteError on failure (the
    // handle is released again, the connection stays closed).
    void open();
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const QString& fileName() const { return fileName_; }

    // The open handle; opens first when closed.
    sqlite3* handle();

private:
    QString fileName_;
    sqlite3* db_ = nullptr;
};

}  // namespace quorvel
