#pragma once

#include <QIcon>
#include <QString>

// One of the program's own icons (src/resources/icons), with its double-size drawing. Qt adds an
// "@2x" file by itself only when a scaled screen is there as the icon is made: added here in any
// case, a scaled screen plugged in later takes it too, instead of the small drawing blown up.
inline QIcon drawnIcon(const char *name)
{
    const QString path = QStringLiteral(":/icons/") + QLatin1String(name);
    QIcon icon;
    icon.addFile(path + QStringLiteral(".xpm"));
    icon.addFile(path + QStringLiteral("@2x.xpm"));
    return icon;
}
