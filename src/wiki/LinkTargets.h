// What a clicked link target names: a wiki page, or something outside the
// wiki (a file or a web address) that the desktop opens.
#pragma once

#include <QString>

namespace quorvel {

// True when the target contains ".com", ".edu", ".gov", ".net", ".org" or
// ".htm" anywhere, or begins with "http" or "www." (all case-sensitive).
bool IsWebAddress(const QString& target);

// True when the target names a wiki page: no web address and none of the
// document and media extensions (".doc", ".pdf", ... compared ignoring
// case) anywhere in it. Targets with spaces, other extensions and in-page
// anchors ("#...") are WikiWords.
bool LinkIsWikiWord(const QString& target);

// The engine wraps long output lines at spaces, also inside an href, so a
// clicked target can carry a line end followed by the indentation of the
// wrapped line. Turns every line end (CR LF, CR or LF) together with the
// spaces and tabs after it back into the one space it replaced.
QString UnwrapLinkTarget(const QString& target);

}  // namespace quorvel
