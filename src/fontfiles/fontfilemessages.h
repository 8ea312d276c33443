#pragma once

#include <QString>

// The French texts of opening font files, in one place.
namespace FontFileMessages {

// "12 fichiers ignorés : ce ne sont pas des polices", in the singular for 0 and 1.
QString skippedCaption(int count);

QString notFound(const QString &path);
QString unreadable(const QString &path);
QString removedSinceListed(const QString &path);
QString cannotWrite(const QString &path);

// The archive stops at the first of these; what came out of it before stays.
QString damagedArchive(const QString &archive);
QString archiveTooLarge(const QString &archive);
QString tooManyEntries(const QString &archive);
QString entryTooLarge(const QString &archive, const QString &entry);

} // namespace FontFileMessages
