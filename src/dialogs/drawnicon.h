#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QString>

#include <functional>

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

// An icon painted in code, no font needed, on a square of 16 pixels; painted at twice the size
// too for screens that scale.
inline QIcon paintedIcon(const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
