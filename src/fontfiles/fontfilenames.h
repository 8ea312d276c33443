#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// What a file's name says it holds, and the names archive entries are unpacked under.
namespace FontFileNames {

// A font file by its extension (.ttf, .otf, .woff2, .pcf.gz ...), ignoring case.
bool isFontFile(QStringView name);
// A ZIP archive, the one kind of archive opened.
bool isZipArchive(QStringView name);
// Any archive, ZIP or another kind: one inside an archive is not followed.
bool isArchive(QStringView name);

// The file name an archive entry is unpacked under, whatever its path says: the last part of its
// path (folders, "..", a leading "/" and drive letters left out), UTF-8 read with invalid bytes
// replaced, control characters and line breaks as "_", cut to a length every file system takes
// (its extension kept). Empty when nothing is left.
QString safeFileName(QByteArrayView entryPath);

} // namespace FontFileNames
