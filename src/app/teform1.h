#pragma once

#include "colorref.h"
#include "traybackend.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class CataloguePrinting;
class ColorGrid;
class FontListView;
class HelpRequests;
class TAPropos;
class TAppInstances;
class TTrayIcon;
class TGenHTML;
struct HtmlPageSource;
class QAction;
class QColorDialog;
class QMenu;

namespace Ui {
class TEForm1;
}

// The main window: the font list and the Text page above, the bottom panel of display controls
// below. Its handlers keep the names the program has always used; they are connected in code,
// each through the general error report.
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

    QString Version; // "Glyphor 3.5"
    QString CheminButineur; // the web browser's path, read from the settings
    QString Systeme; // the "System" setting, written back unchanged
    bool AjustementPrevu = false; // one more fit is due at the next position change
    bool PremierAffichage = false; // the first paint has been handled

    // Hidden holders of the window's state.
    QString Chaine; // the current sample string
    QStringList MemoChaines; // the sample-string history while the Text page is shown
    QStringList MemoTexte; // the Text page's default text
    QString Edit1 = QStringLiteral("Edit1"); // the font name last selected in the list

    // The font list's context menu and its items.
    QMenu *LigneMenu = nullptr;
    QAction *Copiernomdelafonte1 = nullptr;
    QAction *IndiqueNom = nullptr;

    // The notification-area icon and its menu.
    TTrayIcon *tray = nullptr;
    QMenu *traymenu = nullptr;
    QAction *Quitter1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Afficher1 = nullptr;

    // The colour chooser, built when first opened; its custom colours last for the run.
    QColorDialog *Couleurs = nullptr;

    // The about box, made by the program entry right after this window.
    TAPropos *APropos = nullptr;

    // The HTML export dialog, made by the program entry right after the about box.
    TGenHTML *GenHTML = nullptr;
    // What the HTML page lists: this window's fonts and the current text of its sample field.
    HtmlPageSource htmlPageSource() const;

    // Another start of the program brings this window forward through the component.
    void connectInstances(TAppInstances &instances);

    // The help every window of the program asks for.
    HelpRequests &help() const { return *m_help; }

    bool linesPageShown() const;
    bool panelHintsShown() const { return m_panelHintsShown; }

public Q_SLOTS:
    void validClick();
    void AppliqueTexte();
    void GRASClick();
    void italClick();
    void soulClick();
    void Button1Click();
    void TousCarClick();
    void AfBullesClick();
    void ListBox1Click();
    void ListBox1MouseDown();
    void AjusteFenetre();
    void NPageChange();
    void PrTexteClick();
    void PrligneClick();
    void txtEditChange();
    void ColorGrid1Change();
    void TPlusClick();
    void FPlusClick();
    void LigneMenuPopup();
    void Copiernomdelafonte1Click();
    void IndiqueNomClick();
    void AideClick();
    void AboutBtnClick();
    void charmapClick();
    void GenererrHTMLClick();
    void BitBtn1Click();
    void Afficher1Click();
    void Quitter1Click();
    void AppInstances1Activate(const QByteArray &activationToken);
    void ImprimerClick();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormClose();

    void connectHandlers();
    template<typename Sender, typename Signal>
    void bind(Sender *sender, Signal signal, void (TEForm1::*handler)());
    void setUpPanelHints();
    void setUpTray(std::unique_ptr<TrayBackend> trayBackend);
    void setUpPrinting();

    void setChaine(const QString &text);
    void applyLineHeight();
    void toggleAttribute(bool &attribute, class QPushButton *button, const QString &letter);
    void setListColors();
    // "T+" and "F+": a colour from the colour chooser, then no grid cell marked for it.
    void chooseOtherColor(ColorRef &color, void (FontListView::*applyToList)(const QColor &),
                          void (ColorGrid::*setMarker)(int));

    std::unique_ptr<Ui::TEForm1> ui;
    std::unique_ptr<HelpRequests> m_help;
    CataloguePrinting *m_catalogue = nullptr;
    // The window was asked to close while a catalogue printed: it closes once the job has ended.
    bool m_closeAfterPrinting = false;
    // "Fermer Glyphor" ends the program once the window has closed.
    bool m_quitOnClose = false;
    QStringList m_arguments;
    QString m_settingsPath;
    bool m_panelHintsShown = false;
};
