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
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace FixedDialog
