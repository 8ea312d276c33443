// The notification-area icon: minimise to the tray, come back, quit from its menu.
#include "teform1.h"
#include "ui_teform1.h"

#include "errorreport.h"
#include "fontsources.h"
#include "tappinstances.h"
#include "traymenu.h"
#include "ttrayicon.h"

void TEForm1::setUpTray(std::unique_ptr<TrayBackend> backend)
{
    tray = new TTrayIcon(this, std::move(backend), this);
    tray->setObjectName(QStringLiteral("tray"));
    auto *menu = new TrayMenu(this);
    ErrorReport::connect(menu, &TrayMenu::showChosen, tray, &TTrayIcon::ShowFromTray);
    ErrorReport::connect(menu, &TrayMenu::quitChosen, this, &TEForm1::Quitter1Click);
    tray->setIcon(windowIcon());
    tray->setPopupMenu(menu);
    tray->Visibility = {tvVisibleTaskBar, tvAutoHide, tvRestoreClick, tvMinimizeClick};
    // In the tray before the window first shows, and for the whole run.
    tray->setActive(true);
}

void TEForm1::BitBtn1Click()
{
    // The focus the window finds again when it comes back.
    ui->txtEdit->setFocus();
    tray->HideToTray();
}

void TEForm1::Quitter1Click()
{
    // The program ends with the window's close, also when that close waits for a print to end.
    m_quitOnClose = true;
    close();
}

void TEForm1::connectInstances(TAppInstances &instances)
{
    connect(&instances, &TAppInstances::activationRequested, this, [this](const QByteArray &token) {
        ErrorReport::guard([&] { AppInstances1Activate(token); });
    });
    // Font files handed by another start are opened; its other arguments mean nothing here.
    connect(&instances, &TAppInstances::argumentsReceived, this, [this](const QStringList &args) {
        if (const QStringList files = FontSources::fontPathsIn(args); !files.isEmpty())
            ErrorReport::guard([&] { m_sources->open(files); });
    });
}

// Another start of the program wants this copy in front.
void TEForm1::AppInstances1Activate(const QByteArray &activationToken)
{
    // On Wayland only a token from the desktop lets a window take the focus; the other start
    // got one when it was launched.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (!tray->programShown()) {
        // Minimised or in the tray: restored, raised and activated.
        tray->ShowFromTray();
    } else if (isVisible()) {
        raise();
        activateWindow();
    }
    // A window hidden by the hidden start and never shown stays hidden.
}
