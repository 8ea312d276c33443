#include "windowframe.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace WindowFrame {

QMargins margins(const QWidget *window)
{
    // The window system's own margins: a difference of Qt's geometries can be a size change
    // still pending.
    const QWindow *handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QRect availableScreen(const QWidget *window)
{
    const QScreen *screen = window->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

} // namespace WindowFrame
