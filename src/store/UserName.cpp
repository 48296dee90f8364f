#include "store/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace quorvel {

namespace {
// Room the name is read into, its terminating NUL included; a longer name
// counts as unreadable.
constexpr std::size_t kUserNameBuffer = 255;
}  // namespace

QString GetUserFromWindows()
{
    const QString unknown = QStringLiteral("Unknown");
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_name)
        return unknown;
    const std::size_t length = std::strlen(found->pw_name);
    if (length == 0 || length + 1 > kUserNameBuffer)
        return unknown;
    return QString::fromUtf8(found->pw_name, static_cast<qsizetype>(length));
}

}  // namespace quorvel
