#include "traymenu.h"

TrayMenu::TrayMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("traymenu"));
    QAction *quit = addAction(QStringLiteral("Fermer Glyphor"));
    quit->setObjectName(QStringLiteral("Quitter1"));
    addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction *show = addAction(QStringLiteral("Montrer!"));
    show->setObjectName(QStringLiteral("Afficher1"));
    // Drawn in bold: what a double click on the icon does.
    setDefaultAction(show);
    connect(quit, &QAction::triggered, this, &TrayMenu::quitChosen);
    connect(show, &QAction::triggered, this, &TrayMenu::showChosen);
}
