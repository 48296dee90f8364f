// Temporary wiki files for store tests.
#pragma once

#include "store/Resources.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorvel::test {

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A temporary folder holding a fresh copy of the template database.
class TemplateWiki : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = DatabaseFilePath(dir.path());
        SaveResourceAsFile(kDatabaseResourceName, kDatabaseResourceType, path);
    }

    QTemporaryDir dir;
    QString path;
};

}  // namespace quorvel::test
