#include "wiki/PageRows.h"

#include "store/Statement.h"

namespace quorvel {

namespace {

PageRow ReadStamps(const Statement& st)
{
    PageRow row;
    row.content = st.columnText(0);
    row.createdBy = st.columnText(1);
    row.createdByDate = st.columnDouble(2);
    row.updatedBy = st.columnText(3);
    row.updatedByDate = st.columnDouble(4);
    return row;
}

// Trim as the title field is trimmed: blanks and control characters at both
// ends.
QString TrimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

}  // namespace

PageRow ReadPageById(Database& db, std::int32_t id)
{
    Statement st(db,
                 "SELECT Content, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, WikiWord "
                 "FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, id);
    st.step();
    PageRow row = ReadStamps(st);
    row.wikiWord = st.columnText(5);
    row.wikiId = id;
    return row;
}

PageRow ReadPageByWord(Database& db, const QString& word)
{
    Statement st(db,
                 "SELECT Content, CreatedBy, CreatedByDate, UpdatedBy, UpdatedByDate, wiki_id "
                 "FROM WikiPages WHERE WikiWord LIKE?");
    st.bindText(1, word);
    st.step();
    PageRow row = ReadStamps(st);
    row.wikiId = st.columnInt(5);
    return row;
}

QString ReadPageContent(Database& db, std::int32_t id)
{
    Statement st(db, "SELECT Content FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, id);
    st.step();
    return st.columnText(0);
}

QString ReadPageTitle(Database& db, std::int32_t id)
{
    Statement st(db, "SELECT WikiWord FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, id);
    st.step();
    return st.columnText(0);
}

std::int32_t ReadWikiId(Database& db, const QString& word, bool exact)
{
    Statement st(db, exact ? "SELECT wiki_id FROM WikiPages WHERE WikiWord=?"
                           : "SELECT wiki_id FROM WikiPages WHERE WikiWord LIKE?");
    st.bindText(1, word);
    st.step();
    return st.columnInt(0);
}

QString FindParentId(Database& db, const QString& title)
{
    Statement st(db, "SELECT wiki_id FROM WikiPages WHERE Content LIKE? ;");
    st.bindText(1, QStringLiteral("%[[") + TrimControls(title) + QStringLiteral("]]%"));
    st.step();
    return QString::number(st.columnInt(0));
}

}  // namespace quorvel
