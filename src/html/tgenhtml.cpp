#include "tgenhtml.h"
#include "ui_tgenhtml.h"

#include "drawnicon.h"
#include "errorreport.h"
#include "filenameedit.h"
#include "fixeddialog.h"
#include "helprequests.h"
#include "htmlfontpage.h"
#include "plainmessage.h"
#include "productinfo.h"
#include "textforms.h"
#include "userfolders.h"
#include "warningquestion.h"
#include "webbrowser.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>

TGenHTML::TGenHTML(HtmlPageSource source, const QString &browser, HelpRequests &help,
                   QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , ui(std::make_unique<Ui::TGenHTML>())
    , m_source(std::move(source))
    , m_help(help)
{
    ui->setupUi(this);
    ui->Aide->setIcon(drawnIcon("help"));
    FixedDialog::finishLayout(this);
    QPalette memo = ui->Memo1->palette();
    memo.setColor(QPalette::Base, palette().color(QPalette::Button));
    memo.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
    ui->Memo1->setPalette(memo);

    ui->nomFichierHTML->setDialogTitle(QStringLiteral("Recherche de fichier"));
    ui->nomFichierHTML->setFilter(QStringLiteral("Fichiers HTML (*.HTM *.htm);;Tous fichiers (*)"));
    ui->nomFichierHTML->setDefaultExtension(QStringLiteral("htm"));
    ui->NomBUTINEUR->setDialogTitle(QStringLiteral("Recherche de fichier"));
    ui->NomBUTINEUR->setFilter(QStringLiteral("Fichers Exécutables (*)"));
    // "firefox --private-window" names firefox; a path with spaces names its file.
    ui->NomBUTINEUR->setReading(FileNameRules::Reading::Command);

    bind(ui->GenererFIC, &TGenHTML::GenererFICClick);
    bind(ui->GenererVisualiserFIC, &TGenHTML::GenererVisualiserFICClick);
    bind(ui->Button1, &TGenHTML::Button1Click);
    bind(ui->Aide, &TGenHTML::AideClick);

    FixedDialog::centreOnScreen(this);
    FormCreate(browser);
}

TGenHTML::~TGenHTML() = default;

template<typename Handler> void TGenHTML::bind(QPushButton *button, Handler handler)
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { ErrorReport::guard([this, handler] { (this->*handler)(); }); });
}

FileNameEdit *TGenHTML::nomFichierHTML() const
{
    return ui->nomFichierHTML;
}

FileNameEdit *TGenHTML::NomBUTINEUR() const
{
    return ui->NomBUTINEUR;
}

QString TGenHTML::defaultPageFile()
{
    return QDir(UserFolders::documents()).filePath(QStringLiteral("glyphor.htm"));
}

void TGenHTML::FormCreate(const QString &browser)
{
    ui->nomFichierHTML->setFileName(defaultPageFile());
    ui->nomFichierHTML->setInitialDir(UserFolders::documents());
    ErrorReport::guard([&] { ui->NomBUTINEUR->setFileName(browser); });
}

void TGenHTML::GenererPageHTML()
{
    FichierGenere = false;
    const QString page = ui->nomFichierHTML->fileName();
    const QFileInfo existing(page);
    if (existing.exists() && !existing.isDir()
        && !WarningQuestion::ask(QStringLiteral("Ce fichier existe déjà. Remplacer ?"), this))
        return;

    FichierGenere = true;
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    HtmlPageContent content;
    content.version = m_source.version;
    content.fonts = m_source.fonts ? m_source.fonts() : QStringList();
    content.sample = m_source.sample;
    content.fontFile = m_source.fontFile;
    content.typography = m_source.typography ? m_source.typography() : Typography();
    content.date = HtmlFontPage::dateText(now, locale);
    content.time = TextForms::timeWithSeconds(locale, now.time());
    content.authorLine = ProductInfo::authorLine();
    content.homePage = ProductInfo::homePage();
    if (HtmlFontPage::write(ui->nomFichierHTML->fileName(), content)
        == HtmlFontPage::Outcome::NotOpened) {
        FichierGenere = false;
        PlainMessage::show(QStringLiteral("Erreur lors de l'initialisation du fichier !"), this);
        return;
    }
    PlainMessage::show(QStringLiteral("Fichier généré !"), this);
}

void TGenHTML::GenererFICClick()
{
    GenererPageHTML();
    close();
}

void TGenHTML::GenererVisualiserFICClick()
{
    const auto refuseBrowser = [this](const QString &message) {
        PlainMessage::show(message, this);
        ui->NomBUTINEUR->setFocus();
    };
    if (ui->NomBUTINEUR->fileName().isEmpty()) {
        refuseBrowser(QStringLiteral("Veuillez indiquer un nom de Butineur WEB svp !"));
        return;
    }
    if (WebBrowser::program(ui->NomBUTINEUR->fileName()).isEmpty()) {
        refuseBrowser(QStringLiteral("Le fichier exécutable du Butineur WEB n'existe pas !"));
        return;
    }
    GenererPageHTML();
    if (!FichierGenere)
        return;
    const QString browser = ui->NomBUTINEUR->fileName();
    if (!WebBrowser::start(browser, ui->nomFichierHTML->fileName()))
        PlainMessage::show(QStringLiteral("Impossible de lancer le navigateur ")
                               + WebBrowser::program(browser),
                           this);
}

void TGenHTML::Button1Click()
{
    close();
}

void TGenHTML::AideClick()
{
    m_help.request(HelpRequests::HtmlExportTopic);
}
