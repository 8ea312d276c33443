#pragma once

#include <QMenu>

// The tray icon's menu: "Fermer Glyphor" (Quitter1), a separator, "Montrer!" (Afficher1), the
// default item a double click on the icon chooses.
class TrayMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TrayMenu(QWidget *parent = nullptr);

Q_SIGNALS:
    void quitChosen();
    void showChosen();
};
