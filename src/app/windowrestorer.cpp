#include "windowrestorer.h"

#include "windowframe.h"
#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

WindowRestorer::WindowRestorer(QWidget *window, const Stored &stored)
    : QObject(window)
    , m_window(window)
    , m_stored(stored)
{
}

bool WindowRestorer::restore()
{
    if (!m_stored.size.isValid() || m_stored.size.isEmpty())
        return false;
    const QScreen *shownOn
        = m_stored.position ? QGuiApplication::screenAt(*m_stored.position) : nullptr;
    const QRect screen
        = shownOn ? shownOn->availableGeometry() : WindowFrame::availableScreen(m_window);
    const WindowPlacement::Placement placement
        = WindowPlacement::restored(m_stored.size, m_stored.position, m_window->minimumSize(),
                                    WindowFrame::margins(m_window), screen);
    // The client area is placed: a frame the window manager adds is not counted in.
    const bool placed = placement.position && positionKnown();
    // A maximised window's frame is the window manager's to keep on the screen.
    if (placed && !m_stored.maximised) {
        // Qt says nothing when the frame comes: asked for a while after the showing.
        m_placedAt = *placement.position;
        auto *framing = new QTimer(this);
        framing->setInterval(FramingCheckMs);
        connect(framing, &QTimer::timeout, this, [this, framing, checks = 0]() mutable {
            keepFrameOnScreen();
            if (!m_placedAt || ++checks == FramingChecks) {
                m_placedAt.reset();
                framing->deleteLater();
            }
        });
        framing->start();
    }
    if (placed)
        m_window->setGeometry(QRect(*placement.position, placement.size));
    else
        m_window->resize(placement.size);
    if (m_stored.maximised)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
    m_stored.size = QSize(); // once, at the first showing
    return true;
}

WindowRestorer::Stored WindowRestorer::toStore() const
{
    const bool maximised = m_window->isMaximized();
    const QRect shown = maximised ? m_window->normalGeometry() : m_window->geometry();
    return {shown.size(), positionKnown() ? std::optional(shown.topLeft()) : std::nullopt,
            maximised};
}

bool WindowRestorer::positionKnown()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// A window placed from the settings file is brought within the screen once framed, if its title
// bar came out above it (a position stored with its frame by an older version).
void WindowRestorer::keepFrameOnScreen()
{
    // Until the window manager has framed the window where it was put, what Qt reports of it
    // is not yet where it is. A frame without a title bar has none to keep in view.
    const QMargins frame = WindowFrame::margins(m_window);
    const QRect shown = m_window->geometry();
    if (!m_placedAt || frame.top() <= 0 || shown.topLeft() != *m_placedAt || m_window->isMaximized()
        || m_window->isFullScreen())
        return;
    m_placedAt.reset();
    const WindowPlacement::Placement placement
        = WindowPlacement::restored(shown.size(), shown.topLeft(), m_window->minimumSize(), frame,
                                    WindowFrame::availableScreen(m_window));
    if (placement.position && *placement.position != shown.topLeft())
        m_window->setGeometry(QRect(*placement.position, shown.size()));
}
