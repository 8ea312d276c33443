#pragma once

#include "settings.h"
#include "traybackend.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class CataloguePrinting;
class DisplayState;
class FilterBar;
class FontIndex;
class HelpRequests;
class FontSources;
class TAppInstances;
class TTrayIcon;
class TypographyPanel;
class QToolButton;
class TGenHTML;
class WindowRestorer;

namespace Ui {
class TEForm1;
}

// The main window: the font list and the Text page above, the bottom panel of display controls
// below. It owns the display state the list and the Text page draw from, its tray icon and its
// dialogs. Its handlers keep the names the program has always used; each is connected in code,
// through the general error report, and hands the work to the part that owns it.
class TEForm1 : public QWidget
{
    Q_OBJECT

public:
    // arguments: the command line; a non-empty first argument after the program's name starts
    // the program hidden. settingsPath: the settings file read now and written at close.
    // trayBackend: the notification area; the desktop's own when none is given.
    TEForm1(const QStringList &arguments, const QString &settingsPath, QWidget *parent = nullptr,
            std::unique_ptr<TrayBackend> trayBackend = nullptr);
    ~TEForm1() override;

    // Another start of the program brings this window forward through the component.
    void connectInstances(TAppInstances &instances);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The two apply steps: the sample field and the size into the list (validClick, the "ok"
    // button `valid`), the font, size, attributes and colours into the Text page (AppliqueTexte).
    void validClick();
    void AppliqueTexte();
    // `Button1`: everything back to the defaults ("défaut"); `TousCar`: the 224 usable characters
    // ("*"). The bottom panel's other controls are the DisplayPanel's.
    void Button1Click();
    void TousCarClick();
    // The window fitted to its bottom panel.
    void AjusteFenetre();
    // The page switch (`NPage`): the combo box `txtEdit` holds the sample history on the Lines
    // page (PrligneClick) and chooses the font on the Text page (PrTexteClick).
    void NPageChange();
    void PrTexteClick();
    void PrligneClick();
    void txtEditChange();
    // "AIDE": the help; `charmap`: the desktop's character map.
    void AideClick();
    void charmapClick();
    // The notification-area icon and its menu, shown from now on.
    void setUpTray(std::unique_ptr<TrayBackend> backend);
    // `BitBtn1`: to the tray; the tray menu's "Fermer Glyphor" (Quitter1).
    void BitBtn1Click();
    void Quitter1Click();
    // Another start asked for this copy.
    void AppInstances1Activate(const QByteArray &activationToken);
    // `SpeedButton1`: the printed catalogue.
    void ImprimerClick();

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormClose();
    void connectHandlers();

    bool linesPageShown() const;
    // The caption: the version and how many fonts there are, or how many of them a filter shows.
    void showFamilyCount();
    // The filter field, its switch and menu beside the page tabs and first in the Tab order, the
    // line naming the menu's filters under the list.
    void setUpFilters();
    // The "Typographie" button beside the filters, and its panel beside the lists.
    void setUpTypography();
    // Opens or closes the panel; the window widens by the panel's width while the screen has room,
    // so the list keeps its width, and gives that room back when it closes.
    void showTypography(bool open);

    std::unique_ptr<Ui::TEForm1> ui;
    // The sample, its size, attributes, colours, filter and favourites; the list, the bottom
    // panel, the filter bar and the Text page follow it by themselves.
    DisplayState *m_display;
    // The filter field and its switch, beside the page tabs.
    FilterBar *m_filterBar;
    TypographyPanel *m_typography = nullptr;
    QToolButton *m_typographyButton = nullptr;
    int m_typographyRoom = 0; // the width the window took for the panel
    // What the font files say of their faces, read in the background after the first paint.
    FontIndex *m_fontIndex = nullptr;
    // The installed fonts or the font files opened, in the list's place.
    FontSources *m_sources = nullptr;
    static constexpr int IndexDelayMs = 1000;
    std::unique_ptr<HelpRequests> m_help;

    QString Version; // "Glyphor 3.5"
    bool AjustementPrevu = false; // one more fit is due at the next position change
    bool PremierAffichage = false; // the first paint has been handled

    // The notification-area icon.
    TTrayIcon *tray = nullptr;
    TGenHTML *GenHTML = nullptr;

    CataloguePrinting *m_catalogue = nullptr;
    // The window was asked to close while a catalogue printed: it closes once the job has ended.
    bool m_closeAfterPrinting = false;
    // "Fermer Glyphor" ends the program once the window has closed.
    bool m_quitOnClose = false;
    QStringList m_arguments;
    QString m_settingsPath;
    // The window as the settings file says it was left.
    WindowRestorer *m_restorer = nullptr;
    // The settings as read at the start; the page is forgotten once restored.
    Settings m_stored;
};
