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
    m_icon.hide();
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
