#include "fontsources.h"

#include "archiveunpacker.h"
#include "displaystate.h"
#include "drawnicon.h"
#include "errorreport.h"
#include "filterbar.h"
#include "fontcatalog.h"
#include "fontfamilies.h"
#include "fontfilemessages.h"
#include "fontfilenames.h"
#include "fontfilereader.h"
#include "fontindex.h"
#include "fontinstallation.h"
#include "fontlistview.h"
#include "listdetails.h"
#include "plainmessage.h"

#include <QActionGroup>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Source { Installed, Opened };

// The watcher's share of the desktop's file watches: a huge folder is read again by hand.
constexpr int MostWatchedFolders = 500;
constexpr int MostWatchedFiles = 2000;
// How many of the reading's messages one box shows.
constexpr int MostMessagesShown = 12;

QString openedCachePath()
{
    return QFileInfo(FontIndex::defaultCachePath()).absolutePath() + QStringLiteral("/openedindex");
}

// The files a family is drawn from, each once.
QStringList filesOf(const FontCatalog &catalog, const QString &family)
{
    QStringList files;
    for (const FontFace &face : catalog.faces(family)) {
        const QString file = QString::fromUtf8(face.file);
        if (!files.contains(file))
            files.append(file);
    }
    return files;
}

QString selectedFamily(const FontListView &list)
{
    const int entry = list.selectedRow();
    return entry < 0 ? QString() : list.familyAt(entry);
}

void selectFamily(FontListView &list, const QString &family)
{
    if (!family.isEmpty())
        list.selectRow(int(list.families().indexOf(family)));
}

} // namespace

// The opened files' catalogue with what draws from it, made anew at each reading. Gone in the
// order that keeps each part's catalogue alive while it lives. The list and its details belong to
// the window too, which may have deleted them already when it goes.
struct FontSources::OpenedList
{
    std::unique_ptr<FontCatalog> catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    FontIndex *index = nullptr;
    QPointer<FontListView> list;
    QPointer<ListDetails> details;

    ~OpenedList()
    {
        delete index;
        delete details;
        delete list;
    }
};

FontSources::FontSources(FontListView &installed, FontIndex &installedIndex, DisplayState &state,
                         FilterBar &bar, QVBoxLayout &layout, QWidget *window)
    : QObject(window)
    , m_installed(installed)
    , m_installedIndex(installedIndex)
    , m_state(state)
    , m_window(window)
    , m_reader(new FontFileReader(ArchiveUnpacker::defaultCacheFolder(), this))
    , m_installation(new FontInstallation(window))
    , m_watcher(new QFileSystemWatcher(this))
    , m_changed(new QTimer(this))
    , m_lists(new QStackedWidget(window))
    , m_openButton(new QToolButton(window))
    , m_progress(new QLabel(window))
    , m_stop(new QToolButton(window))
    , m_skipped(new QLabel(window))
{
    m_installedDetails = std::make_unique<ListDetails>(FontCatalog::system(), state,
                                                       &installedIndex, installed, window);
    // The lists take the installed one's place: the opened files cost the list no height.
    delete layout.replaceWidget(&installed, m_lists);
    m_lists->addWidget(&installed);

    // The switch between the two lists heads the button's menu: the tab strip has no room left.
    auto *menu = new QMenu(m_openButton);
    menu->setObjectName(QStringLiteral("MenuOuvrir"));
    auto *sources = new QActionGroup(menu);
    for (const QString &name : {QStringLiteral("Polices installées"), QString()}) {
        QAction *source = sources->addAction(name);
        source->setCheckable(true);
        menu->addAction(source);
        m_switch.append(source);
    }
    m_switch[Installed]->setChecked(true);
    connect(m_switch[Installed], &QAction::triggered, this, [this] { showSource(Installed); });
    connect(m_switch[Opened], &QAction::triggered, this, [this] { showSource(Opened); });
    menu->addSeparator();
    QAction *openFiles = menu->addAction(QStringLiteral("Ouvrir des polices..."));
    openFiles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    menu->addAction(QStringLiteral("Ouvrir un dossier..."), this, &FontSources::chooseFolder);
    menu->addSeparator();
    m_installShown = menu->addAction(QStringLiteral("Installer les familles affichées"), this,
                                     &FontSources::installShown);
    m_close
        = menu->addAction(QStringLiteral("Fermer les fichiers"), this, &FontSources::closeFiles);
    menu->addSeparator();
    m_reopen = menu->addAction(QStringLiteral("Rouvrir au démarrage"));
    m_reopen->setObjectName(QStringLiteral("RouvrirAuDemarrage"));
    m_reopen->setCheckable(true);
    connect(openFiles, &QAction::triggered, this, &FontSources::chooseFiles);
    m_openButton->setObjectName(QStringLiteral("OuvrirPolices"));
    m_openButton->setCheckable(true);
    m_openButton->setIcon(drawnIcon("open"));
    m_openButton->setAutoRaise(true);
    m_openButton->setMenu(menu);
    m_openButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_openButton->setAccessibleName(QStringLiteral("Ouvrir des polices"));
    m_openButton->setToolTip(QStringLiteral("Ouvrir des polices... (Ctrl+O)\n"
                                            "Fichiers, dossiers ou archives ZIP, sans les "
                                            "installer"));
    bar.addControl(m_openButton, FilterBar::Side::BesideMenu);
    connect(m_openButton, &QToolButton::clicked, this, [this] {
        m_openButton->setChecked(openedShown()); // a click opens the dialog, it switches nothing
        chooseFiles();
    });
    auto *openKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), window);
    connect(openKey, &QShortcut::activated, this, &FontSources::chooseFiles);

    // The reading's line under the list, and what it skipped once over.
    auto *reading = new QWidget(window);
    auto *row = new QHBoxLayout(reading);
    row->setContentsMargins(4, 0, 4, 0);
    row->addWidget(m_progress, 1);
    row->addWidget(m_stop);
    row->addWidget(m_skipped, 1);
    m_progress->setObjectName(QStringLiteral("LectureFichiers"));
    m_skipped->setObjectName(QStringLiteral("FichiersIgnores"));
    m_stop->setText(QStringLiteral("Arrêter"));
    m_stop->setAccessibleName(QStringLiteral("Arrêter la lecture des fichiers"));
    m_progress->hide();
    m_stop->hide();
    m_skipped->hide();
    layout.addWidget(reading);
    connect(m_stop, &QToolButton::clicked, m_reader, &FontFileReader::stop);

    connect(m_reader, &FontFileReader::facesRead, this, &FontSources::addFaces);
    connect(m_reader, &FontFileReader::progressed, this, [this](int read, int count) {
        m_progress->setText(
            count < 0 ? QStringLiteral("Lecture des fichiers : %1").arg(read)
                      : QStringLiteral("Lecture des fichiers : %1 sur %2").arg(read).arg(count));
    });
    connect(m_reader, &FontFileReader::finished, this,
            [this](const FontFileReader::Summary &summary) {
                readingFinished(summary.skipped, summary.messages, summary.stopped);
            });

    m_changed->setSingleShot(true);
    m_changed->setInterval(300);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_changed, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_changed,
            qOverload<>(&QTimer::start));
    connect(m_changed, &QTimer::timeout, this, &FontSources::readAgain);

    connect(m_installation, &FontInstallation::installedFontsChanged, this,
            &FontSources::listInstalledAgain);
    setUpLineMenus();
    followList(installed);
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    updateSwitch();
}

FontSources::~FontSources() = default;

void FontSources::setUpLineMenus()
{
    m_install = new QAction(QStringLiteral("Installer"), this);
    m_install->setObjectName(QStringLiteral("Installer"));
    connect(m_install, &QAction::triggered, this, [this] {
        if (const QString family = selectedFamily(current()); m_opened && !family.isEmpty())
            m_installation->install({{family, filesOf(*m_opened->catalog, family)}});
    });
    m_uninstall = new QAction(QStringLiteral("Désinstaller"), this);
    m_uninstall->setObjectName(QStringLiteral("Desinstaller"));
    connect(m_uninstall, &QAction::triggered, this, [this] {
        if (const QString family = selectedFamily(m_installed); !family.isEmpty())
            m_installation->uninstall({family, filesOf(FontCatalog::system(), family)});
    });
    m_installed.addLineAction(m_uninstall);
    // Only the user's own fonts: a system font's entry says why it is greyed out.
    connect(&m_installed, &FontListView::lineMenuRequested, this,
            [this](const QPoint &, int entry) {
                const QString family = entry < 0 ? QString() : m_installed.familyAt(entry);
                const bool aFamily = !family.isEmpty() && family != FontFamilies::DefaultEntry;
                const QString refusal = aFamily
                    ? FontInstallation::uninstallRefusal(filesOf(FontCatalog::system(), family))
                    : QString();
                m_uninstall->setEnabled(aFamily && refusal.isEmpty() && !m_installation->isBusy());
                m_uninstall->setToolTip(refusal);
            });
}

// What either list asks of the window: a favourite switched, and news of the lines it shows.
void FontSources::followList(FontListView &list)
{
    connect(&list, &FontListView::favouriteChosen, &m_state, [this](const QString &family) {
        m_state.setFavourite(family, !m_state.isFavourite(family));
    });
    connect(&list, &FontListView::shownFamiliesChanged, this, &FontSources::shownFamiliesChanged);
}

FontListView &FontSources::current() const
{
    return openedShown() ? *m_opened->list : m_installed;
}

bool FontSources::openedShown() const
{
    return m_opened && m_lists->currentWidget() == m_opened->list;
}

const FontCatalog &FontSources::currentCatalog() const
{
    return openedShown() ? *m_opened->catalog : FontCatalog::system();
}

const FontIndex &FontSources::currentIndex() const
{
    return openedShown() && m_opened->index ? *m_opened->index : m_installedIndex;
}

QString FontSources::openedFile(const QString &family) const
{
    if (!openedShown())
        return {};
    const QList<FontFace> faces = m_opened->catalog->faces(family);
    const auto distance = [](const FontFace &face) {
        return std::abs(face.weight - 80) + face.slant + std::abs(face.width - 100);
    };
    const auto regular
        = std::min_element(faces.cbegin(), faces.cend(), [&](const FontFace &a, const FontFace &b) {
              return distance(a) < distance(b);
          });
    return regular == faces.cend() ? QString() : QString::fromUtf8(regular->file);
}

QWidget *FontSources::listsWidget() const
{
    return m_lists;
}

ListDetails &FontSources::currentDetails() const
{
    return openedShown() ? *m_opened->details : *m_installedDetails;
}

QStringList FontSources::fontPathsIn(const QStringList &arguments)
{
    QStringList paths;
    for (const QString &argument : arguments) {
        const QFileInfo path(argument);
        const bool font = path.isDir()
            || (path.isFile()
                && (FontFileNames::isFontFile(argument) || FontFileNames::isZipArchive(argument)));
        if (!font)
            return {};
        paths.append(path.absoluteFilePath());
    }
    return paths;
}

void FontSources::open(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!m_paths.contains(absolute))
            m_paths.append(absolute);
    }
    if (m_paths.isEmpty())
        return;
    readAgain();
    showSource(Opened);
}

void FontSources::reopen(const QStringList &paths)
{
    QStringList there;
    for (const QString &path : paths) {
        if (QFileInfo::exists(path))
            there.append(path);
    }
    open(there);
}

void FontSources::chooseFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        m_window, QStringLiteral("Ouvrir des polices"), QString(),
        QStringLiteral("Polices et archives (*.ttf *.otf *.ttc *.otc *.woff *.woff2 *.pfb *.pfa "
                       "*.pcf *.pcf.gz *.bdf *.otb *.zip *.TTF *.OTF *.TTC *.ZIP);;"
                       "Tous les fichiers (*)"));
    if (!files.isEmpty())
        open(files);
}

void FontSources::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        m_window, QStringLiteral("Ouvrir un dossier de polices"));
    if (!folder.isEmpty())
        open({folder});
}

void FontSources::closeFiles()
{
    m_paths.clear();
    m_reader->stop();
    m_reader->forget();
    showSource(Installed);
    m_opened.reset();
    if (const QStringList watched = m_watcher->files() + m_watcher->directories();
        !watched.isEmpty())
        m_watcher->removePaths(watched);
    m_skipped->hide();
    updateSwitch();
    Q_EMIT shownFamiliesChanged();
}

bool FontSources::reopenAtStart() const
{
    return m_reopen->isChecked();
}

void FontSources::setReopenAtStart(bool reopen)
{
    m_reopen->setChecked(reopen);
}

void FontSources::showSource(int source)
{
    if (source == Opened && m_opened)
        m_lists->setCurrentWidget(m_opened->list);
    else
        m_lists->setCurrentWidget(&m_installed);
    m_switch[openedShown() ? Opened : Installed]->setChecked(true);
    // The button stands out while the opened files show.
    m_openButton->setChecked(openedShown());
    m_installShown->setEnabled(openedShown());
    Q_EMIT shownFamiliesChanged();
}

// Each reading starts from nothing: a rewritten, removed or added file is as the files are now.
void FontSources::readAgain()
{
    if (m_reader->isRunning()) {
        // Read again once this reading has stopped.
        m_reader->stop();
        m_changed->start();
        return;
    }
    const bool shown = openedShown();
    const QString selected = m_opened ? selectedFamily(*m_opened->list) : QString();
    m_opened = std::make_unique<OpenedList>();
    OpenedList &opened = *m_opened;
    opened.list = new FontListView(m_lists, *opened.catalog);
    opened.list->setObjectName(QStringLiteral("ListeOuverte"));
    opened.list->setDisplayState(&m_state);
    opened.list->setNamesShown(m_installed.namesShown());
    opened.list->setProperty("reselect", selected);
    opened.index = new FontIndex(*opened.catalog, openedCachePath());
    opened.list->setFontIndex(opened.index);
    opened.details
        = new ListDetails(*opened.catalog, m_state, opened.index, *opened.list, m_window);
    opened.list->addLineAction(m_install);
    connect(opened.list, &FontListView::lineMenuRequested, this, [this](const QPoint &, int entry) {
        m_install->setEnabled(entry >= 0 && !m_installation->isBusy());
    });
    followList(*opened.list);
    m_lists->addWidget(opened.list);
    if (shown)
        showSource(Opened);
    m_skipped->hide();
    m_progress->setText(QStringLiteral("Lecture des fichiers..."));
    m_progress->show();
    m_stop->show();
    m_reader->start(m_paths);
    updateSwitch();
}

void FontSources::addFaces(const FacePatterns &faces)
{
    if (!m_opened || m_opened->catalog->addFaces(faces).isEmpty())
        return;
    FontListView &list = *m_opened->list;
    const QString selected = selectedFamily(list);
    list.setFamilies(FontFamilies::sorted(m_opened->catalog->families()));
    // The line chosen before the files were read again, once its family is back.
    selectFamily(list, selected.isEmpty() ? list.property("reselect").toString() : selected);
    updateSwitch();
    Q_EMIT shownFamiliesChanged();
}

void FontSources::readingFinished(int skipped, const QStringList &messages, bool stopped)
{
    m_progress->hide();
    m_stop->hide();
    if (skipped > 0) {
        m_skipped->setText(FontFileMessages::skippedCaption(skipped));
        m_skipped->show();
    }
    if (m_changed->isActive())
        return; // read again at once
    if (m_opened)
        m_opened->index->start();
    watch();
    if (!messages.isEmpty() && !stopped) {
        QStringList shown = messages.mid(0, MostMessagesShown);
        if (messages.size() > MostMessagesShown)
            shown.append(QStringLiteral("…"));
        PlainMessage::show(shown.join(QLatin1Char('\n')), m_window);
    }
}

void FontSources::watch()
{
    if (const QStringList watched = m_watcher->files() + m_watcher->directories();
        !watched.isEmpty())
        m_watcher->removePaths(watched);
    if (!m_opened)
        return;
    QStringList folders;
    QStringList files;
    for (const QString &path : m_paths) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        folders.append(path);
        QDirIterator below(path, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (below.hasNext() && folders.size() < MostWatchedFolders)
            folders.append(below.next());
    }
    // The files themselves, for a rewrite in place; those unpacked from an archive are not the
    // user's to change.
    const QString unpacked = ArchiveUnpacker::defaultCacheFolder();
    for (const QString &family : m_opened->catalog->families()) {
        for (const QString &file : filesOf(*m_opened->catalog, family)) {
            if (files.size() < MostWatchedFiles && !file.startsWith(unpacked))
                files.append(file);
        }
    }
    files.removeDuplicates();
    m_watcher->addPaths(folders + files);
}

void FontSources::updateSwitch()
{
    const qsizetype count = m_opened ? m_opened->catalog->families().size() : 0;
    m_switch[Opened]->setText(QStringLiteral("Fichiers ouverts (%1)").arg(count));
    m_switch[Opened]->setEnabled(m_opened != nullptr);
    m_close->setEnabled(m_opened != nullptr);
    m_installShown->setEnabled(openedShown());
}

void FontSources::installShown()
{
    if (!openedShown())
        return;
    QList<FontInstallation::Family> families;
    for (const QString &family : m_opened->list->shownFamilies())
        families.append({family, filesOf(*m_opened->catalog, family)});
    m_installation->install(families);
}

void FontSources::listInstalledAgain()
{
    // The index reads the catalogue on its thread: not while it changes.
    m_installedIndex.stop();
    FontCatalog::reloadSystem();
    const QString selected = selectedFamily(m_installed);
    m_installed.setFamilies(FontFamilies::installed());
    selectFamily(m_installed, selected);
    m_installedIndex.start();
    Q_EMIT shownFamiliesChanged();
}

bool FontSources::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::DragEnter) {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        if (enter->mimeData()->hasUrls())
            enter->acceptProposedAction();
        return true;
    }
    if (watched == m_window && event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList paths;
        for (const QUrl &url : drop->mimeData()->urls()) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
        drop->acceptProposedAction();
        ErrorReport::guard([&] { open(paths); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}
