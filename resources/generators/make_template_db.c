/* Builds the template database from its SQL source and the logo picture.
 * Usage: quorvel_make_template <output.db3> <template.sql> <logo.jpg>
 *
 * Runs the SQL (page size, encoding, the four tables, the starter pages),
 * stores the logo as attachment row 1 of page 1, and checks the result: the
 * schema holds exactly the four tables, the page size is 1024, the encoding
 * UTF-8, and there are 24 pages. Any failure removes the output and exits
 * non-zero, so a broken template never gets embedded. */
#include <sqlite3.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char* const kExpectedSchema[] = {
    "CREATE TABLE \"WikiPages\" (\"Content\" TEXT,\"CreatedBy\" TEXT,\"CreatedByDate\" REAL,"
    "\"wiki_id\" INTEGER PRIMARY KEY ,\"UpdatedBy\" TEXT,\"UpdatedByDate\" REAL,\"WikiWord\" TEXT)",
    "CREATE TABLE \"WikiPagesHx\" (\"Content\" TEXT,\"id\" INTEGER PRIMARY KEY ,\"wiki_id\" INTEGER,"
    "\"UpdatedBy\" TEXT,\"UpdatedByDate\" REAL,\"WikiWord\" TEXT)",
    "CREATE TABLE \"WikiAttachment\" (\"Content\" BLOB,\"id\" INTEGER PRIMARY KEY ,\"wiki_id\" INTEGER)",
    "CREATE TABLE sqlite_stat1(tbl,idx,stat)",
};
enum { kExpectedTables = 4, kExpectedPages = 24, kPageSize = 1024 };

static char* ReadFile(const char* path, long* size)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return NULL;
    char* data = NULL;
    if (fseek(f, 0, SEEK_END) == 0) {
        long n = ftell(f);
        if (n >= 0 && fseek(f, 0, SEEK_SET) == 0) {
            data = malloc((size_t)n + 1);
            if (data && fread(data, 1, (size_t)n, f) == (size_t)n) {
                data[n] = '\0';
                *size = n;
            } else {
                free(data);
                data = NULL;
            }
        }
    }
    fclose(f);
    return data;
}

static int Fail(sqlite3* db, const char* what)
{
    fprintf(stderr, "template database: %s: %s\n", what, db ? sqlite3_errmsg(db) : "");
    return 1;
}

static int QueryInt(sqlite3* db, const char* sql, int* value)
{
    sqlite3_stmt* stmt = NULL;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, NULL);
    if (rc == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        *value = sqlite3_column_int(stmt, 0);
    else
        rc = SQLITE_ERROR;
    sqlite3_finalize(stmt);
    return rc;
}

static int InsertLogo(sqlite3* db, const char* logo, long size)
{
    sqlite3_stmt* stmt = NULL;
    int rc = sqlite3_prepare_v2(
        db, "INSERT INTO WikiAttachment (id, wiki_id, Content) VALUES (1, 1, ?)", -1, &stmt, NULL);
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_blob(stmt, 1, logo, (int)size, SQLITE_STATIC);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR;
    sqlite3_finalize(stmt);
    return rc;
}

/* 0 when sqlite_master holds exactly the expected tables, in order, and
 * nothing else (no index, view or trigger). */
static int CheckSchema(sqlite3* db)
{
    sqlite3_stmt* stmt = NULL;
    if (sqlite3_prepare_v2(db, "SELECT type, sql FROM sqlite_master ORDER BY rowid", -1, &stmt,
                           NULL) != SQLITE_OK)
        return Fail(db, "reading the schema");
    int count = 0, bad = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const char* type = (const char*)sqlite3_column_text(stmt, 0);
        const char* sql = (const char*)sqlite3_column_text(stmt, 1);
        if (count >= kExpectedTables || !type || strcmp(type, "table") != 0 || !sql ||
            strcmp(sql, kExpectedSchema[count]) != 0) {
            fprintf(stderr, "template database: unexpected schema entry %d: %s\n", count,
                    sql ? sql : "(null)");
            bad = 1;
        }
        ++count;
    }
    sqlite3_finalize(stmt);
    if (count != kExpectedTables) {
        fprintf(stderr, "template database: %d schema entries, expected %d\n", count,
                kExpectedTables);
        bad = 1;
    }
    return bad;
}

static int Build(sqlite3* db, const char* sql, const char* logo, long logoSize)
{
    char* error = NULL;
    if (sqlite3_exec(db, sql, NULL, NULL, &error) != SQLITE_OK) {
        fprintf(stderr, "template database: running the SQL source: %s\n", error);
        sqlite3_free(error);
        return 1;
    }
    if (InsertLogo(db, logo, logoSize) != SQLITE_OK)
        return Fail(db, "storing the logo");
    if (sqlite3_exec(db, "VACUUM", NULL, NULL, NULL) != SQLITE_OK)
        return Fail(db, "compacting");
    if (CheckSchema(db))
        return 1;
    int pageSize = 0, pages = 0, statRows = -1;
    if (QueryInt(db, "PRAGMA page_size", &pageSize) != SQLITE_OK || pageSize != kPageSize)
        return Fail(db, "page size is not 1024");
    if (QueryInt(db, "SELECT count(*) FROM WikiPages", &pages) != SQLITE_OK ||
        pages != kExpectedPages)
        return Fail(db, "the template must hold 24 pages");
    if (QueryInt(db, "SELECT count(*) FROM sqlite_stat1", &statRows) != SQLITE_OK || statRows != 0)
        return Fail(db, "sqlite_stat1 must be empty");
    return 0;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s <output.db3> <template.sql> <logo.jpg>\n", argv[0]);
        return 2;
    }
    const char* output = argv[1];
    long sqlSize = 0, logoSize = 0;
    char* sql = ReadFile(argv[2], &sqlSize);
    char* logo = ReadFile(argv[3], &logoSize);
    if (!sql || !logo) {
        fprintf(stderr, "template database: cannot read %s\n", sql ? argv[3] : argv[2]);
        free(sql);
        free(logo);
        return 1;
    }
    remove(output);
    sqlite3* db = NULL;
    int failed = sqlite3_open_v2(output, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, NULL) !=
                 SQLITE_OK;
    if (failed)
        Fail(db, "creating the file");
    else
        failed = Build(db, sql, logo, logoSize);
    if (sqlite3_close(db) != SQLITE_OK)
        failed = 1;
    free(sql);
    free(logo);
    if (failed)
        remove(output);
    return failed ? 1 : 0;
}
