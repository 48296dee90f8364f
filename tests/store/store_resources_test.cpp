#include "store/Resources.h"
#include "store/StoreError.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <set>

namespace quorvel {
namespace {

using test::ReadAll;
using test::WriteAll;

QByteArray Logo() { return ResourceBytes(kLogoResourceName, kLogoResourceType); }
QByteArray Template() { return ResourceBytes(kDatabaseResourceName, kDatabaseResourceType); }

TEST(StartupFiles, FirstStartWritesBothFilesIdenticalToTheResources)
{
    QTemporaryDir dir;
    WriteMissingStartupFiles(dir.path());
    EXPECT_EQ(ReadAll(dir.filePath("logo.jpg")), Logo());
    EXPECT_EQ(ReadAll(dir.filePath("quorvel.db3")), Template());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"logo.jpg", "quorvel.db3"}));
}

TEST(StartupFiles, ExistingFilesAreNeverTouched)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("logo.jpg"), "my own picture");
    WriteAll(dir.filePath("quorvel.db3"), "my own wiki");
    const QDateTime stamp = QFileInfo(dir.filePath("quorvel.db3")).lastModified();
    WriteMissingStartupFiles(dir.path());
    EXPECT_EQ(ReadAll(dir.filePath("logo.jpg")), QByteArray("my own picture"));
    EXPECT_EQ(ReadAll(dir.filePath("quorvel.db3")), QByteArray("my own wiki"));
    EXPECT_EQ(QFileInfo(dir.filePath("quorvel.db3")).lastModified(), stamp);
}

TEST(StartupFiles, OnlyTheMissingFileIsWritten)
{
    QTemporaryDir dir;
    WriteAll(dir.filePath("quorvel.db3"), "replaced");
    WriteMissingStartupFiles(dir.path());
    EXPECT_EQ(ReadAll(dir.filePath("logo.jpg")), Logo());
    EXPECT_EQ(ReadAll(dir.filePath("quorvel.db3")), QByteArray("replaced"));
}

TEST(StartupFiles, FolderThatCannotBeWrittenReportsTheFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("no such folder");
    try {
        WriteMissingStartupFiles(folder);
        FAIL() << "wrote into a missing folder";
    } catch (const FileError& e) {
        const QString message = QString::fromUtf8(e.what());
        EXPECT_TRUE(message.startsWith("Cannot create file \"" + folder + "/logo.jpg\". "))
            << e.what();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(StartupFiles, SaveResourceAsFileReplacesAndUnknownResourcesRaise)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("copy.jpg");
    WriteAll(path, QByteArray(10000, 'x'));
    SaveResourceAsFile(kLogoResourceName, kLogoResourceType, path);
    EXPECT_EQ(ReadAll(path), Logo());
    EXPECT_THROW(SaveResourceAsFile("NO_SUCH", "JPG", dir.filePath("x")), StoreError);
    EXPECT_FALSE(QFile::exists(dir.filePath("x")));
}

TEST(Logo, IsA64By64Jpeg)
{
    const QByteArray jpeg = Logo();
    ASSERT_GT(jpeg.size(), 4);
    EXPECT_EQ(static_cast<unsigned char>(jpeg[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(jpeg[1]), 0xD8);
    // Walk the markers to the frame header, which holds height and width.
    int pos = 2, width = 0, height = 0;
    while (pos + 9 < jpeg.size()) {
        ASSERT_EQ(static_cast<unsigned char>(jpeg[pos]), 0xFF);
        const unsigned char marker = static_cast<unsigned char>(jpeg[pos + 1]);
        const int length = (static_cast<unsigned char>(jpeg[pos + 2]) << 8) |
                           static_cast<unsigned char>(jpeg[pos + 3]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            height = (static_cast<unsigned char>(jpeg[pos + 5]) << 8) |
                     static_cast<unsigned char>(jpeg[pos + 6]);
            width = (static_cast<unsigned char>(jpeg[pos + 7]) << 8) |
                    static_cast<unsigned char>(jpeg[pos + 8]);
            break;
        }
        pos += 2 + length;
    }
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
}

// The template database, opened read-only with the raw API.
class TemplateDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath("quorvel.db3");
        WriteAll(path, Template());
        ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(db); }

    // Each row as its columns joined by '|' (NULL as "<null>").
    std::vector<QString> Rows(const char* sql)
    {
        std::vector<QString> rows;
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), SQLITE_OK) << sql;
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
                columns << (text ? QString::fromUtf8(text, sqlite3_column_bytes(st, i))
                                 : QStringLiteral("<null>"));
            }
            rows.push_back(columns.join(u'|'));
        }
        sqlite3_finalize(st);
        return rows;
    }
    QString One(const char* sql)
    {
        const auto rows = Rows(sql);
        return rows.empty() ? QString() : rows.front();
    }

    QTemporaryDir dir;
    QString path;
    sqlite3* db = nullptr;
};

TEST_F(TemplateDatabase, SchemaIsExactlyTheFourTables)
{
    const std::vector<QString> expected = {
        R"(table|WikiPages|CREATE TABLE "WikiPages" ("Content" TEXT,"CreatedBy" TEXT,"CreatedByDate" REAL,"wiki_id" INTEGER PRIMARY KEY ,"UpdatedBy" TEXT,"UpdatedByDate" REAL,"WikiWord" TEXT))",
        R"(table|WikiPagesHx|CREATE TABLE "WikiPagesHx" ("Content" TEXT,"id" INTEGER PRIMARY KEY ,"wiki_id" INTEGER,"UpdatedBy" TEXT,"UpdatedByDate" REAL,"WikiWord" TEXT))",
        R"(table|WikiAttachment|CREATE TABLE "WikiAttachment" ("Content" BLOB,"id" INTEGER PRIMARY KEY ,"wiki_id" INTEGER))",
        R"(table|sqlite_stat1|CREATE TABLE sqlite_stat1(tbl,idx,stat))",
    };
    EXPECT_EQ(Rows("SELECT type, name, sql FROM sqlite_master ORDER BY rowid"), expected);
    EXPECT_EQ(One("PRAGMA page_size"), "1024");
    EXPECT_EQ(One("PRAGMA encoding"), "UTF-8");
    EXPECT_EQ(One("SELECT count(*) FROM sqlite_stat1"), "0");
    EXPECT_EQ(One("SELECT count(*) FROM WikiPagesHx"), "0");
}

TEST_F(TemplateDatabase, HoldsTheSpecialPagesAndTwentyFourRows)
{
    EXPECT_EQ(One("SELECT count(*), min(wiki_id), max(wiki_id) FROM WikiPages"), "24|1|24");
    EXPECT_EQ(Rows("SELECT wiki_id, WikiWord FROM WikiPages WHERE wiki_id <= 3"),
              (std::vector<QString>{"1|Home", "2|Sandbox", "3|What's New"}));
    EXPECT_EQ(One("SELECT hex(Content) FROM WikiPages WHERE wiki_id = 3"), "0A");
}

TEST_F(TemplateDatabase, StampsAreJanuary2011AndTopicPagesWereNeverUpdated)
{
    // 1 January 2011 is 2455562.5; every stamp is a whole day plus one half.
    EXPECT_EQ(One("SELECT count(*) FROM WikiPages WHERE CreatedBy <> '' AND "
                  "CreatedByDate BETWEEN 2455562.5 AND 2455592.5 AND "
                  "CreatedByDate - 0.5 = CAST(CreatedByDate AS INTEGER)"),
              "24");
    EXPECT_EQ(One("SELECT count(*) FROM WikiPages WHERE wiki_id BETWEEN 4 AND 23 AND "
                  "UpdatedBy IS NULL AND UpdatedByDate IS NULL"),
              "20");
}

TEST_F(TemplateDatabase, PageTextEndsLinesWithCrLf)
{
    EXPECT_EQ(One("SELECT count(*) FROM WikiPages WHERE wiki_id <> 3 AND "
                  "instr(Content, char(13, 10)) > 0 AND "
                  "instr(replace(Content, char(13, 10), ''), char(10)) = 0 AND "
                  "instr(replace(Content, char(13, 10), ''), char(13)) = 0"),
              "23");
}

TEST_F(TemplateDatabase, AttachmentRowHoldsTheLogo)
{
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT id, wiki_id, Content FROM WikiAttachment", -1, &st,
                                 nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    EXPECT_EQ(sqlite3_column_int(st, 1), 1);
    const QByteArray blob(static_cast<const char*>(sqlite3_column_blob(st, 2)),
                          sqlite3_column_bytes(st, 2));
    EXPECT_EQ(blob, Logo());
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
}

// The page links ("[[target]]" or "[[target|text]]") of a page.
QStringList Links(const QString& content)
{
    QStringList links;
    static const QRegularExpression link(QStringLiteral(R"(\[\[([^|\]]+)(\|[^\]]*)?\]\])"));
    for (auto it = link.globalMatch(content); it.hasNext();)
        links << it.next().captured(1).trimmed();
    return links;
}

TEST_F(TemplateDatabase, HomeLinksSixTopicsWhatsNewAndTheSandbox)
{
    const QString home = One("SELECT Content FROM WikiPages WHERE wiki_id = 1");
    const QStringList links = Links(home);
    EXPECT_EQ(links.size(), 8);
    EXPECT_TRUE(links.contains("What's New"));
    EXPECT_TRUE(links.contains("Sandbox"));
    std::set<QString> titles;
    for (const QString& row : Rows("SELECT WikiWord FROM WikiPages"))
        titles.insert(row);
    for (const QString& target : links)
        EXPECT_TRUE(titles.count(target)) << target.toStdString();
    // A welcome paragraph comes before the links.
    EXPECT_TRUE(home.startsWith("Welcome"));
}

TEST_F(TemplateDatabase, SandboxShowsEveryMarkupConstruct)
{
    const QString sandbox = One("SELECT Content FROM WikiPages WHERE wiki_id = 2");
    struct Construct {
        const char* name;
        const char* pattern;  // a line-anchored regular expression
    };
    const Construct constructs[] = {
        {"heading", R"(^== .+ ==\r$)"},
        {"bold", R"(\*\*\w.*\*\*)"},
        {"italic", R"(//\w.*//)"},
        {"underline", R"(__\w.*__)"},
        {"superscript", R"(\^\^\w.*\^\^)"},
        {"subscript", R"(,,\w.*,,)"},
        {"monospace", R"(##\w.*##)"},
        {"forced line break", R"(\S\\\\\S)"},
        {"escape", R"(~\*\*)"},
        {"bullet list", R"(^\* \w)"},
        {"nested bullet", R"(^\*\* \w)"},
        {"numbered list", R"(^# \w)"},
        {"nested number", R"(^## \w)"},
        {"definition", R"(^; \w.*\r\n: \w)"},
        {"indent", R"(^:: \w)"},
        {"preformatted", R"(^\{\{\{\r\n(.*\r\n)+\}\}\}\r$)"},
        {"table header", R"(^\|= .*\|$|^\|= .*\|\r$)"},
        {"table cell", R"(^\| .*\|\r$)"},
        {"rule", R"(^----\r$)"},
        {"page link", R"(\[\[Getting Started\]\])"},
        {"link with text", R"(\[\[How To\|.+\]\])"},
        {"file link", R"(\[\[\w+\.txt\]\])"},
        {"web link", R"(\[\[http://.+\|.+\]\])"},
        {"picture", R"(\{\{logo\.jpg\|.+\}\})"},
    };
    for (const Construct& c : constructs) {
        const QRegularExpression re(QString::fromLatin1(c.pattern),
                                    QRegularExpression::MultilineOption);
        EXPECT_TRUE(re.match(sandbox).hasMatch()) << c.name;
    }
}

TEST_F(TemplateDatabase, TopicIndexPagesHoldIndentedLinks)
{
    for (int id = 4; id <= 9; ++id) {
        const std::string sql =
            "SELECT Content FROM WikiPages WHERE wiki_id = " + std::to_string(id);
        const QString content = One(sql.c_str());
        const QRegularExpression indented(QStringLiteral(R"(^: \[\[.+\]\]\r$)"),
                                          QRegularExpression::MultilineOption);
        EXPECT_GE(content.count(indented), 2) << id;
    }
    EXPECT_EQ(One("SELECT count(*) FROM WikiPages WHERE WikiWord = 'Useful Web Sites' AND "
                  "Content LIKE '%[[http://%'"),
              "1");
}

}  // namespace
}  // namespace quorvel
