// Resources carried inside the executable: the template database and the
// logo, written beside the executable on first start.
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

inline const char* const kLogoResourceName = "LOGO_JPG";
inline const char* const kLogoResourceType = "JPG";
inline const char* const kLogoFileName = "logo.jpg";
inline const char* const kDatabaseResourceName = "QUORVEL_DB3";
inline const char* const kDatabaseResourceType = "DBF";
inline const char* const kDatabaseFileName = "quorvel.db3";

// The bytes of an embedded resource; raises StoreError when there is none.
QByteArray ResourceBytes(const QString& resourceName, const QString& resourceType);

// Writes the resource byte for byte to `fileName`, creating or replacing it.
// Raises FileError when the file cannot be created or written.
void SaveResourceAsFile(const QString& resourceName, const QString& resourceType,
                        const QString& fileName);

// Start-up step: writes "logo.jpg", then "quorvel.db3", into `folder`, each
// only when no file of that name exists there (an existing file is neither
// read nor touched). Raises FileError on the first failure.
void WriteMissingStartupFiles(const QString& folder);

// "quorvel.db3" in `folder`.
QString DatabaseFilePath(const QString& folder);

// The executable's folder, ending with the path separator.
QString ExecutableFolder();

}  // namespace quorvel
