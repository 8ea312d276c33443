#pragma once

#include <QObject>

class QIcon;
class QMenu;

// The desktop's notification area as TTrayIcon sees it: an icon that can be put there and taken
// away, and the clicks on it. The system one speaks to the desktop's tray host; tests use their
// own.
class TrayBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether a notification area is there to take the icon now.
    virtual bool isAvailable() const = 0;
    // Puts the icon in the notification area; false when there is none.
    virtual bool showIcon() = 0;
    virtual void removeIcon() = 0;
    virtual void setIcon(const QIcon &icon) = 0;
    virtual void setToolTip(const QString &text) = 0;
    // The menu the notification area opens on a right click or the menu key.
    virtual void setContextMenu(QMenu *menu) = 0;
    // Whether hostLost() is wanted now: only while the window is off the screen, since finding
    // out may cost a question to the desktop each time.
    virtual void setHostWatched(bool watched) { Q_UNUSED(watched) }

Q_SIGNALS:
    void leftClicked();
    void doubleClicked();
    // The notification area that held the icon has gone (its host ended or crashed).
    void hostLost();
};
