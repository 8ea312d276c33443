#include "windowlook.h"
#include "ui_teform1.h"

#include "drawnicon.h"
#include "fixeddialog.h"
#include "uifonts.h"

#include <QApplication>

void WindowLook::apply(QWidget &window, Ui::TEForm1 &ui)
{
    FixedDialog::applyLayoutFonts(&window);
    window.setAutoFillBackground(true);
    QPalette grey = window.palette();
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    window.setPalette(grey);
    // The bottom panel keeps the button face of the desktop; only the window itself is grey.
    QPalette face = ui.Panel1->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    ui.Panel1->setPalette(face);
    ui.Panel1->setAutoFillBackground(true);

    for (const auto &[button, drawing] :
         {std::pair<QAbstractButton *, const char *> {ui.SpeedButton1, "print"},
          {ui.GenererrHTML, "html"},
          {ui.charmap, "charmap"},
          {ui.Aide, "help"},
          {ui.BitBtn1, "totray"}})
        button->setIcon(drawnIcon(drawing));
    ui.NPage->setTabIcon(0, drawnIcon("lines"));
    ui.NPage->setTabIcon(1, drawnIcon("text"));

    QFont tabFont = UiFonts::pixelFont(QStringLiteral("Arial"), 15);
    tabFont.setBold(true);
    ui.NPage->tabBar()->setFont(tabFont);
}
