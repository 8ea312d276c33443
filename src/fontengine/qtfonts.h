#pragma once

#include <QString>
#include <QStringList>

// The fonts Qt's own font database is given. Qt reads every font of fontconfig's current
// configuration and has fontconfig weigh them all at each new font it opens; with thousands of
// fonts installed that costs most of a second at start and milliseconds per font. The list draws
// with its own engine from the whole configuration, so Qt is given only what the windows need,
// and a family more whenever a window hands one to Qt.
namespace QtFonts {

// Before the QApplication exists: keeps the whole configuration for the list and makes current
// one holding only the faces of these families (the windows' fonts) and the user's rules.
void useWindowFontsOnly(const QStringList &families);

// Whether Qt was given the windows' fonts only.
bool windowFontsOnly();

// Makes a family's faces known to Qt, once; nothing when Qt knows every installed font already.
void ensureFamily(const QString &family);

// Gives Qt the fonts that fontconfig falls back on for characters the windows' fonts lack (text
// typed into the sample box), once. Costs a sort of every installed font: run it when idle.
void addFallbacks();

} // namespace QtFonts
