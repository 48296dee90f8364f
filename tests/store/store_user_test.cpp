#include "store/UserName.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(UserName, IsTheEffectiveUsersLoginName)
{
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-un")});
    ASSERT_TRUE(id.waitForFinished(5000));
    const QString expected = QString::fromUtf8(id.readAllStandardOutput()).trimmed();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(GetUserFromWindows(), expected);
}

}  // namespace
}  // namespace quorvel
