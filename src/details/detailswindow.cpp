#include "detailswindow.h"
#include "clearbutton.h"

#include "charactergrid.h"
#include "charactersearch.h"
#include "detailsplacement.h"
#include "displaystate.h"
#include "facechoice.h"
#include "facedescription.h"
#include "facerecord.h"
#include "folderopener.h"
#include "fontfamilies.h"
#include "fontindex.h"
#include "fontinformation.h"
#include "fontlanguages.h"
#include "fontlistview.h"
#include "linerenderer.h"
#include "plainmessage.h"
#include "samplerows.h"
#include "unicodeblocks.h"
#include "windowframe.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The languages of a face, named in French and sorted.
QStringList languageNames(const FontFace &face)
{
    QStringList names;
    for (const QString &code : FaceRecord::languageCodes(face.pattern))
        names.append(FontLanguages::frenchName(code));
    names.sort(Qt::CaseInsensitive);
    return names;
}

QScrollArea *scrolled(QWidget *content)
{
    auto *area = new QScrollArea;
    area->setWidget(content);
    area->setWidgetResizable(true);
    return area;
}

} // namespace

const QList<int> &DetailsWindow::waterfallSizes()
{
    static const QList<int> sizes {8, 9, 10, 11, 12, 14, 16, 18, 24, 30, 36, 48, 60, 72, 96};
    return sizes;
}

DetailsWindow::DetailsWindow(const FontCatalog &catalog, const DisplayState &state,
                             const FontIndex *index, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_catalog(catalog)
    , m_state(state)
    , m_index(index)
    , m_renderer(std::make_unique<LineRenderer>(catalog))
    , m_tabs(new QTabWidget(this))
    , m_styles(new SampleRows(*m_renderer))
    , m_face(new QComboBox)
    , m_sizes(new SampleRows(*m_renderer))
    , m_search(new QLineEdit)
    , m_grid(new CharacterGrid(*m_renderer))
    , m_character(new QLabel)
    , m_information(new QTextBrowser)
    , m_files(new QListWidget)
{
    setObjectName(QStringLiteral("Details"));
    resize(560, 480);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    m_tabs->addTab(scrolled(m_styles), QStringLiteral("Styles"));

    auto *sizesPage = new QWidget;
    auto *sizesLayout = new QVBoxLayout(sizesPage);
    auto *faceLine = new QHBoxLayout;
    auto *faceLabel = new QLabel(QStringLiteral("Style :"));
    faceLabel->setBuddy(m_face);
    m_face->setObjectName(QStringLiteral("DetailsStyle"));
    m_face->setAccessibleName(QStringLiteral("Style"));
    faceLine->addWidget(faceLabel);
    faceLine->addWidget(m_face, 1);
    sizesLayout->addLayout(faceLine);
    sizesLayout->addWidget(scrolled(m_sizes));
    m_tabs->addTab(sizesPage, QStringLiteral("Tailles"));

    auto *charactersPage = new QWidget;
    auto *charactersLayout = new QVBoxLayout(charactersPage);
    m_search->setObjectName(QStringLiteral("ChercherCaractere"));
    m_search->setPlaceholderText(
        QStringLiteral("Chercher : U+00E9, é ou des mots du nom (small e acute) ; F3 : suivant"));
    m_search->setAccessibleName(QStringLiteral("Chercher un caractère"));
    enableNamedClearButton(m_search);
    m_grid->setObjectName(QStringLiteral("Caracteres"));
    m_grid->setAccessibleName(QStringLiteral("Caractères de la police"));
    m_character->setObjectName(QStringLiteral("CaractereChoisi"));
    m_character->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_character->setTextFormat(Qt::PlainText);
    charactersLayout->addWidget(m_search);
    charactersLayout->addWidget(m_grid, 1);
    charactersLayout->addWidget(m_character);
    m_tabs->addTab(charactersPage, QStringLiteral("Caractères"));

    auto *informationPage = new QWidget;
    auto *informationLayout = new QVBoxLayout(informationPage);
    m_information->setObjectName(QStringLiteral("Informations"));
    m_information->setOpenExternalLinks(true);
    m_files->setObjectName(QStringLiteral("Fichiers"));
    m_files->setAccessibleName(QStringLiteral("Fichiers de la famille"));
    m_files->setMaximumHeight(80);
    auto *copyPath = new QPushButton(QStringLiteral("Copier le chemin"));
    copyPath->setObjectName(QStringLiteral("CopierChemin"));
    auto *openFolder = new QPushButton(QStringLiteral("Ouvrir le dossier"));
    openFolder->setObjectName(QStringLiteral("OuvrirDossier"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyPath);
    buttons->addWidget(openFolder);
    informationLayout->addWidget(m_information, 1);
    informationLayout->addWidget(m_files);
    informationLayout->addLayout(buttons);
    m_tabs->addTab(informationPage, QStringLiteral("Informations"));

    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    connect(m_face, &QComboBox::currentIndexChanged, this, [this] {
        fillSamples();
        fillCharacters();
    });
    connect(m_search, &QLineEdit::textChanged, this, [this] { findCharacter(false); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { findCharacter(true); });
    connect(new QShortcut(Qt::Key_F3, this), &QShortcut::activated, this,
            [this] { findCharacter(true); });
    m_search->installEventFilter(this);
    connect(m_grid, &CharacterGrid::selectionChanged, this, &DetailsWindow::showCharacter);
    const auto selectedPath = [this] {
        QListWidgetItem *item = m_files->currentItem() ? m_files->currentItem() : m_files->item(0);
        return item ? item->text() : QString();
    };
    connect(copyPath, &QPushButton::clicked, this, [selectedPath] {
        if (!selectedPath().isEmpty())
            QApplication::clipboard()->setText(selectedPath());
    });
    auto *folders = new FolderOpener(this);
    connect(openFolder, &QPushButton::clicked, this, [selectedPath, folders] {
        if (!selectedPath().isEmpty())
            folders->open(QFileInfo(selectedPath()).absolutePath());
    });
    connect(folders, &FolderOpener::failed, this,
            [this](const QString &message) { PlainMessage::show(message, this); });
    // The sample, its size, style, colours and typography, as they change; a filter changes none
    // of them.
    const DisplayState::Aspects drawn = DisplayState::Sample | DisplayState::Size
        | DisplayState::Style | DisplayState::Colours | DisplayState::Typography;
    connect(&state, &DisplayState::changed, this, [this, drawn](DisplayState::Aspects what) {
        if (isVisible() && !m_entry.isEmpty() && (what & drawn) && sampleLook() != m_shown)
            fillSamples();
    });
}

DetailsWindow::~DetailsWindow() = default;

void DetailsWindow::placeBeside(const FontListView &list)
{
    const QWidget *main = list.window();
    // The window manager frames this window as it frames the list's.
    setGeometry(DetailsPlacement::place(main->frameGeometry(), list.namesOnScreen(),
                                        WindowFrame::availableScreen(main), size(),
                                        WindowFrame::margins(main)));
}

bool DetailsWindow::event(QEvent *event)
{
    // Coming back to the window: the state may have changed while it was hidden, and a file been
    // removed meanwhile.
    if (event->type() == QEvent::WindowActivate && !m_entry.isEmpty()) {
        const bool filesChanged = filesFound() != m_filesFound;
        if (filesChanged || sampleLook() != m_shown)
            fillSamples();
        if (filesChanged || lineFace() != m_describedFace)
            fillInformation();
    }
    return QWidget::event(event);
}

DetailsWindow::SampleLook DetailsWindow::sampleLook() const
{
    return {m_state.Chaine(),       m_state.Taille(),       m_state.AttrGras(),
            m_state.AttrItal(),     m_state.CouleurTexte(), m_state.CouleurFond(),
            m_face->currentIndex(), m_state.typography()};
}

QList<bool> DetailsWindow::filesFound() const
{
    QList<bool> found;
    for (const FontFace &face : m_faces)
        found.append(QFileInfo::exists(QString::fromUtf8(face.file)));
    return found;
}

qsizetype DetailsWindow::lineFace() const
{
    return chooseFace(m_faces, m_state.AttrGras(), m_state.AttrItal()).face;
}

void DetailsWindow::setFamily(const QString &entry)
{
    if (entry == m_entry)
        return;
    m_entry = entry;
    m_family = FontFamilies::entryFamily(entry);
    m_faces = m_catalog.faces(m_family);
    setWindowTitle(QStringLiteral("Détails - ") + entry);
    fill();
}

void DetailsWindow::showTab(Tab tab)
{
    m_tabs->setCurrentIndex(int(tab));
}

void DetailsWindow::fill()
{
    const QSignalBlocker quiet(m_face);
    m_face->clear();
    for (const FontFace &face : std::as_const(m_faces))
        m_face->addItem(FaceRecord::styleName(face.pattern));
    // The face the lines use for the current bold and italic comes first in view.
    m_face->setCurrentIndex(int(std::max<qsizetype>(0, lineFace())));
    fillSamples();
    fillCharacters();
    fillInformation();
}

void DetailsWindow::fillSamples()
{
    ++m_sampleFills;
    m_shown = sampleLook();
    m_filesFound = filesFound();
    const QColor ink = toQColor(m_state.CouleurTexte());
    const QColor paper = toQColor(m_state.CouleurFond());
    const double pixels = std::max(1, m_state.Taille()) * logicalDpiY() / 72.0;
    const qsizetype drawnFace = lineFace();

    QList<SampleRows::Row> styles;
    for (qsizetype i = 0; i < m_faces.size(); ++i) {
        const FontFace &face = m_faces[i];
        QString label = FaceRecord::styleName(face.pattern) + QStringLiteral(" — ")
            + FaceDescription::describe(face.weight, face.width, face.slant);
        if (i == drawnFace)
            label += QStringLiteral("  ★ celle des lignes");
        if (!m_filesFound[i])
            label += QStringLiteral("  (fichier introuvable)");
        LineStyle style;
        style.pixelSize = pixels;
        style.face = int(i);
        style.typography = m_state.typography();
        styles.append({label, m_family, style});
    }
    m_styles->setColours(ink, paper);
    m_styles->setRows(styles, m_state.Chaine());

    QList<SampleRows::Row> sizes;
    for (const int points : waterfallSizes()) {
        LineStyle style;
        style.pixelSize = points * logicalDpiY() / 72.0;
        style.points = points;
        style.face = m_face->currentIndex();
        style.typography = m_state.typography();
        sizes.append({QString::number(points) + QStringLiteral(" pt"), m_family, style});
    }
    m_sizes->setColours(ink, paper);
    m_sizes->setRows(sizes, m_state.Chaine());
}

void DetailsWindow::fillCharacters()
{
    const int face = m_face->currentIndex();
    m_grid->setColours(toQColor(m_state.CouleurTexte()), toQColor(m_state.CouleurFond()));
    m_grid->setFace(m_family, face,
                    face >= 0 && face < m_faces.size()
                        ? FaceRecord::characters(m_faces[face].pattern)
                        : QList<char32_t>());
    m_character->setText(QString::number(m_grid->characters().size())
                         + QStringLiteral(" caractères ; cliquez sur l'un d'eux, Ctrl+C le copie"));
}

void DetailsWindow::fillInformation()
{
    QList<FontInformation::Face> files;
    m_files->clear();
    for (const FontFace &face : std::as_const(m_faces)) {
        FontInformation::Face file;
        file.path = QString::fromUtf8(face.file);
        file.exists = QFileInfo::exists(file.path);
        if (file.exists) {
            file.metadata = m_index ? m_index->metadata(face.file, face.index) : std::nullopt;
            if (!file.metadata)
                file.metadata = readFaceMetadata(face.file, face.index);
        }
        if (!m_files->findItems(file.path, Qt::MatchExactly).isEmpty())
            continue;
        m_files->addItem(file.path);
        files.append(file);
    }
    m_describedFace = lineFace();
    FontInformation::Face shown;
    QStringList languages;
    if (m_describedFace >= 0) {
        const FontFace &described = m_faces[m_describedFace];
        shown.path = QString::fromUtf8(described.file);
        shown.exists = QFileInfo::exists(shown.path);
        for (const FontInformation::Face &file : std::as_const(files)) {
            if (file.path == shown.path)
                shown.metadata = file.metadata;
        }
        languages = languageNames(described);
    }
    // The path buttons act on the face the page describes until another file is chosen.
    const QList<QListWidgetItem *> described = m_files->findItems(shown.path, Qt::MatchExactly);
    if (!described.isEmpty())
        m_files->setCurrentItem(described.first());
    m_information->setHtml(FontInformation::html(m_family, shown, languages, files));
}

void DetailsWindow::showCharacter(char32_t character)
{
    m_character->setText(UnicodeBlocks::codePoint(character) + QStringLiteral("  ")
                         + UnicodeBlocks::characterName(character)
                         + QStringLiteral("  (Ctrl+C pour le copier)"));
}

// From the start as the search changes; from the chosen character on Enter or F3.
void DetailsWindow::findCharacter(bool next)
{
    if (m_search->text().trimmed().isEmpty())
        return;
    const qsizetype place = CharacterSearch::find(m_grid->characters(), m_search->text(),
                                                  next ? m_grid->selected() : -1);
    if (place >= 0)
        m_grid->select(m_grid->characters()[place]);
    else
        m_character->setText(QStringLiteral("Aucun caractère de cette police ne correspond"));
}

bool DetailsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+C in the search field copies the chosen character, as the line under the grid says,
    // unless some of the field's own text is selected.
    if (watched == m_search
        && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
        && !m_search->hasSelectedText() && m_grid->selected() >= 0) {
        if (event->type() == QEvent::KeyPress)
            QApplication::clipboard()->setText(
                QString::fromUcs4(&m_grid->characters()[m_grid->selected()], 1));
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
