#include "teform1.h"
#include "ui_teform1.h"

#include "catalogueprinting.h"
#include "defaultbutton.h"
#include "displaypanel.h"
#include "displaystate.h"
#include "errorreport.h"
#include "filenameedit.h"
#include "filterbar.h"
#include "fixeddialog.h"
#include "fontcatalog.h"
#include "fontfamilies.h"
#include "fontindex.h"
#include "fontlistview.h"
#include "fontsources.h"
#include "glyphorstyle.h"
#include "helprequests.h"
#include "helpwindow.h"
#include "listdetails.h"
#include "panelhints.h"
#include "productinfo.h"
#include "tapropos.h"
#include "textpage.h"
#include "tgenhtml.h"
#include "ttrayicon.h"
#include "windowlook.h"
#include "windowrestorer.h"
#include "windowshortcuts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

TEForm1::TEForm1(const QStringList &arguments, const QString &settingsPath, QWidget *parent,
                 std::unique_ptr<TrayBackend> trayBackend)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TEForm1>())
    , m_display(new DisplayState(this))
    , m_filterBar(new FilterBar(this))
    , m_help(std::make_unique<HelpRequests>([] { return std::make_unique<HelpWindow>(); }))
    , m_arguments(arguments)
    , m_settingsPath(settingsPath)
{
    ui->setupUi(this);
    ui->ListBox1->setDisplayState(m_display);
    ui->Memo1->setDisplayState(m_display);
    new DisplayPanel(
        *m_display,
        {ui->gras, ui->ital, ui->soul, ui->ColorGrid1, ui->SpinEdit1, ui->TPlus, ui->FPlus}, this);
    WindowLook::apply(*this, *ui);
    // The bottom panel's tooltips follow the "Affiche bulles d'aide" box.
    new PanelHints(ui->Panel1, ui->AfBulles);
    setUpFilters();
    setUpTypography();
    const WindowShortcuts::Controls keyed {
        .quit = ui->Quitter,
        .print = ui->SpeedButton1,
        .html = ui->GenererrHTML,
        .help = ui->Aide,
        .filterField = m_filterBar->field(),
        .typography = m_typographyButton,
        .size = ui->SpinEdit1,
        .bold = ui->gras,
        .italic = ui->ital,
        .underline = ui->soul,
        .list = m_sources->listsWidget(),
    };
    new WindowShortcuts(
        this, keyed,
        {
            .help = [this] { AideClick(); },
            .find =
                [this] {
                    ui->NPage->setCurrentIndex(0);
                    m_filterBar->focusField();
                },
            .copyName = [this] { m_sources->current().Copiernomdelafonte1Click(); },
            .favourite = [this] { m_sources->current().FavoriClick(); },
            .details = [this] { m_sources->currentDetails().show(); },
            .otherPage = [this] { ui->NPage->setCurrentIndex(linesPageShown() ? 1 : 0); },
            .linesPageShown = [this] { return linesPageShown(); },
        });

    setUpTray(std::move(trayBackend));
    connectHandlers();
    FormCreate();

    const auto shownFamilies = [this] {
        return m_sources->current().shownFamilies();
    };
    m_catalogue = new CataloguePrinting(
        {
            .version = Version,
            .families = shownFamilies,
            .sample = [this] { return m_display->Chaine(); },
            // The size field as it stands, applied or not, as the catalogue always has.
            .sampleSize = [this] { return ui->SpinEdit1->value(); },
            .catalog = [this]() -> const FontCatalog & { return m_sources->currentCatalog(); },
        },
        this);
    m_catalogue->setObjectName(QStringLiteral("catalogue"));
    // Made hidden now and kept for the run. The HTML page's sample is the combo box's text as it
    // stands, applied or not: on the Text page, the font.
    auto *aboutBox = new TAPropos(Version, *m_help, this);
    connect(ui->AboutBtn, &QPushButton::clicked, aboutBox, &QDialog::exec);
    GenHTML = new TGenHTML(
        {
            .version = Version,
            .fonts = shownFamilies,
            .sample = [this] { return ui->txtEdit->currentText(); },
            .fontFile = [this](const QString &font) { return m_sources->openedFile(font); },
            .typography = [this] { return m_display->typography(); },
        },
        m_stored.browser, *m_help, this);
    connect(ui->GenererrHTML, &QToolButton::clicked, GenHTML, &QDialog::exec);

    // Enter anywhere in the window applies.
    new DefaultButton(this, ui->valid);
    FixedDialog::centreOnScreen(this);
    ui->Aide->setFocus();
}

TEForm1::~TEForm1() = default;

void TEForm1::connectHandlers()
{
    const auto bind = [this](auto *sender, auto signal, void (TEForm1::*handler)()) {
        ErrorReport::connect(sender, signal, this, handler);
    };
    bind(ui->SpinEdit1, &SizeField::textChanged, &TEForm1::validClick);
    bind(ui->SpinEdit1, &SizeField::typingFinished, &TEForm1::validClick);
    bind(ui->valid, &QPushButton::clicked, &TEForm1::validClick);
    bind(ui->Button1, &QPushButton::clicked, &TEForm1::Button1Click);
    bind(ui->TousCar, &QPushButton::clicked, &TEForm1::TousCarClick);
    connect(ui->Memo1, &TextPage::mousePressed, ui->ListBox1, &FontListView::ListBox1MouseDown);
    connect(ui->Quitter, &QPushButton::clicked, this, &QWidget::close);

    bind(ui->NPage, &QTabWidget::currentChanged, &TEForm1::NPageChange);
    bind(ui->txtEdit, &SampleCombo::userEdited, &TEForm1::txtEditChange);

    bind(ui->Aide, &QPushButton::clicked, &TEForm1::AideClick);
    bind(ui->charmap, &QToolButton::clicked, &TEForm1::charmapClick);
    bind(ui->BitBtn1, &QPushButton::clicked, &TEForm1::BitBtn1Click);
    bind(ui->SpeedButton1, &QToolButton::clicked, &TEForm1::ImprimerClick);
}

void TEForm1::FormCreate()
{
    Version = ProductInfo::version();
    ui->ListBox1->setFamilies(FontFamilies::installed());
    showFamilyCount();

    m_stored = Settings::read(m_settingsPath);
    const Settings &stored = m_stored;
    m_display->setChaine(stored.string);
    ui->txtEdit->setFieldText(m_display->Chaine());
    ui->txtEdit->addRecentEntry(m_display->Chaine());
    // The size field follows, within 6..72, and applies its value with the sample.
    m_display->setTaille(stored.size);
    m_display->setFavourites(stored.favourites);
    m_display->setTypography(stored.typography);
    m_restorer = new WindowRestorer(
        this, {QSize(stored.width, stored.height), stored.position, stored.maximised});
    ui->ListBox1->setNamesShown(stored.showNames);
    ui->AfBulles->setChecked(stored.showHints);
    m_sources->setReopenAtStart(stored.reopenFiles);
    // Font files given to the start are opened, and the window shown; so are those of the last
    // run when asked.
    if (const QStringList files = FontSources::fontPathsIn(m_arguments.mid(1)); !files.isEmpty())
        m_sources->open(files);
    else if (stored.reopenFiles)
        m_sources->reopen(stored.openedFiles);

    if (GlyphorStyle *style = GlyphorStyle::current())
        style->setTooltipDelay(100);
    {
        const QSignalBlocker quiet(ui->NPage);
        ui->NPage->setCurrentIndex(0);
    }
    ui->Memo1->showDefaultText();
}

void TEForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Coming back from minimised is no new showing.
    if (!event->spontaneous())
        ErrorReport::guard([this] { FormShow(); });
}

void TEForm1::FormShow()
{
    AjusteFenetre();
    AjustementPrevu = true;
    if (m_stored.page == 1) {
        // After the show, as a click on the tab would come.
        QMetaObject::invokeMethod(
            this, [this] { ui->NPage->setCurrentIndex(1); }, Qt::QueuedConnection);
        m_stored.page = 0;
    }
    // The user's size, not the panel's: no fit at the next move.
    if (m_restorer->restore())
        AjustementPrevu = false;
}

void TEForm1::AjusteFenetre()
{
    layout()->activate();
    resize(ui->Panel1->x() + ui->Panel1->width(), ui->Panel1->y() + ui->Panel1->height());
}

bool TEForm1::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::ZOrderChange:
        if (AjustementPrevu) {
            AjustementPrevu = false;
            ErrorReport::guard([this] { AjusteFenetre(); });
        }
        break;
    default:
        break;
    }
    return handled;
}

void TEForm1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    ErrorReport::guard([this] { FormPaint(); });
}

void TEForm1::FormPaint()
{
    if (!PremierAffichage && m_arguments.size() > 1 && !m_arguments.at(1).isEmpty()
        && FontSources::fontPathsIn(m_arguments.mid(1)).isEmpty()) {
        // Hiding from inside a paint would disturb the paint in progress. With no icon in a live
        // notification area to come back through, the window is only minimised: a hidden window
        // would be beyond reach, for this run and every later start.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (tray->iconReachable())
                    hide();
                else
                    showMinimized();
            },
            Qt::QueuedConnection);
    }
    if (!PremierAffichage) {
        // The list is on screen: the font files are read from now on, while the user looks.
        QTimer::singleShot(IndexDelayMs, m_fontIndex, &FontIndex::start);
    }
    PremierAffichage = true;
}

void TEForm1::closeEvent(QCloseEvent *event)
{
    if (m_catalogue && m_catalogue->isPrinting()) {
        // The job is ended first, its closing message shown; the window closes after it.
        m_catalogue->stop();
        m_closeAfterPrinting = true;
        event->ignore();
        return;
    }
    if (ErrorReport::guard([this] { FormClose(); })) {
        event->accept();
        // A window in the tray is hidden, and closing a hidden window does not end the program
        // by itself.
        if (m_quitOnClose)
            QCoreApplication::quit();
    } else {
        m_quitOnClose = false;
        event->ignore();
    }
}

void TEForm1::FormClose()
{
    m_help->quit();
    if (GlyphorStyle *style = GlyphorStyle::current())
        style->setTooltipDelay(800);
    // What the window does not show (the "System" value, the favourites as read) goes back as read.
    Settings stored = m_stored;
    stored.string = m_display->Chaine();
    stored.browser = GenHTML->NomBUTINEUR()->fileName();
    stored.size = m_display->Taille();
    stored.showNames = ui->ListBox1->namesShown();
    stored.showHints = ui->AfBulles->isChecked();
    stored.favourites = m_display->favourites();
    stored.typography = m_display->typography();
    stored.reopenFiles = m_sources->reopenAtStart();
    stored.openedFiles = m_sources->openedPaths();
    const WindowRestorer::Stored placement = m_restorer->toStore();
    // The panel is closed at the next start: the window comes back without its room.
    stored.width = placement.size.width() - m_typographyRoom;
    stored.height = placement.size.height();
    stored.position = placement.position;
    stored.maximised = placement.maximised;
    stored.page = ui->NPage->currentIndex();
    stored.write(m_settingsPath);
}

bool TEForm1::linesPageShown() const
{
    return ui->NPage->currentIndex() == 0;
}
