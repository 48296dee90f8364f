// Starts the real program from a copy in an empty folder: it writes its
// two files beside itself and keeps running with its window up.
#include "store/Resources.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WaitForFiles(const QStringList& paths, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        bool all = true;
        for (const QString& path : paths)
            all = all && QFile::exists(path);
        if (all)
            return true;
        QThread::msleep(20);
    }
    return false;
}

class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        program = dir.filePath("quorvel");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVEL_EXECUTABLE), program));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void Start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QDir::tempPath());  // not the program's folder
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    QTemporaryDir dir;
    QString program;
    QProcess process;
};

TEST_F(ProgramStart, WritesTheTemplateAndLogoBesideItself)
{
    Start();
    const QString db = dir.filePath("quorvel.db3"), logo = dir.filePath("logo.jpg");
    ASSERT_TRUE(WaitForFiles({db, logo}, 20000));
    // Still running: the window is up and waits for the user.
    EXPECT_FALSE(process.waitForFinished(500));
    process.kill();
    process.waitForFinished(10000);
    EXPECT_EQ(ReadAll(db), ResourceBytes(kDatabaseResourceName, kDatabaseResourceType));
    EXPECT_EQ(ReadAll(logo), ResourceBytes(kLogoResourceName, kLogoResourceType));
}

TEST_F(ProgramStart, SecondStartLeavesTheFilesAlone)
{
    {
        QFile db(dir.filePath("quorvel.db3"));
        ASSERT_TRUE(db.open(QIODevice::WriteOnly));
        db.write("someone else's file");
    }
    {
        QFile logo(dir.filePath("logo.jpg"));
        ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
        logo.write("another picture");
    }
    Start();
    // The program reports the foreign file and keeps running.
    EXPECT_FALSE(process.waitForFinished(1500));
    EXPECT_EQ(ReadAll(dir.filePath("quorvel.db3")), QByteArray("someone else's file"));
    EXPECT_EQ(ReadAll(dir.filePath("logo.jpg")), QByteArray("another picture"));
}

}  // namespace
}  // namespace quorvel
