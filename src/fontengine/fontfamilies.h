#pragma once

#include <QFont>
#include <QStringList>

// The system font list: "Default" plus every installed family, sorted alphabetically ignoring
// case.
namespace FontFamilies {

// The entry that stands for the toolkit's default font.
inline const QString DefaultEntry = QStringLiteral("Default");

// Builds the list from family names in the order the system enumerates them: "Default" first,
// a name equal (ignoring case) to the one added just before it skipped, the generic aliases that
// name no installed family ("Sans Serif", "Serif", "Monospace") left out, then everything sorted
// alphabetically ignoring case, as the locale orders words.
QStringList build(const QStringList &enumerated);

// Family names sorted alphabetically ignoring case, as the locale orders words.
QStringList sorted(QStringList families);

// build() over the installed families, one entry per family name, as fontconfig lists them
// (whatever fonts Qt itself has been given).
QStringList installed();

// The name Qt knows the family by. Qt 6.4 reads "Name [Text]" in any family it is asked for
// as a family and a foundry, so such a family's fonts are registered with Qt once more, under a
// name of the program's own, the first time it is asked for.
QString qtFamilyName(const QString &family);

// A font of exactly this family, its faces given to Qt when it did not have them. Never
// QFont(QString), which reads commas as a list of families and drops quotes.
QFont familyFont(const QString &family);

// The installed family an entry of the list is drawn in: the entry itself, or for "Default" the
// family that stands for the desktop's general font (UiFonts::desktopFamily()).
QString entryFamily(const QString &entry);

// A font of the family an entry is drawn in (entryFamily()).
QFont entryFont(const QString &entry);

} // namespace FontFamilies
