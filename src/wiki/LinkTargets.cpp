#include "wiki/LinkTargets.h"

#include <array>

namespace quorvel {

namespace {

constexpr std::array kWebParts = {".com", ".edu", ".gov", ".net", ".org", ".htm"};
constexpr std::array kWebPrefixes = {"http", "www."};
constexpr std::array kFileExtensions = {".doc", ".pdf", ".rtf", ".txt", ".exe", ".mdb", ".lnk",
                                        ".ppt", ".avi", ".mov", ".mp4", ".wmv", ".xls"};

bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

bool IsWebAddress(const QString& target)
{
    for (const char* part : kWebParts)
        if (target.contains(QLatin1String(part), Qt::CaseSensitive))
            return true;
    for (const char* prefix : kWebPrefixes)
        if (target.startsWith(QLatin1String(prefix), Qt::CaseSensitive))
            return true;
    return false;
}

bool LinkIsWikiWord(const QString& target)
{
    if (IsWebAddress(target))
        return false;
    const QString lower = target.toLower();
    for (const char* extension : kFileExtensions)
        if (lower.contains(QLatin1String(extension)))
            return false;
    return true;
}

QString UnwrapLinkTarget(const QString& target)
{
    QString result;
    result.reserve(target.size());
    qsizetype i = 0;
    while (i < target.size()) {
        if (!IsLineEnd(target[i])) {
            result += target[i++];
            continue;
        }
        // One line end: CR LF counts once, then the wrapped line's indentation.
        if (target[i] == u'\r' && i + 1 < target.size() && target[i + 1] == u'\n')
            ++i;
        ++i;
        while (i < target.size() && IsBlank(target[i]))
            ++i;
        result += u' ';
    }
    return result;
}

}  // namespace quorvel
