// The page-row statements against a small wiki file.
#include "store/Database.h"
#include "wiki/PageRows.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace quorvel {
namespace {

class PageRowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath("quorvel.db3");
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        const char* sql =
            "CREATE TABLE \"WikiPages\" (\"Content\" TEXT,\"CreatedBy\" TEXT,\"CreatedByDate\" "
            "REAL,\"wiki_id\" INTEGER PRIMARY KEY ,\"UpdatedBy\" TEXT,\"UpdatedByDate\" REAL,"
            "\"WikiWord\" TEXT);"
            "INSERT INTO WikiPages VALUES ('Welcome [[Topic Index]]','ann',2455578.5,1,'bob',"
            "2455579.5,'Home');"
            "INSERT INTO WikiPages VALUES ('Box','ann',2455578.5,2,NULL,NULL,'Sandbox');"
            "INSERT INTO WikiPages VALUES (char(10),'ann',2455578.5,3,NULL,NULL,'What''s New');"
            "INSERT INTO WikiPages VALUES ('* [[Sub A]]' || char(13,10) || '* [[Sub_B|label]]',"
            "'ann',2455578.5,4,NULL,NULL,'Topic Index');"
            "INSERT INTO WikiPages VALUES ('Caf\xc3\xa9 text [[Topic Index]]','ann',2455578.5,5,"
            "NULL,NULL,'Caf\xc3\xa9');"
            "INSERT INTO WikiPages VALUES ('','ann',2455578.5,6,NULL,NULL,'Empty');"
            "INSERT INTO WikiPages VALUES ('x','ann',2455578.5,7,NULL,NULL,'Sub_B');";
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
        sqlite3_close(raw);
        db = std::make_unique<Database>(path);
    }

    QTemporaryDir folder;
    QString path;
    std::unique_ptr<Database> db;
};

TEST_F(PageRowsTest, ReadsAPageById)
{
    const PageRow home = ReadPageById(*db, 1);
    EXPECT_EQ(home.wikiId, 1);
    EXPECT_EQ(home.wikiWord, "Home");
    EXPECT_EQ(home.content, "Welcome [[Topic Index]]");
    EXPECT_EQ(home.createdBy, "ann");
    EXPECT_EQ(home.createdByDate, 2455578.5);
    EXPECT_EQ(home.updatedBy, "bob");
    EXPECT_EQ(home.updatedByDate, 2455579.5);

    const PageRow box = ReadPageById(*db, 2);
    EXPECT_EQ(box.updatedBy, "");
    EXPECT_EQ(box.updatedByDate, 0.0);  // NULL reads as 0.0

    const PageRow none = ReadPageById(*db, 99);
    EXPECT_TRUE(none.content.isEmpty());
    EXPECT_TRUE(none.wikiWord.isEmpty());
}

TEST_F(PageRowsTest, ReadsAPageByTitleWithLike)
{
    const PageRow index = ReadPageByWord(*db, "topic index");
    EXPECT_EQ(index.wikiId, 4);
    EXPECT_TRUE(index.content.startsWith("* [[Sub A]]\r\n"));
    EXPECT_EQ(ReadPageByWord(*db, QString::fromUtf8("Caf\xc3\xa9")).wikiId, 5);
    EXPECT_EQ(ReadPageByWord(*db, "what's new").wikiId, 3);
    EXPECT_EQ(ReadPageByWord(*db, "Nowhere").wikiId, 0);
    EXPECT_TRUE(ReadPageByWord(*db, "Nowhere").content.isEmpty());
    // Empty stored text reads like a missing page.
    EXPECT_TRUE(ReadPageByWord(*db, "Empty").content.isEmpty());
    // "_" is a wildcard: the first row in table order that matches.
    EXPECT_EQ(ReadPageByWord(*db, "Sub_B").wikiId, 7);
    EXPECT_EQ(ReadPageByWord(*db, "%").wikiId, 1);
}

TEST_F(PageRowsTest, ReadsTextTitleAndId)
{
    EXPECT_EQ(ReadPageContent(*db, 2), "Box");
    EXPECT_EQ(ReadPageContent(*db, 99), "");
    EXPECT_EQ(ReadPageTitle(*db, 3), "What's New");
    EXPECT_EQ(ReadPageTitle(*db, 99), "");
    EXPECT_EQ(ReadWikiId(*db, "Topic Index", true), 4);
    EXPECT_EQ(ReadWikiId(*db, "topic index", true), 0);
    EXPECT_EQ(ReadWikiId(*db, "topic index", false), 4);
    EXPECT_EQ(ReadWikiId(*db, "Nowhere", false), 0);
}

TEST_F(PageRowsTest, FindsTheFirstPageLinkingToATitle)
{
    EXPECT_EQ(FindParentId(*db, "Topic Index"), "1");
    EXPECT_EQ(FindParentId(*db, "  Topic Index\r\n"), "1");  // trimmed
    EXPECT_EQ(FindParentId(*db, "Sub A"), "4");
    EXPECT_EQ(FindParentId(*db, "sub a"), "4");               // ASCII case ignored
    EXPECT_EQ(FindParentId(*db, "Sub_B"), "0");              // only "[[title]]" counts
    EXPECT_EQ(FindParentId(*db, "Home"), "0");
}

}  // namespace
}  // namespace quorvel
