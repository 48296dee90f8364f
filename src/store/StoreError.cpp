#include "store/StoreError.h"

namespace quorvel {

namespace {
std::string FormatSqliteMessage(int code, const std::string& message)
{
    return "SQLite Error " + std::to_string(code) + " - " + message;
}
}  // namespace

SqliteError::SqliteError(int code, const std::string& message)
    : StoreError(FormatSqliteMessage(code, message)), code_(code)
{
}

}  // namespace quorvel
