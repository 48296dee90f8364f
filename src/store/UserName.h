#pragma once

#include <QString>

namespace quorvel {

// Login name of the effective user, decoded from UTF-8; "Unknown" when it
// cannot be read. Read afresh at every call.
QString GetUserFromWindows();

}  // namespace quorvel
