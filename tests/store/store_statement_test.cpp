#include "store/Database.h"
#include "store/Statement.h"
#include "store/StoreError.h"
#include "StoreTestSupport.h"

#include <sqlite3.h>

namespace quorvel {
namespace {

using test::ReadAll;
using test::TemplateWiki;
using test::WriteAll;

// Runs `sql` on a second, raw connection to the same file.
class SecondConnection {
public:
    explicit SecondConnection(const QString& path)
    {
        EXPECT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
    }
    ~SecondConnection() { sqlite3_close(db_); }
    int exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

using StatementTest = TemplateWiki;

TEST_F(StatementTest, ReadsARowByPosition)
{
    Database db(path);
    Statement st(db, "SELECT WikiWord, wiki_id, CreatedByDate FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, 1);
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), QStringLiteral("Home"));
    EXPECT_EQ(st.columnInt(1), 1);
    EXPECT_EQ(st.columnDouble(2), 2455564.5);
}

TEST_F(StatementTest, MissingRowReadsAsEmptyZeroAndZero)
{
    Database db(path);
    Statement st(db, "SELECT Content, wiki_id, UpdatedByDate FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, 9999);
    EXPECT_FALSE(st.step());
    EXPECT_EQ(st.columnText(0), QString());
    EXPECT_EQ(st.columnInt(1), 0);
    EXPECT_EQ(st.columnDouble(2), 0.0);
}

TEST_F(StatementTest, NullDateReadsAsZero)
{
    Database db(path);
    Statement st(db, "SELECT UpdatedByDate, UpdatedBy FROM WikiPages WHERE wiki_id=4");
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnDouble(0), 0.0);
    EXPECT_EQ(st.columnText(1), QString());
}

TEST_F(StatementTest, EmptyTextIsStoredAsEmptyNotNull)
{
    Database db(path);
    for (const QString& empty : {QString(), QStringLiteral("")}) {
        Statement insert(db, "INSERT INTO WikiPages (WikiWord, Content) VALUES (?, ?)");
        insert.bindText(1, QStringLiteral("Blank"));
        insert.bindText(2, empty);
        EXPECT_FALSE(insert.step());
    }
    Statement empty(db, "SELECT count(*) FROM WikiPages WHERE Content = ''");
    ASSERT_TRUE(empty.step());
    EXPECT_EQ(empty.columnInt(0), 2);
    Statement null(db, "SELECT count(*) FROM WikiPages WHERE Content IS NULL");
    ASSERT_TRUE(null.step());
    EXPECT_EQ(null.columnInt(0), 0);
}

TEST_F(StatementTest, TextTravelsAsUtf8)
{
    const QString word = QStringLiteral("Grüße 日本語 😀");
    Database db(path);
    {
        Statement insert(db, "INSERT INTO WikiPages (WikiWord, Content) VALUES (?, 'x')");
        insert.bindText(1, word);
        insert.step();
    }
    Statement st(db, "SELECT WikiWord, length(CAST(WikiWord AS BLOB)) FROM WikiPages "
                     "WHERE WikiWord = ?");
    st.bindText(1, word);
    ASSERT_TRUE(st.step());
    EXPECT_EQ(st.columnText(0), word);
    EXPECT_EQ(st.columnInt(1), word.toUtf8().size());
    EXPECT_EQ(st.columnUtf8(0), word.toUtf8());
}

TEST_F(StatementTest, LikeIgnoresAsciiCaseAndTreatsUnderscoreAsWildcard)
{
    Database db(path);
    struct Case {
        const char* pattern;
        int id;
    };
    for (const Case& c : {Case{"home", 1}, Case{"HOME", 1}, Case{"H_me", 1},
                          Case{"what's new", 3}, Case{"Useful%", 24}, Case{"Nowhere", 0}}) {
        Statement st(db, "SELECT wiki_id FROM WikiPages WHERE WikiWord LIKE?");
        st.bindText(1, QString::fromLatin1(c.pattern));
        st.step();
        EXPECT_EQ(st.columnInt(0), c.id) << c.pattern;
    }
}

TEST_F(StatementTest, ResetRunsTheStatementAgain)
{
    Database db(path);
    Statement st(db, "SELECT WikiWord FROM WikiPages WHERE wiki_id=?");
    st.bindInt(1, 2);
    st.step();
    EXPECT_EQ(st.columnText(0), QStringLiteral("Sandbox"));
    st.reset();
    EXPECT_EQ(st.columnText(0), QString());  // no row until stepped again
    st.bindInt(1, 3);
    st.step();
    EXPECT_EQ(st.columnText(0), QStringLiteral("What's New"));
}

TEST_F(StatementTest, PrepareErrorCarriesCodeAndMessage)
{
    Database db(path);
    try {
        Statement st(db, "SELECT Content FROM NoSuchTable");
        FAIL() << "prepared";
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_ERROR);
        EXPECT_STREQ(e.what(), "SQLite Error 1 - no such table: NoSuchTable");
    }
}

TEST_F(StatementTest, BindOutOfRangeRaises)
{
    Database db(path);
    Statement st(db, "SELECT wiki_id FROM WikiPages WHERE wiki_id=?");
    EXPECT_THROW(st.bindInt(2, 1), SqliteError);
    try {
        st.bindText(5, QStringLiteral("x"));
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_RANGE);
        EXPECT_STREQ(e.what(), "SQLite Error 25 - column index out of range");
    }
}

TEST_F(StatementTest, EveryStatementIsFinalizedAlsoOnErrors)
{
    Database db(path);
    {
        Statement ok(db, "SELECT 1");
        ok.step();
    }
    try {
        Statement st(db, "SELECT wiki_id FROM WikiPages WHERE wiki_id=?");
        st.bindInt(7, 1);
    } catch (const SqliteError&) {
    }
    try {
        Statement st(db, "INSERT INTO WikiPages (wiki_id, WikiWord) VALUES (1, 'Duplicate')");
        st.step();  // primary key taken
        FAIL() << "inserted a duplicate id";
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_CONSTRAINT);
    }
    EXPECT_EQ(sqlite3_next_stmt(db.handle(), nullptr), nullptr);
}

TEST_F(StatementTest, WriteLockedByAnotherConnectionFailsAfterEightAttempts)
{
    SecondConnection other(path);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE; UPDATE WikiPages SET Content='held' WHERE wiki_id=5"),
              SQLITE_OK);
    Database db(path);
    Statement st(db, "UPDATE WikiPages SET Content=? WHERE wiki_id=4");
    st.bindText(1, QStringLiteral("mine"));
    try {
        st.step();
        FAIL() << "the write went through a held lock";
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_BUSY);
        EXPECT_STREQ(e.what(), "SQLite Error 5 - database is locked");
    }
    EXPECT_EQ(st.lastAttempts(), kStepAttempts);
    EXPECT_EQ(kStepAttempts, 8);

    // Once the other connection lets go, the same statement goes through.
    ASSERT_EQ(other.exec("ROLLBACK"), SQLITE_OK);
    st.reset();
    st.bindText(1, QStringLiteral("mine"));
    EXPECT_FALSE(st.step());
    EXPECT_EQ(st.lastAttempts(), 1);
}

TEST_F(StatementTest, ExclusiveLockOfAnotherConnectionIsReportedAsLocked)
{
    SecondConnection other(path);
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    Database db(path);
    try {
        db.open();
        Statement st(db, "SELECT Content FROM WikiPages WHERE wiki_id=1");
        st.step();
        FAIL() << "read through an exclusive lock";
    } catch (const SqliteError& e) {
        EXPECT_STREQ(e.what(), "SQLite Error 5 - database is locked");
    }
    EXPECT_FALSE(db.isOpen());
    ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);
}

TEST(Database, OpensReadWriteWithoutCreating)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("quorvel.db3"));
    Database db(missing);
    EXPECT_FALSE(db.isOpen());
    const std::string expected =
        "SQLite Error 14 - unable to open database file \"" + missing.toStdString() + "\"";
    // Every action reports the same file-open error while the file is missing.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            Statement st(db, "SELECT 1");
            FAIL() << "prepared on a missing file";
        } catch (const SqliteError& e) {
            EXPECT_EQ(e.code(), SQLITE_CANTOPEN);
            EXPECT_EQ(e.what(), expected);
        }
        EXPECT_FALSE(db.isOpen());
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(Database, PreparingOnAClosedConnectionOpensIt)
{
    QTemporaryDir dir;
    const QString path = DatabaseFilePath(dir.path());
    SaveResourceAsFile(kDatabaseResourceName, kDatabaseResourceType, path);
    Database db(path);
    Statement st(db, "SELECT count(*) FROM WikiPages");
    EXPECT_TRUE(db.isOpen());
    st.step();
    EXPECT_EQ(st.columnInt(0), 24);
}

TEST(Database, FileThatIsNoDatabaseIsReportedAtOpenAndLeftAlone)
{
    QTemporaryDir dir;
    const QString path = DatabaseFilePath(dir.path());
    const QByteArray bytes("These are my notes, not a database.\n");
    WriteAll(path, bytes);
    Database db(path);
    try {
        db.open();
        FAIL() << "opened a text file";
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_NOTADB);
        EXPECT_STREQ(e.what(), "SQLite Error 26 - file is not a database");
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_THROW(Statement(db, "SELECT 1"), SqliteError);
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST(Database, DamagedFileIsReportedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString path = DatabaseFilePath(dir.path());
    SaveResourceAsFile(kDatabaseResourceName, kDatabaseResourceType, path);
    QByteArray bytes = ReadAll(path);
    // Overwrite the schema page after the header with garbage.
    for (int i = 100; i < 1024; ++i)
        bytes[i] = static_cast<char>(0xA5);
    WriteAll(path, bytes);
    Database db(path);
    try {
        db.open();
        Statement st(db, "SELECT Content FROM WikiPages WHERE wiki_id=1");
        st.step();
        FAIL() << "read a damaged file";
    } catch (const SqliteError& e) {
        EXPECT_EQ(e.code(), SQLITE_CORRUPT);
        EXPECT_STREQ(e.what(), "SQLite Error 11 - database disk image is malformed");
    }
    EXPECT_EQ(ReadAll(path), bytes);
}

}  // namespace
}  // namespace quorvel
