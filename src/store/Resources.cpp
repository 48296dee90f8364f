#include "store/Resources.h"

#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel {

namespace {

// Embedded resources live in the Qt resource tree as ":/<type>/<name>".
QString ResourcePath(const QString& name, const QString& type)
{
    return QStringLiteral(":/%1/%2").arg(type, name);
}

QString JoinPath(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder + fileName;
    return folder + u'/' + fileName;
}

bool FileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

}  // namespace

QByteArray ResourceBytes(const QString& resourceName, const QString& resourceType)
{
    QFile resource(ResourcePath(resourceName, resourceType));
    if (!resource.open(QIODevice::ReadOnly))
        throw StoreError("Resource " + resourceName.toStdString() + " of type " +
                         resourceType.toStdString() + " not found");
    return resource.readAll();
}

void SaveResourceAsFile(const QString& resourceName, const QString& resourceType,
                        const QString& fileName)
{
    const QByteArray bytes = ResourceBytes(resourceName, resourceType);
    // Written to a temporary file and renamed into place, so a failed write
    // never leaves a truncated file that a later start would take as done.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError("Cannot create file \"" + QDir::toNativeSeparators(fileName).toStdString() +
                        "\". " + file.errorString().toStdString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw FileError("Cannot write file \"" + QDir::toNativeSeparators(fileName).toStdString() +
                        "\". " + file.errorString().toStdString());
}

void WriteMissingStartupFiles(const QString& folder)
{
    const QString logo = JoinPath(folder, QString::fromLatin1(kLogoFileName));
    if (!FileExists(logo))
        SaveResourceAsFile(kLogoResourceName, kLogoResourceType, logo);
    const QString database = DatabaseFilePath(folder);
    if (!FileExists(database))
        SaveResourceAsFile(kDatabaseResourceName, kDatabaseResourceType, database);
}

QString DatabaseFilePath(const QString& folder)
{
    return JoinPath(folder, QString::fromLatin1(kDatabaseFileName));
}

QString ExecutableFolder()
{
    return QCoreApplication::applicationDirPath() + u'/';
}

}  // namespace quorvel
