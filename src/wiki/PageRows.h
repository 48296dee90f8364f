// The statements that read page rows for display and navigation. Each
// prepares, binds, steps once and releases its statement; a lookup that
// finds no row gives empty text, 0 and 0.0, which callers read as "not
// found".
#pragma once

#include <QString>
#include <cstdint>

namespace quorvel {

class Database;

struct PageRow {
    std::int32_t wikiId = 0;
    QString wikiWord;
    QString content;
    QString createdBy;
    double createdByDate = 0.0;  // Julian day, 0.0 when NULL
    QString updatedBy;
    double updatedByDate = 0.0;
};

// The row with this id (its wikiId field set to `id`).
PageRow ReadPageById(Database& db, std::int32_t id);

// The first row, in table order, whose title matches `word` with LIKE (ASCII
// case ignored, "%" and "_" act as wildcards). Its wikiWord field stays
// empty: the caller shows the title as it was asked for.
PageRow ReadPageByWord(Database& db, const QString& word);

// The stored text of page `id`.
QString ReadPageContent(Database& db, std::int32_t id);

// The title of page `id`.
QString ReadPageTitle(Database& db, std::int32_t id);

// The id of the page titled `word`: compared exactly, or with LIKE.
std::int32_t ReadWikiId(Database& db, const QString& word, bool exact);

// The first page, in table order, whose text holds the link "[[title]]"
// (title trimmed of blanks and control characters, matched with LIKE), as
// its id in decimal; "0" when no page links to it.
QString FindParentId(Database& db, const QString& title);

}  // namespace quorvel
