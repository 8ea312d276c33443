#include "systemtraybackend.h"

SystemTrayBackend::SystemTrayBackend(QObject *parent)
    : TrayBackend(parent)
{
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    Q_EMIT leftClicked();
                else if (reason == QSystemTrayIcon::DoubleClick)
                    Q_EMIT doubleClicked();
            });
    m_hostWatch.setInterval(1000);
    connect(&m_hostWatch, &QTimer::timeout, this, &SystemTrayBackend::watchHost);
}

bool SystemTrayBackend::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool SystemTrayBackend::showIcon()
{
    if (!isAvailable())
        return false;
    m_icon.show();
    return true;
}

void SystemTrayBackend::removeIcon()
{
    m_hostWatch.stop();
    m_icon.hide();
}

void SystemTrayBackend::setHostWatched(bool watched)
{
    if (!watched || !m_icon.isVisible()) {
        m_hostWatch.stop();
        return;
    }
    m_hostPresent = isAvailable();
    m_hostWatch.start();
}

void SystemTrayBackend::watchHost()
{
    // Qt docks the icon again when a host comes back; only the going is reported.
    const bool present = isAvailable();
    if (m_hostPresent && !present)
        Q_EMIT hostLost();
    m_hostPresent = present;
}

void SystemTrayBackend::setIcon(const QIcon &icon)
{
    m_icon.setIcon(icon);
}

void SystemTrayBackend::setToolTip(const QString &text)
{
    m_icon.setToolTip(text);
}

void SystemTrayBackend::setContextMenu(QMenu *menu)
{
    m_icon.setContextMenu(menu);
}
