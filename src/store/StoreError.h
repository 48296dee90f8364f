// Errors raised by the store. Nothing below the window catches them: they
// end the user's action and reach the application's top-level handler,
// which shows what() in an error box.
#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed SQLite call. The message reads "SQLite Error %d - %s" with
// SQLite's result code and message text.
class SqliteError : public StoreError {
public:
    SqliteError(int code, const std::string& message);
    int code() const { return code_; }

private:
    int code_;
};

// A file that could not be created or written.
class FileError : public StoreError {
public:
    using StoreError::StoreError;
};

}  // namespace quorvel
