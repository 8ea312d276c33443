#include "ttrayicon.h"

#include "systemtraybackend.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

TTrayIcon::TTrayIcon(QWidget *window, std::unique_ptr<TrayBackend> backend, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_backend(backend ? std::move(backend) : std::make_unique<SystemTrayBackend>())
{
    m_retry.setInterval(1000);
    connect(&m_retry, &QTimer::timeout, this, &TTrayIcon::retryShowIcon);
    connect(m_backend.get(), &TrayBackend::leftClicked, this, &TTrayIcon::leftClick);
    connect(m_backend.get(), &TrayBackend::doubleClicked, this, &TTrayIcon::doubleClick);
    connect(m_backend.get(), &TrayBackend::hostLost, this, &TTrayIcon::hostLost);
}

TTrayIcon::~TTrayIcon()
{
    setActive(false);
}

void TTrayIcon::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        m_backend->setIcon(m_icon);
        m_backend->setToolTip(m_hint.section(u'|', 0, 0));
        if (!m_hooked) {
            m_window->installEventFilter(this);
            m_hooked = true;
        }
        showIcon();
    } else {
        m_window->removeEventFilter(this);
        m_hooked = false;
        m_backend->setHostWatched(false);
        m_retry.stop();
        removeIcon();
    }
}

void TTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    if (m_iconShown)
        m_backend->setIcon(icon);
}

void TTrayIcon::setHint(const QString &hint)
{
    m_hint = hint;
    if (m_iconShown)
        m_backend->setToolTip(hint.section(u'|', 0, 0));
}

void TTrayIcon::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
    m_backend->setContextMenu(menu);
}

bool TTrayIcon::programShown() const
{
    return !m_inTray && !(m_window->windowState() & Qt::WindowMinimized);
}

void TTrayIcon::showIcon()
{
    if (m_iconShown || !m_active)
        return;
    if (m_backend->showIcon()) {
        m_iconShown = true;
        return;
    }
    // Asked again in the background: a tray host that comes a little after the program (a
    // desktop still starting) gets the icon, and the window is never held up meanwhile.
    if (!(Visibility & tvNoRetryOnFailure)) {
        m_retriesLeft = RetryAttempts;
        m_retry.start();
    }
}

void TTrayIcon::retryShowIcon()
{
    --m_retriesLeft;
    if (m_backend->showIcon())
        m_iconShown = true;
    if (m_iconShown || m_retriesLeft <= 0)
        m_retry.stop();
}

void TTrayIcon::removeIcon()
{
    if (!m_iconShown)
        return;
    m_backend->removeIcon();
    m_iconShown = false;
}

bool TTrayIcon::iconReachable() const
{
    return m_iconShown && m_backend->isAvailable();
}

void TTrayIcon::HideToTray()
{
    m_hiding = true;
    if (iconReachable()) {
        // Counted as minimised by this component alone: asking the window manager to iconify a
        // window that is leaving the screen would have its late answer minimise it again once
        // it is back.
        m_inTray = true;
        m_window->hide();
        Visibility &= ~TTrayVisibilities(tvVisibleTaskBar);
    } else if (programShown()) {
        if (m_window->isVisible())
            m_window->showMinimized();
        else
            m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    }
    m_hiding = false;
}

void TTrayIcon::ShowFromTray()
{
    Visibility |= tvVisibleTaskBar;
    if (programShown()) {
        // On Linux the window is its own taskbar entry.
        if (!m_window->isVisible())
            m_window->show();
        return;
    }
    // Back as it was before the minimise (maximised stays maximised), with its focus.
    m_inTray = false;
    m_window->show();
    if (m_window->windowState() & Qt::WindowMinimized)
        m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized)
                                 | Qt::WindowActive);
    m_window->raise();
    m_window->activateWindow();
}

void TTrayIcon::hostLost()
{
    // Whether sent to the tray or hidden at start, a window nobody could reach any more.
    if (m_active && !m_window->isVisible())
        ShowFromTray();
}

void TTrayIcon::leftClick()
{
    if (programShown()) {
        if (Visibility & tvMinimizeClick)
            HideToTray();
    } else if (Visibility & tvRestoreClick) {
        ShowFromTray();
    }
}

void TTrayIcon::doubleClick()
{
    if (m_popupMenu && m_popupMenu->defaultAction())
        m_popupMenu->defaultAction()->trigger();
}

bool TTrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    // Shown by other means than the icon: no longer in the tray.
    if (watched == m_window && event->type() == QEvent::Show && !m_hiding)
        m_inTray = false;
    // A window off the screen comes back if the notification area goes: watched for meanwhile.
    if (watched == m_window && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        m_backend->setHostWatched(event->type() == QEvent::Hide);
    // Every minimise of the window (title bar, window manager, keyboard) ends in the tray. Sent
    // on after the state change is handled, since the window cannot be hidden inside it.
    if (watched == m_window && event->type() == QEvent::WindowStateChange && !m_hiding && m_active
        && (Visibility & tvAutoHide) && (m_window->windowState() & Qt::WindowMinimized)
        && m_window->isVisible() && iconReachable())
        QMetaObject::invokeMethod(this, &TTrayIcon::HideToTray, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}
