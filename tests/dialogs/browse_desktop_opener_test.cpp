// Opening targets with the desktop's handler: xdg-open's exit status becomes
// the result code. A stand-in xdg-open on PATH plays the handler, so no real
// program starts.
#include "dialogs/DesktopOpener.h"
#include "dialogs/Prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(DesktopOpener, ExitStatusesMapToResultCodes)
{
    EXPECT_EQ(OpenerExitResult(0), kOpenSucceeded);
    EXPECT_EQ(OpenerExitResult(2), kOpenFileNotFound);
    EXPECT_EQ(OpenerExitResult(3), kOpenNoAssociation);
    EXPECT_EQ(OpenerExitResult(1), 1);
    EXPECT_EQ(OpenerExitResult(4), 4);
    EXPECT_TRUE(OpenTargetResult{OpenerExitResult(0)}.succeeded());
    EXPECT_FALSE(OpenTargetResult{OpenerExitResult(4)}.succeeded());
}

class FakeOpener : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        savedPath = qgetenv("PATH");
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // An xdg-open that records its argument and runs `body`.
    void Install(const QByteArray& body)
    {
        QFile script(folder.filePath("xdg-open"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"" + folder.filePath("arg").toUtf8()
                     + "\"\n" + body + "\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", folder.path().toUtf8() + ":" + savedPath);
    }

    QString Argument()
    {
        QFile file(folder.filePath("arg"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir folder;
    QByteArray savedPath;
};

TEST_F(FakeOpener, ReportsTheHandlersOutcome)
{
    Install("exit 0");
    EXPECT_EQ(RunDesktopOpener("/tmp/some file.pdf"), kOpenSucceeded);
    EXPECT_EQ(Argument(), "/tmp/some file.pdf");

    Install("exit 3");
    EXPECT_EQ(RunDesktopOpener("/tmp/x.unknownext"), kOpenNoAssociation);

    Install("exit 4");
    EXPECT_EQ(RunDesktopOpener("http://example.org"), 4);
}

TEST_F(FakeOpener, AHandlerThatKeepsRunningCountsAsOpened)
{
    Install("sleep 5");
    EXPECT_EQ(RunDesktopOpener("/tmp/a.txt", 100), kOpenSucceeded);
}

TEST_F(FakeOpener, NoOpenerMeansNoApplication)
{
    qputenv("PATH", folder.path().toUtf8());  // holds no xdg-open
    EXPECT_EQ(RunDesktopOpener("/tmp/a.txt"), kOpenNoAssociation);
}

}  // namespace
}  // namespace quorvel
