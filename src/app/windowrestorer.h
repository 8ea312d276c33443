#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

// Puts a window back as the settings file says it was left: its client area's size and
// position within the screen, and maximised or not. The window manager's frame is known only
// once it has framed the window, some time after the showing: the window is looked at for a
// while then, and moved down if its title bar came out above the screen.
class WindowRestorer : public QObject
{
    Q_OBJECT

public:
    struct Stored
    {
        QSize size; // none: the window keeps the size it opens with
        std::optional<QPoint> position;
        bool maximised = false;
    };

    WindowRestorer(QWidget *window, const Stored &stored);

    // At the first showing; later calls do nothing. Whether a stored size was applied.
    bool restore();
    // The window as it is left, to be stored: its client area, as it is restored; a maximised
    // window's, the area it had before; no position where none is known.
    Stored toStore() const;

    // Wayland compositors place windows themselves and tell no client where.
    static bool positionKnown();

private:
    void keepFrameOnScreen();

    QWidget *m_window;
    Stored m_stored;
    // Placed where the settings file said: once framed there, kept within the screen.
    std::optional<QPoint> m_placedAt;
    // How long the window manager is given to frame the window: 3 s.
    static constexpr int FramingCheckMs = 50;
    static constexpr int FramingChecks = 60;
};
