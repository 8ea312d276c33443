#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Where a top-level window sits on its screen, as the windows that place themselves ask it.
namespace WindowFrame {

// The window manager's frame around the window's client area, as the window system reports it;
// none before the window is framed (and never on Wayland).
QMargins margins(const QWidget *window);

// The area of the window's screen that windows may cover (panels and docks left out).
QRect availableScreen(const QWidget *window);

} // namespace WindowFrame
