#include "fixeddialog.h"

#include "uifonts.h"

#include <QScreen>
#include <QWidget>

namespace FixedDialog {

void finishLayout(QWidget *dialog)
{
    UiFonts::applyLayoutFonts(dialog);
    dialog->setFixedSize(dialog->size());
    QPalette face = dialog->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    dialog->setPalette(face);
    dialog->setAutoFillBackground(true);
    // Modal to the window that opens them, not to the whole program: the help they offer and the
    // tray icon stay usable while one is open.
    dialog->setWindowModality(Qt::WindowModal);
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace FixedDialog
