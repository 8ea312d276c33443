#pragma once

#include <QFont>
#include <QString>

// The fonts the windows are laid out with, Windows names ("Arial", "MS Sans Serif", "Times New
// Roman"...) or their metric-compatible Liberation fonts, mapped to installed families. Asking Qt
// for a family that is not installed makes it search every installed font, tens of milliseconds per
// name with thousands of fonts; asking for an installed stand-in costs nothing.
namespace UiFonts {

// The family itself when installed, else its first installed stand-in, else the installed family
// fontconfig matches to the name (an alias's target, or its best guess), so that Qt never has to
// search for one. Worked out once per name.
QString family(const QString &windowsName);

// The installed families the windows are laid out with, and the one fontconfig gives for the
// toolkit's default sans-serif font: the fonts Qt needs before any window opens.
QStringList windowFamilies();

// The installed family that stands for the desktop's general font (the list's "Default" entry),
// resolved as family() does.
QString desktopFamily();

// A font of that family, its height in pixels.
QFont pixelFont(const QString &windowsName, int pixelSize);

} // namespace UiFonts
