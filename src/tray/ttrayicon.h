#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QWidget;
class TrayBackend;

// What the tray icon does with the window it stands for.
enum TTrayVisibility : quint16 {
    tvVisibleTaskBar = 1 << 0, // the window is on the taskbar (not sent to the tray)
    tvAutoHide = 1 << 2, // every minimise sends the window to the tray
    tvRestoreClick = 1 << 5, // a left click brings a window in the tray back
    tvMinimizeClick = 1 << 7, // a left click sends a shown window to the tray
    tvNoRetryOnFailure = 1 << 10, // a notification area that is not there is not waited for
};
Q_DECLARE_FLAGS(TTrayVisibilities, TTrayVisibility)
Q_DECLARE_OPERATORS_FOR_FLAGS(TTrayVisibilities)

// An icon in the desktop's notification area for a window: minimising the window sends it to
// the tray (no window, no taskbar entry, only the icon), a click on the icon brings it back, a
// right click opens a menu. The window counts as shown while it is not minimised.
//
// Without a notification area the icon is asked for again every second, in the background, for
// 31 seconds; while there is no icon in a notification area, minimising is an ordinary minimise,
// so that the window is never out of reach. For the same reason a window off the screen comes
// back when the notification area holding its icon goes away.
class TTrayIcon : public QObject
{
    Q_OBJECT

public:
    // window: the window the icon stands for. backend: the notification area; the desktop's own
    // when none is given.
    explicit TTrayIcon(QWidget *window, std::unique_ptr<TrayBackend> backend = nullptr,
                       QObject *parent = nullptr);
    ~TTrayIcon() override;

    static constexpr int RetryAttempts = 31;
    // Between two attempts at showing the icon: a second, unless a test is in a hurry.
    void setRetryInterval(int milliseconds) { m_retry.setInterval(milliseconds); }

    bool Active() const { return m_active; }
    // Activating shows the icon and starts watching the window's minimises; deactivating undoes
    // both.
    void setActive(bool active);

    QIcon Icon() const { return m_icon; }
    void setIcon(const QIcon &icon);
    // The tooltip is the hint's text before its first "|".
    QString Hint() const { return m_hint; }
    void setHint(const QString &hint);
    QMenu *PopupMenu() const { return m_popupMenu.data(); }
    // The menu's default action is what a double click does.
    void setPopupMenu(QMenu *menu);

    TTrayVisibilities Visibility = {tvVisibleTaskBar, tvAutoHide};

    // The icon is in a notification area (a test seam, as are hooked() and setRetryInterval()).
    bool iconShown() const { return m_iconShown; }
    // The icon sits in a live notification area: a window taken off the screen can come back
    // through it.
    bool iconReachable() const;
    // Minimises of the window are being watched.
    bool hooked() const { return m_hooked; }
    // Whether the window counts as shown: it is not minimised (nor sent to the tray, which the
    // window system may no longer report as minimised once the window is off the screen).
    bool programShown() const;

    // Minimises the window when shown, then takes it off the screen and the taskbar; with no
    // icon to come back through, only minimises it.
    void HideToTray();
    // Puts the window back on the taskbar; restores, raises and activates it when minimised.
    void ShowFromTray();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showIcon();
    void removeIcon();
    void retryShowIcon();
    void leftClick();
    void doubleClick();
    void hostLost();

    QWidget *m_window;
    std::unique_ptr<TrayBackend> m_backend;
    QIcon m_icon;
    QString m_hint;
    QPointer<QMenu> m_popupMenu;
    QTimer m_retry;
    int m_retriesLeft = 0;
    bool m_active = false;
    bool m_iconShown = false;
    bool m_hooked = false;
    bool m_hiding = false;
    bool m_inTray = false;
};
