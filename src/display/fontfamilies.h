#pragma once

#include <QStringList>

// The system font list: "Default" plus every installed family, sorted ignoring case.
namespace FontFamilies {

// The entry that stands for the toolkit's default font.
inline const QString DefaultEntry = QStringLiteral("Default");

// Builds the list from family names in the order the system enumerates them: "Default" first,
// a name equal (ignoring case) to the one added just before it skipped, the generic aliases that
// name no installed family ("Sans Serif", "Serif", "Monospace") left out, then everything sorted
// ignoring case.
QStringList build(const QStringList &enumerated);

// build() over the families fontconfig knows.
QStringList installed();

// The order of the list, shared by every control that lists font names.
bool lessIgnoringCase(const QString &a, const QString &b);

} // namespace FontFamilies
