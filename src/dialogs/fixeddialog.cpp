#include "fixeddialog.h"

#include "uifonts.h"

#include <QScreen>
#include <QWidget>

namespace FixedDialog {

void applyLayoutFonts(QWidget *window)
{
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : std::as_const(widgets)) {
        QFont font = widget->font();
        if (!(font.resolveMask() & QFont::SizeResolved) || font.pointSize() <= 0)
            continue;
        if (widget != window && !widget->testAttribute(Qt::WA_SetFont))
            continue;
        font.setPixelSize(font.pointSize());
        const QString layoutFamily = widget->property("layoutFamily").toString();
        if (!layoutFamily.isEmpty())
            font.setFamilies({UiFonts::family(layoutFamily)});
        widget->setFont(font);
    }
}

void finishLayout(QWidget *dialog)
{
    applyLayoutFonts(dialog);
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
