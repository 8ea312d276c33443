#pragma once

#include "traybackend.h"

#include <QIcon>

// A notification area the test controls: whether it is there, what it was asked, and clicks.
class FakeTray : public TrayBackend
{
    Q_OBJECT

public:
    bool available = true;
    bool iconVisible = false;
    int showCalls = 0;
    QString toolTip;
    QMenu *menu = nullptr;
    // Outlives the fake: whether the icon is in the tray.
    bool *iconWatcher = nullptr;

    bool isAvailable() const override { return available; }
    bool showIcon() override
    {
        ++showCalls;
        setVisible(available);
        return available;
    }
    void removeIcon() override { setVisible(false); }
    void setIcon(const QIcon &) override { }
    void setToolTip(const QString &text) override { toolTip = text; }
    void setContextMenu(QMenu *contextMenu) override { menu = contextMenu; }

    void setVisible(bool visible)
    {
        iconVisible = visible;
        if (iconWatcher)
            *iconWatcher = visible;
    }
    void leftClick() { Q_EMIT leftClicked(); }
    // The tray host ends: the icon has nowhere to be.
    void loseHost()
    {
        available = false;
        Q_EMIT hostLost();
    }
    // What the desktop reports for a double click: the first click, then the double click.
    void doubleClick()
    {
        Q_EMIT leftClicked();
        Q_EMIT doubleClicked();
    }
};
