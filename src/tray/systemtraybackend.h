#pragma once

#include "traybackend.h"

#include <QSystemTrayIcon>
#include <QTimer>

// The desktop's notification area through Qt: StatusNotifierItem over D-Bus where the desktop
// has it, the X11 system tray protocol otherwise. Qt docks the icon again by itself when the
// tray host restarts, but says nothing when the host goes: while that is watched for, the host is
// looked for every second.
class SystemTrayBackend : public TrayBackend
{
    Q_OBJECT

public:
    explicit SystemTrayBackend(QObject *parent = nullptr);

    bool isAvailable() const override;
    bool showIcon() override;
    void removeIcon() override;
    void setIcon(const QIcon &icon) override;
    void setToolTip(const QString &text) override;
    void setContextMenu(QMenu *menu) override;
    void setHostWatched(bool watched) override;

private:
    void watchHost();

    QSystemTrayIcon m_icon;
    QTimer m_hostWatch;
    bool m_hostPresent = false;
};
