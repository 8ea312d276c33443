#include "fontfilemessages.h"

#include <QLocale>

namespace FontFileMessages {

QString skippedCaption(int count)
{
    const QString number = QLocale(QLocale::French).toString(count);
    // French puts 0 and 1 in the singular.
    if (count <= 1)
        return QStringLiteral("%1 fichier ignoré : ce n'est pas une police").arg(number);
    return QStringLiteral("%1 fichiers ignorés : ce ne sont pas des polices").arg(number);
}

QString notFound(const QString &path)
{
    return QStringLiteral("Introuvable : %1").arg(path);
}

QString unreadable(const QString &path)
{
    return QStringLiteral("Impossible de lire %1").arg(path);
}

QString removedSinceListed(const QString &path)
{
    return QStringLiteral("Le fichier %1 a disparu avant d'être lu").arg(path);
}

QString cannotWrite(const QString &path)
{
    return QStringLiteral("Impossible d'écrire dans %1").arg(path);
}

QString damagedArchive(const QString &archive)
{
    return QStringLiteral("L'archive %1 est endommagée : seules les polices lues avant sont "
                          "ouvertes")
        .arg(archive);
}

QString archiveTooLarge(const QString &archive)
{
    return QStringLiteral("L'archive %1 se décompresse en bien plus de données qu'elle n'en "
                          "contient : seules les polices lues avant sont ouvertes")
        .arg(archive);
}

QString tooManyEntries(const QString &archive)
{
    return QStringLiteral("L'archive %1 contient trop de fichiers : seules les polices lues "
                          "avant sont ouvertes")
        .arg(archive);
}

QString entryTooLarge(const QString &archive, const QString &entry)
{
    return QStringLiteral("Le fichier %1 de l'archive %2 est trop gros pour une police : seules "
                          "les polices lues avant sont ouvertes")
        .arg(entry, archive);
}

} // namespace FontFileMessages
