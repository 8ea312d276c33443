#pragma once

#include "facemetadata.h"

#include <QString>
#include <QStringList>

// The "Informations" page of a family: what its files say, in French, as HTML in which nothing a
// font says is read as markup (its texts are escaped, and only web addresses become links).
namespace FontInformation {

struct Face
{
    QString path;
    bool exists = true;
    std::optional<FaceMetadata> metadata; // none: the file could not be read
};

// OS/2 fsType in words: "Installable", "Incorporation interdite"...
QString embeddingInWords(quint16 fsType);

// face: the one whose texts are shown (the face the lines use); languages: fontconfig's for it,
// named in French; files: every face of the family.
QString html(const QString &family, const Face &face, const QStringList &languages,
             const QList<Face> &files);

} // namespace FontInformation
