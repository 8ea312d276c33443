#include "../print/messagecatcher.h"
#include "../tray/faketray.h"
#include "application.h"
#include "catalogueprinting.h"
#include "colorgrid.h"
#include "displaystate.h"
#include "fontcatalog.h"
#include "fontlistview.h"
#include "helprequests.h"
#include "helpwindow.h"
#include "paintcounter.h"
#include "samplecombo.h"
#include "settings.h"
#include "sizefield.h"
#include "tapropos.h"
#include "teform1.h"
#include "ttrayicon.h"
#include "windows1252.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

// A column of the current data row, read where it is compared.
#define FETCHED(Type, name) (*static_cast<Type *>(QTest::qData(#name, ::qMetaTypeId<Type>())))

namespace {

QStringList entries(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

} // namespace

class TestTEForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Application::setUp(*qApp); }
    void init();
    void cleanup();
    void startUp_data();
    void startUp();
    void pressOnTheTextPageFlipsTheNameTip();
    void panelHintsFollowTheBox();
    void iconsDrawnAtDoubleSize();
    void validClick_data();
    void validClick();
    void historyKeepsRepeats();
    void enterAppliesWithoutOwnEntries();
    void attributeToggles();
    void activeFiltersNamedForScreenReaders();
    void resetOnEachPage_data();
    void resetOnEachPage();
    void allCharactersOnEachPage();
    void pagesSwapTheComboBox();
    void textPageFontChoiceMovesTheSelection();
    void arrowKeysStartFromTheShownEntry();
    void pastedLineBreaksBecomeSpaces();
    void colours();
    void nameMenu();
    void closeWritesOrKeepsTheWindow();
    void closesWithFilesOpened();
    void windowStateKept_data();
    void windowStateKept();
    void shortcuts_data();
    void shortcuts();
    void helpAndAboutBox();
    void characterMap();
    void printButton();
    void closeWhilePrinting();
    void toTrayButtonKeepsTheFocus();
    void tabOrder();
    void typographyPanel();

private:
    void createWindow(const QByteArray &settings = {});
    template<typename T> T *child(const char *name) const
    {
        T *found = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    void showPage(int index) { child<QTabWidget>("NPage")->setCurrentIndex(index); }
    static HelpWindow *shownHelp()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *help = qobject_cast<HelpWindow *>(window); help && help->isVisible())
                return help;
        }
        return nullptr;
    }
    // What the list draws from.
    const DisplayState &state() const { return *child<FontListView>("ListBox1")->displayState(); }
    // The menu over the list, as a right click at a point of it opens it: closed at once, its
    // items set.
    void openLineMenu(const QPoint &at)
    {
        QWidget *lines = child<FontListView>("ListBox1")->viewport();
        QTimer::singleShot(0, m_form.get(), [this] { child<QMenu>("LigneMenu")->close(); });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, lines->mapToGlobal(at));
        QApplication::sendEvent(lines, &event);
    }
    void apply(const QString &sample)
    {
        child<SampleCombo>("txtEdit")->setFieldText(sample);
        child<QPushButton>("valid")->click();
    }

    QTemporaryDir m_dir;
    QString m_settingsPath;
    std::unique_ptr<TEForm1> m_form;
    FakeTray *m_tray = nullptr;
};

void TestTEForm1::init()
{
    m_settingsPath = m_dir.filePath(QStringLiteral("glyphor/glyphor.ini"));
    QFile::remove(m_settingsPath);
}

void TestTEForm1::cleanup()
{
    m_form.reset();
}

void TestTEForm1::createWindow(const QByteArray &settings)
{
    if (!settings.isNull()) {
        QDir().mkpath(m_dir.filePath(QStringLiteral("glyphor")));
        QFile file(m_settingsPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settings);
    }
    auto tray = std::make_unique<FakeTray>();
    m_tray = tray.get();
    m_form = std::make_unique<TEForm1>(QStringList {"glyphor"}, m_settingsPath, nullptr,
                                       std::move(tray));
    // In the tray before the window first shows.
    QVERIFY(m_tray->iconVisible);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestTEForm1::startUp_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("taille");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("hints");

    QTest::newRow("no file") << QByteArray() << "12" << 12 << 22 << true << true;
    QTest::newRow("size 100 comes back as 72")
        << QByteArray("[glyphor]\nSize=100\n") << "72" << 72 << 112 << true << true;
    // An empty sample stops the apply step, so the stored size stays; a height of 0 is refused.
    QTest::newRow("size -3 with an empty sample")
        << QByteArray("[glyphor]\nString=\nSize=-3\n") << "6" << -3 << 22 << true << true;
    QTest::newRow("names and hints off") << QByteArray("[GLYPHOR]\nshownames=0\nShowHints=0\n")
                                         << "12" << 12 << 22 << false << false;
}

void TestTEForm1::startUp()
{
    QFETCH(QByteArray, settings);
    createWindow(settings);
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Glyphor 3.5 *** 6 fontes disponibles"));
    QCOMPARE(child<SizeField>("SpinEdit1")->text(), FETCHED(QString, field));
    QCOMPARE(state().Taille(), FETCHED(int, taille));
    QCOMPARE(child<FontListView>("ListBox1")->lineHeight(), FETCHED(int, lineHeight));
    QCOMPARE(child<QAction>("IndiqueNom")->isChecked(), FETCHED(bool, names));
    QCOMPARE(child<FontListView>("ListBox1")->namesShown(), FETCHED(bool, names));
    QCOMPARE(child<QCheckBox>("AfBulles")->isChecked(), FETCHED(bool, hints));
    QCOMPARE(entries(child<SampleCombo>("txtEdit")), QStringList {state().Chaine()});
    QCOMPARE(m_form->size(), QSize(472, 470));
    QCOMPARE(child<QWidget>("Panel1")->geometry(), QRect(0, 382, 472, 88));
}

void TestTEForm1::pressOnTheTextPageFlipsTheNameTip()
{
    createWindow();
    auto *list = child<FontListView>("ListBox1");
    child<QAction>("IndiqueNom")->trigger();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, 44 + 5));
    QVERIFY(list->nameTipEnabled());
    QTest::mousePress(child<QPlainTextEdit>("Memo1")->viewport(), Qt::LeftButton);
    QVERIFY(!list->nameTipEnabled());
}

void TestTEForm1::panelHintsFollowTheBox()
{
    createWindow(QByteArray("[glyphor]\nShowHints=0\n"));
    const auto tipShownFor = [](QWidget *widget) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &help);
        return QToolTip::isVisible() && QToolTip::text() == widget->toolTip();
    };
    auto *box = child<QCheckBox>("AfBulles");
    QVERIFY(!tipShownFor(child<QPushButton>("gras")));
    QVERIFY(!tipShownFor(child<SizeField>("SpinEdit1")));
    QVERIFY(tipShownFor(box)); // the box's own hint always shows
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(tipShownFor(child<QPushButton>("gras")));
    QCOMPARE(child<QPushButton>("gras")->toolTip(),
             QStringLiteral("Activer/désactiver\nl'attribut GRAS\nCtrl+B"));
}

// On a screen scaled by 2, each icon of the panel and the tabs is its double-size drawing, also
// when no scaled screen was there as the window was made (as here).
void TestTEForm1::iconsDrawnAtDoubleSize()
{
    createWindow();
    auto *tabs = child<QTabWidget>("NPage");
    const std::pair<QIcon, const char *> icons[] = {
        {child<QAbstractButton>("SpeedButton1")->icon(), "print"},
        {child<QAbstractButton>("GenererrHTML")->icon(), "html"},
        {child<QAbstractButton>("charmap")->icon(), "charmap"},
        {child<QAbstractButton>("Aide")->icon(), "help"},
        {child<QAbstractButton>("BitBtn1")->icon(), "totray"},
        {tabs->tabIcon(0), "lines"},
        {tabs->tabIcon(1), "text"},
    };
    for (const auto &[icon, drawing] : icons) {
        const QString path = QStringLiteral(":/icons/") + QLatin1String(drawing);
        const auto image = [](const QImage &image) {
            return image.convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(image(icon.pixmap(QSize(16, 16), 1.0).toImage()),
                 image(QImage(path + QStringLiteral(".xpm"))));
        QCOMPARE(image(icon.pixmap(QSize(16, 16), 2.0).toImage()),
                 image(QImage(path + QStringLiteral("@2x.xpm"))));
    }
}

void TestTEForm1::validClick_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("chaine");
    QTest::addColumn<QString>("fieldAfter");
    QTest::addColumn<int>("taille");
    QTest::addColumn<int>("historyGrowth");
    QTest::addColumn<bool>("repainted");

    const QString stored = Settings::defaultSampleString();
    QTest::newRow("nothing changed") << stored << "12" << stored << "12" << 12 << 0 << false;
    QTest::newRow("new sample") << "abc"
                                << "12"
                                << "abc"
                                << "12" << 12 << 1 << true;
    QTest::newRow("new size") << stored << "20" << stored << "20" << 20 << 0 << true;
    QTest::newRow("out of range puts the field back") << "abc"
                                                      << "125"
                                                      << "abc"
                                                      << "12" << 12 << 1 << true;
    QTest::newRow("empty size field reads as 6") << stored << "" << stored << "" << 6 << 0 << true;
    QTest::newRow("empty box puts the sample back") << ""
                                                    << "12" << stored << "12" << 12 << 0 << false;
}

void TestTEForm1::validClick()
{
    QFETCH(QString, sample);
    QFETCH(QString, sizeText);
    createWindow();
    auto *combo = child<SampleCombo>("txtEdit");
    auto *field = child<SizeField>("SpinEdit1");
    auto *list = child<FontListView>("ListBox1");
    PaintCounter counter(list->viewport());
    const int historyBefore = combo->count();

    const int measured = list->LargeurNoms();
    QVERIFY(measured > 0);
    counter.paints = 0;
    field->setText(sizeText); // runs the apply step, as typing does
    combo->setFieldText(sample);
    child<QPushButton>("valid")->click();

    QCOMPARE(state().Chaine(), FETCHED(QString, chaine));
    QCOMPARE(field->text(), FETCHED(QString, fieldAfter));
    QCOMPARE(state().Taille(), FETCHED(int, taille));
    QCOMPARE(list->lineHeight(), lineHeightFor(state().Taille()));
    QCOMPARE(combo->currentText(), state().Chaine().isEmpty() ? sample : state().Chaine());
    QCOMPARE(combo->count() - historyBefore, FETCHED(int, historyGrowth));
    QFETCH(bool, repainted);
    if (!repainted) {
        QCOMPARE(counter.paints, 0);
        QCOMPARE(list->LargeurNoms(), measured);
    }
}

void TestTEForm1::historyKeepsRepeats()
{
    createWindow();
    apply(QStringLiteral("abc"));
    apply(QStringLiteral("xyz"));
    auto *combo = child<SampleCombo>("txtEdit");
    combo->setCurrentIndex(1); // picked from the drop-down list
    child<QPushButton>("valid")->click();
    QCOMPARE(entries(combo), (QStringList {"abc", "xyz", "abc", Settings::defaultSampleString()}));
}

void TestTEForm1::enterAppliesWithoutOwnEntries()
{
    createWindow();
    auto *combo = child<SampleCombo>("txtEdit");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Bonjour"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(state().Chaine(), QStringLiteral("Bonjour"));
    QCOMPARE(entries(combo), (QStringList {"Bonjour", Settings::defaultSampleString()}));

    // Typing the first letters of an entry completes it, the rest selected.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("bon"));
    QCOMPARE(combo->currentText(), QStringLiteral("Bonjour"));
    QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("jour"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(combo->currentText(), QStringLiteral("Bon"));
}

void TestTEForm1::attributeToggles()
{
    createWindow();
    auto *bold = child<QPushButton>("gras");
    PaintCounter counter(child<FontListView>("ListBox1")->viewport());
    bold->click();
    QCOMPARE(bold->text(), QStringLiteral("G!"));
    QVERIFY(state().AttrGras());
    // A toggle button to a screen reader, which hears its state.
    const QAccessible::State accessible = QAccessible::queryAccessibleInterface(bold)->state();
    QVERIFY(accessible.checkable && accessible.checked);
    bold->click();
    QVERIFY(!QAccessible::queryAccessibleInterface(bold)->state().checked);
    QCOMPARE(bold->text(), QStringLiteral("G"));
    QVERIFY(!state().AttrGras());
    QCOMPARE(counter.paints, 2);
    child<QPushButton>("soul")->click();
    QCOMPARE(child<QPushButton>("soul")->text(), QStringLiteral("S!"));

    showPage(1);
    child<QPushButton>("ital")->click();
    QCOMPARE(child<QPushButton>("ital")->text(), QStringLiteral("I!"));
    const QFont memo = child<QPlainTextEdit>("Memo1")->font();
    QVERIFY(memo.italic() && memo.underline() && !memo.bold());
}

// The line naming the filters tells a screen reader which are on, not only that some are.
void TestTEForm1::activeFiltersNamedForScreenReaders()
{
    createWindow();
    FamilyFilter filter;
    filter.favouritesOnly = true;
    m_form->findChild<DisplayState *>()->setFilter(filter);
    auto *summary = child<QLabel>("FiltresActifs");
    QVERIFY(!summary->text().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(summary)->text(QAccessible::Name),
             QStringLiteral("Filtres actifs : ") + summary->text());
    // The typography set is named beside them.
    Typography typography;
    typography.features.insert("smcp", true);
    m_form->findChild<DisplayState *>()->setTypography(typography);
    QCOMPARE(summary->text(), QStringLiteral("favoris · smcp"));
    QCOMPARE(QAccessible::queryAccessibleInterface(summary)->text(QAccessible::Name),
             QStringLiteral("Filtres actifs : favoris ; Typographie : smcp"));
}

void TestTEForm1::resetOnEachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("Lines") << 0;
    QTest::newRow("Text") << 1;
}

void TestTEForm1::resetOnEachPage()
{
    QFETCH(int, page);
    createWindow();
    apply(QStringLiteral("abc"));
    child<QPushButton>("gras")->click();
    child<SizeField>("SpinEdit1")->setValue(30);
    child<ColorGrid>("ColorGrid1")->setBackgroundIndex(4);
    showPage(page);
    child<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("edited"));

    child<QPushButton>("Button1")->click();
    QVERIFY(!state().AttrGras());
    QCOMPARE(child<QPushButton>("gras")->text(), QStringLiteral("G"));
    QCOMPARE(child<SizeField>("SpinEdit1")->value(), 12);
    QCOMPARE(state().CouleurFond(), 0xFFFFFFu);
    QCOMPARE(child<ColorGrid>("ColorGrid1")->BackgroundIndex(), 15);
    QFile defaultText(QStringLiteral(":/texte.txt"));
    QVERIFY(defaultText.open(QIODevice::ReadOnly));
    const QString memoTexte = QString::fromUtf8(defaultText.readAll()).trimmed();
    QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), memoTexte);
    QCOMPARE(memoTexte.count(u'\n') + 1, 11);
    if (page == 0) {
        QCOMPARE(state().Chaine(), Settings::defaultSampleString());
        QCOMPARE(state().Taille(), 12);
    } else {
        // The sample and the history stay; the size reaches the list with the Lines page.
        QCOMPARE(state().Chaine(), QStringLiteral("abc"));
        showPage(0);
        QCOMPARE(entries(child<SampleCombo>("txtEdit")),
                 (QStringList {"abc", Settings::defaultSampleString()}));
        QCOMPARE(state().Taille(), 12);
    }
}

void TestTEForm1::allCharactersOnEachPage()
{
    createWindow();
    const QString all = Windows1252::charactersOfCodes(32, 255);
    QCOMPARE(all.size(), 224);
    QCOMPARE(all.at(0), QLatin1Char(' '));
    QCOMPARE(all.at(128 - 32), QChar(0x20AC)); // the euro sign of code 128

    auto *stars = child<QPushButton>("TousCar");
    stars->click();
    QCOMPARE(state().Chaine(), all);
    const int history = child<SampleCombo>("txtEdit")->count();
    stars->click();
    QCOMPARE(child<SampleCombo>("txtEdit")->count(), history);

    showPage(1);
    stars->click();
    const QStringList lines = child<QPlainTextEdit>("Memo1")->toPlainText().split('\n');
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.first(), QStringLiteral(" "));
    QCOMPARE(lines.at(1), QStringLiteral("  ") + all.left(30));
    QCOMPARE(lines.last(), QStringLiteral("  ") + all.right(14));
}

void TestTEForm1::pagesSwapTheComboBox()
{
    createWindow();
    apply(QStringLiteral("abc"));
    apply(QStringLiteral("xyz"));
    auto *combo = child<SampleCombo>("txtEdit");
    const QStringList history = entries(combo);

    showPage(1);
    QCOMPARE(entries(combo), child<FontListView>("ListBox1")->families());
    QCOMPARE(combo->currentText(), QStringLiteral("Default")); // nothing selected: entry 0
    QVERIFY(!child<QPushButton>("valid")->isEnabled());
    QVERIFY(!child<QAction>("IndiqueNom")->isEnabled());
    QCOMPARE(combo->palette().color(QPalette::Base), QColor(Qt::black));
    child<SizeField>("SpinEdit1")->setValue(30);
    QCOMPARE(child<QPlainTextEdit>("Memo1")->font().pointSize(), 30);
    QCOMPARE(state().Taille(), 12);

    showPage(0);
    QCOMPARE(entries(combo), history);
    QCOMPARE(combo->currentText(), QStringLiteral("xyz"));
    QVERIFY(child<QPushButton>("valid")->isEnabled());
    QVERIFY(child<QAction>("IndiqueNom")->isEnabled());
    QCOMPARE(state().Taille(), 30);
    QCOMPARE(child<FontListView>("ListBox1")->lineHeight(), 49);
}

void TestTEForm1::textPageFontChoiceMovesTheSelection()
{
    createWindow();
    auto *list = child<FontListView>("ListBox1");
    auto *combo = child<SampleCombo>("txtEdit");
    list->selectRow(4);
    showPage(1);
    QCOMPARE(combo->currentText(), QStringLiteral("Liberation Sans"));
    QCOMPARE(child<QPlainTextEdit>("Memo1")->font().family(), QStringLiteral("Liberation Sans"));

    // Typing completes to a font, which the text area and the list follow at once.
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("dejavu se"));
    QCOMPARE(combo->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(list->selectedRow(), 2);
    QCOMPARE(child<QPlainTextEdit>("Memo1")->font().family(), QStringLiteral("DejaVu Serif"));
    QVERIFY(!list->nameTipEnabled()); // not a selection by the user

    // A name that is no entry leaves no line selected, and is still applied.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("x"));
    QCOMPARE(list->selectedRow(), -1);
    QCOMPARE(child<QPlainTextEdit>("Memo1")->font().family(), QStringLiteral("DejaVu Sex"));

    combo->setCurrentIndex(5);
    Q_EMIT combo->activated(5);
    showPage(0);
    QCOMPARE(list->selectedRow(), 5);
    child<QAction>("Copiernomdelafonte1")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Liberation Serif"));
}

void TestTEForm1::arrowKeysStartFromTheShownEntry()
{
    createWindow();
    auto *combo = child<SampleCombo>("txtEdit");
    const auto press = [combo](Qt::Key key) {
        QTest::keyClick(combo->lineEdit(), key);
        return combo->currentText();
    };
    combo->setFocus();

    // Lines page: the applied sample is the top entry and the one shown.
    apply(QStringLiteral("un"));
    apply(QStringLiteral("deux"));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(press(Qt::Key_Down), QStringLiteral("un"));
    QCOMPARE(press(Qt::Key_Down), Settings::defaultSampleString());
    QCOMPARE(press(Qt::Key_Up), QStringLiteral("un"));
    QCOMPARE(press(Qt::Key_Up), QStringLiteral("deux"));

    // Completion makes the completed entry the shown one.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("u"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(press(Qt::Key_Up), QStringLiteral("deux"));

    // Text page: a font chosen in the list is the entry Down starts from.
    showPage(0);
    child<FontListView>("ListBox1")->selectRow(3);
    showPage(1);
    QCOMPARE(combo->currentText(), QStringLiteral("Liberation Mono"));
    QCOMPARE(press(Qt::Key_Down), QStringLiteral("Liberation Sans"));
    QCOMPARE(child<FontListView>("ListBox1")->selectedRow(), 4);

    // Back on the Lines page, the most recent sample is shown and current.
    showPage(0);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(press(Qt::Key_Down), QStringLiteral("un"));

    // The Text page shows the list's own entries, not a copy; switching pages changes neither
    // the list nor the samples.
    auto *list = child<FontListView>("ListBox1");
    const QStringList families = list->families();
    showPage(1);
    QCOMPARE(combo->model(), list->familyModel());
    showPage(0);
    QVERIFY(combo->model() != list->familyModel());
    QCOMPARE(list->families(), families);
    QCOMPARE(combo->itemText(0), QStringLiteral("deux"));
    QCOMPARE(combo->itemText(1), QStringLiteral("un"));
}

void TestTEForm1::pastedLineBreaksBecomeSpaces()
{
    createWindow();
    auto *combo = child<SampleCombo>("txtEdit");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("une\r\ndeux\ntrois\rquatre"));
    QTest::keySequence(combo->lineEdit(), QKeySequence::Paste);
    QCOMPARE(combo->currentText(), QStringLiteral("une deux trois quatre"));
    QCOMPARE(combo->lineEdit()->cursorPosition(), combo->currentText().size());
    child<QPushButton>("valid")->click();
    QCOMPARE(state().Chaine(), QStringLiteral("une deux trois quatre"));
    QVERIFY(m_form->close());
    QFile file(m_settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nString=une deux trois quatre\n"));
}

void TestTEForm1::colours()
{
    createWindow();
    auto *grid = child<ColorGrid>("ColorGrid1");
    auto *list = child<FontListView>("ListBox1");
    QTest::mouseClick(grid, Qt::RightButton, {}, grid->cellRect(12).center());
    QCOMPARE(state().CouleurFond(), 0xFF0000u);
    QCOMPARE(list->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(child<QPlainTextEdit>("Memo1")->palette().color(QPalette::Base), QColor(0, 0, 255));

    // "T+": the chosen colour, and no cell marked "T"; a grid click on the background keeps it.
    QTimer::singleShot(0, m_form.get(), [this] {
        child<QColorDialog>("Couleurs")->setCurrentColor(QColor(0x12, 0x34, 0x56));
        child<QColorDialog>("Couleurs")->accept();
    });
    child<QPushButton>("TPlus")->click();
    QCOMPARE(state().CouleurTexte(), 0x563412u);
    QCOMPARE(grid->ForegroundIndex(), -1);
    QTest::mouseClick(grid, Qt::RightButton, {}, grid->cellRect(3).center());
    QCOMPARE(state().CouleurTexte(), 0x563412u);
    QCOMPARE(list->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));

    // Cancelling changes nothing.
    QTimer::singleShot(0, m_form.get(), [this] { child<QColorDialog>("Couleurs")->reject(); });
    child<QPushButton>("FPlus")->click();
    QCOMPARE(grid->BackgroundIndex(), 3);
    QCOMPARE(state().CouleurFond(), 0x008080u);
}

void TestTEForm1::nameMenu()
{
    createWindow();
    auto *list = child<FontListView>("ListBox1");
    auto *copy = child<QAction>("Copiernomdelafonte1");
    // Below the lines the names can still be shown or hidden (the entries acting on a line are
    // greyed: the list's own test).
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, 22 * 1 + 5));
    openLineMenu(QPoint(30, list->viewport()->height() - 5));
    QVERIFY(child<QAction>("IndiqueNom")->isEnabled());
    // On another line than the one selected: that line's name.
    openLineMenu(QPoint(30, 22 * 4 + 5));
    QVERIFY(copy->isEnabled());
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Liberation Sans"));

    // Hiding the names moves the samples to the left edge, once measured again.
    QVERIFY(list->LargeurNoms() > 0);
    child<QAction>("IndiqueNom")->trigger();
    QVERIFY(!list->namesShown());
    QCOMPARE(list->LargeurNoms(), 0);
}

// A window showing opened files closes and goes like any other, and keeps them for the next run
// once asked.
void TestTEForm1::closesWithFilesOpened()
{
    const QString file
        = QString::fromUtf8(FontCatalog::system().faces("DejaVu Serif").first().file);
    m_form = std::make_unique<TEForm1>(QStringList {"glyphor", file}, m_settingsPath, nullptr,
                                       std::make_unique<FakeTray>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(m_form->windowTitle().endsWith(QStringLiteral("1 fonte ouverte")));
    child<QAction>("RouvrirAuDemarrage")->trigger();
    QVERIFY(m_form->close());
    m_form.reset();
    QFile settings(m_settingsPath);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    QVERIFY(written.contains("RouvrirFichiers=1\n"));
    const QByteArray line = "[FichiersOuverts]\nFichier1=" + file.toUtf8() + "\n";
    QVERIFY(written.contains(line));
}

void TestTEForm1::closeWritesOrKeepsTheWindow()
{
    createWindow(QByteArray("; mine\n[other]\nk=v\n[glyphor]\nSystem=kept\n"));
    apply(QStringLiteral("abc"));
    // A folder in place of the file: the write fails, the error shows and the window stays.
    QFile::remove(m_settingsPath);
    QDir().mkpath(m_settingsPath);
    QString shown;
    QTimer::singleShot(0, m_form.get(), [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + '|' + box->text();
            box->accept();
        }
    });
    QVERIFY(!m_form->close());
    QCOMPARE(shown, "Glyphor|Impossible d'écrire dans " + m_settingsPath + '.');
    QVERIFY(m_form->isVisible());

    QDir(m_settingsPath).removeRecursively();
    QVERIFY(m_form->close());
    QFile file(m_settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.startsWith("[glyphor]\nString=abc\nBrowser=\nSize=12\nShowNames=1\n"
                               "ShowHints=1\nSystem=kept\nLargeur=472\nHauteur=470\nGauche="));
    QVERIFY(written.endsWith("\nMaximise=0\nPage=0\n"));
}

// The size and page the window was left with, brought within the screen and never under the
// window's minimum; a stored value that is no size leaves the window as it first opens.
void TestTEForm1::windowStateKept_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("page");
    QTest::newRow("kept") << QByteArray("Largeur=600\nHauteur=520\nPage=1\n") << QSize(600, 520)
                          << 1;
    QTest::newRow("smaller than the minimum")
        << QByteArray("Largeur=100\nHauteur=90\n") << QSize(470, 470) << 0;
    QTest::newRow("not numbers") << QByteArray("Largeur=abc\nHauteur=\nPage=x\n") << QSize(472, 470)
                                 << 0;
    QTest::newRow("a page that does not exist")
        << QByteArray("Largeur=500\nHauteur=480\nPage=7\n") << QSize(500, 480) << 0;
}

void TestTEForm1::windowStateKept()
{
    QFETCH(QByteArray, stored);
    QFETCH(QSize, size);
    QFETCH(int, page);
    createWindow("[glyphor]\n" + stored);
    QCoreApplication::processEvents();
    QCOMPARE(m_form->size(), size);
    QCOMPARE(child<QTabWidget>("NPage")->currentIndex(), page);

    // Larger than any screen: the screen's size at most.
    m_form.reset();
    createWindow("[glyphor]\nLargeur=99999\nHauteur=99999\n");
    const QSize screen = m_form->screen()->availableGeometry().size();
    QVERIFY(m_form->width() <= screen.width() && m_form->height() <= screen.height());
}

// Each shortcut, pressed with the focus where a user would have it, and what it did; the
// control whose tooltip names it (none where no tooltip is the control's own), and that tooltip:
// the window's own text, then a line with the keys.
void TestTEForm1::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("focus"); // the control that has the focus
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("toolTip");
    const QString size = QStringLiteral("Character size\nCtrl++ / Ctrl+- / Ctrl+0");
    QTest::newRow("Ctrl+B") << QKeySequence(Qt::CTRL | Qt::Key_B) << "ListBox1"
                            << "bold"
                            << "gras"
                            << "Activer/désactiver\nl'attribut GRAS\nCtrl+B";
    QTest::newRow("Ctrl+I") << QKeySequence(Qt::CTRL | Qt::Key_I) << "SpinEdit1"
                            << "italic"
                            << "ital"
                            << "Activer/désactiver\nl'attribut ITALIQUE\nCtrl+I";
    QTest::newRow("Ctrl+U") << QKeySequence(Qt::CTRL | Qt::Key_U) << "ListBox1"
                            << "underline"
                            << "soul"
                            << "Activer/désactiver\nl'attribut SOULIGNER\nCtrl+U";
    QTest::newRow("Ctrl+plus") << QKeySequence(Qt::CTRL | Qt::Key_Plus) << "ListBox1"
                               << "size 13"
                               << "SpinEdit1" << size;
    QTest::newRow("Ctrl+equal") << QKeySequence(Qt::CTRL | Qt::Key_Equal) << "ListBox1"
                                << "size 13"
                                << "SpinEdit1" << size;
    QTest::newRow("Ctrl+minus") << QKeySequence(Qt::CTRL | Qt::Key_Minus) << "txtEdit"
                                << "size 11"
                                << "SpinEdit1" << size;
    QTest::newRow("Ctrl+0") << QKeySequence(Qt::CTRL | Qt::Key_0) << "ListBox1"
                            << "size 12"
                            << "SpinEdit1" << size;
    QTest::newRow("Ctrl+Tab") << QKeySequence(Qt::CTRL | Qt::Key_Tab) << "ListBox1"
                              << "page" << QString() << QString();
    QTest::newRow("Ctrl+Page Down") << QKeySequence(Qt::CTRL | Qt::Key_PageDown) << "SpinEdit1"
                                    << "page" << QString() << QString();
    QTest::newRow("Ctrl+C in the list") << QKeySequence(Qt::CTRL | Qt::Key_C) << "ListBox1"
                                        << "copy" << QString() << QString();
    QTest::newRow("Ctrl+F") << QKeySequence(Qt::CTRL | Qt::Key_F) << "ListBox1"
                            << "filter"
                            << "Filtre"
                            << "Filtrer la liste : tous les mots tapés doivent figurer dans le "
                               "nom\nCtrl+F";
    QTest::newRow("Ctrl+T") << QKeySequence(Qt::CTRL | Qt::Key_T) << "ListBox1"
                            << "typography"
                            << "Typographie"
                            << "Typographie : fonctionnalités OpenType, axes variables, langue du "
                               "texte et espacement des lettres\nCtrl+T";
    QTest::newRow("Ctrl+P") << QKeySequence(Qt::CTRL | Qt::Key_P) << "txtEdit"
                            << "print"
                            << "SpeedButton1"
                            << "Imprimer les fontes\nCtrl+P";
    QTest::newRow("Ctrl+H") << QKeySequence(Qt::CTRL | Qt::Key_H) << "ListBox1"
                            << "html"
                            << "GenererrHTML"
                            << "Générer une page HTML avec les fontes\nCtrl+H";
    QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "SpinEdit1"
                        << "help"
                        << "Aide"
                        << "Aide...\nF1";
    QTest::newRow("Ctrl+Q") << QKeySequence(Qt::CTRL | Qt::Key_Q) << "ListBox1"
                            << "quit"
                            << "Quitter"
                            << "Quitter Glyphor\nCtrl+Q";
}

void TestTEForm1::shortcuts()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, focus);
    QFETCH(QString, effect);
    QFETCH(QString, named);
    createWindow();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    if (!named.isEmpty())
        QCOMPARE(child<QWidget>(named.toLatin1().constData())->toolTip(),
                 FETCHED(QString, toolTip));
    auto *list = child<FontListView>("ListBox1");
    list->selectRow(1);
    if (effect == QLatin1String("size 12"))
        child<SizeField>("SpinEdit1")->setValue(20);
    int printersAsked = 0;
    m_form->findChild<CataloguePrinting *>()->setPrinterChooser([&printersAsked](QPrinter &) {
        ++printersAsked;
        return false;
    });
    QWidget *focused = m_form->findChild<QWidget *>(focus);
    QVERIFY(focused);
    focused->setFocus();
    QString dialog;
    QTimer::singleShot(0, m_form.get(), [&dialog] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            dialog = modal->objectName();
            modal->close();
        }
    });
    QTest::keySequence(QApplication::focusWidget(), keys);

    if (effect == QLatin1String("bold"))
        QVERIFY(state().AttrGras());
    else if (effect == QLatin1String("italic"))
        QVERIFY(state().AttrItal());
    else if (effect == QLatin1String("underline"))
        QVERIFY(state().AttrSoul());
    else if (effect.startsWith(QLatin1String("size ")))
        QCOMPARE(state().Taille(), effect.mid(5).toInt());
    else if (effect == QLatin1String("page"))
        QCOMPARE(child<QTabWidget>("NPage")->currentIndex(), 1);
    else if (effect == QLatin1String("copy"))
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("DejaVu Sans"));
    else if (effect == QLatin1String("filter"))
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Filtre"));
    else if (effect == QLatin1String("typography"))
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 QStringLiteral("RechercheFonctionnalite"));
    else if (effect == QLatin1String("print"))
        QCOMPARE(printersAsked, 1);
    else if (effect == QLatin1String("html"))
        QCOMPARE(dialog, QStringLiteral("TGenHTML"));
    else if (effect == QLatin1String("help"))
        QVERIFY(shownHelp());
    else if (effect == QLatin1String("quit"))
        QVERIFY(!m_form->isVisible());
}

void TestTEForm1::helpAndAboutBox()
{
    createWindow();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(m_form.get(), Qt::Key_F1);
    HelpWindow *help = shownHelp();
    QVERIFY(help);
    QCOMPARE(help->browser()->source(), QUrl("qrc:/help/fenetre.html"));
    // "AIDE" while the help is open leaves the page the user went to.
    help->browser()->setSource(QUrl("qrc:/help/pagehtml.html"));
    child<QPushButton>("Aide")->click();
    QCOMPARE(help->browser()->source(), QUrl("qrc:/help/pagehtml.html"));

    // "...": the about box, modal, with the window's version; "Plus d'infos . . ." goes through
    // the same help.
    auto *about = m_form->findChild<TAPropos *>();
    QVERIFY(about);
    QString version;
    QTimer::singleShot(0, m_form.get(), [about, &version] {
        if (QApplication::activeModalWidget() == about) {
            version = about->findChild<QLabel *>("Label2")->text();
            about->findChild<QPushButton *>("Button2")->click();
        }
    });
    child<QPushButton>("AboutBtn")->click();
    QCOMPARE(version, QStringLiteral(" Glyphor 3.5 "));
    QVERIFY(!about->isVisible());
    QCOMPARE(help->browser()->source(), QUrl("qrc:/help/apropos.html"));

    // Closing the main window closes the help.
    QVERIFY(m_form->close());
    QVERIFY(!help->isVisible());
}

void TestTEForm1::characterMap()
{
    createWindow();
    auto *button = child<QToolButton>("charmap");
    QTemporaryDir bin;
    QFile script(bin.filePath(QStringLiteral("gucharmap")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho started >> \"$GLYPHOR_CHARMAP_LOG\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString log = m_dir.filePath(QStringLiteral("charmap.log"));
    qputenv("GLYPHOR_CHARMAP_LOG", log.toLocal8Bit());
    const QByteArray path = qgetenv("PATH");
    const auto restorePath = qScopeGuard([path] { qputenv("PATH", path); });
    const auto logged = [&log] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    // Each click starts another copy.
    qputenv("PATH", bin.path().toLocal8Bit());
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(logged(), QByteArray("started\nstarted\n"));
    QVERIFY(button->isEnabled());

    // None to be found: the message, and the button off for the rest of the run.
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    QString shown;
    QTimer::singleShot(0, m_form.get(), [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + '|' + box->text() + '|'
                + QString::number(box->buttons().size()) + '|' + box->buttons().value(0)->text();
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            box->accept();
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shown, QStringLiteral("Glyphor|Programme gucharmap introuvable...|1|OK"));
    QVERIFY(!button->isEnabled());
    qputenv("PATH", bin.path().toLocal8Bit());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled());
}

void TestTEForm1::printButton()
{
    createWindow();
    apply(QStringLiteral("Bonjour"));
    child<SizeField>("SpinEdit1")->setValue(40);
    auto *button = child<QToolButton>("SpeedButton1");
    auto *printing = m_form->findChild<CataloguePrinting *>();
    QVERIFY(printing);
    const QString pdf = m_dir.filePath(QStringLiteral("catalogue.pdf"));
    int chosen = 0;
    printing->setPrinterChooser([&](QPrinter &printer) {
        ++chosen;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    // While the job runs the button is off: a second click starts nothing.
    bool offWhilePrinting = true;
    connect(printing, &CataloguePrinting::progressed, this, [&] {
        offWhilePrinting &= !button->isEnabled();
        button->click();
    });
    MessageCatcher messages;
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(offWhilePrinting);
    QVERIFY(button->isEnabled());
    QCOMPARE(chosen, 1);
    QCOMPARE(messages.texts, QStringList {CataloguePrinting::CompletedMessage});

    // The sample and the size are the window's: six words "Bonjour" over 30 points high.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    QVERIFY(text.waitForFinished());
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    static const QRegularExpression sample(
        QLatin1String(R"re(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Bonjour<)re"));
    int samples = 0;
    for (const QRegularExpressionMatch &word : sample.globalMatch(words)) {
        ++samples;
        QVERIFY(word.captured(2).toDouble() - word.captured(1).toDouble() > 30);
    }
    QCOMPARE(samples, 6);
}

void TestTEForm1::closeWhilePrinting()
{
    createWindow();
    auto *printing = m_form->findChild<CataloguePrinting *>();
    printing->setPrinterChooser([this](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("closed.pdf")));
        return true;
    });
    // Closed after the first font: the job stops there and ends, then the window closes.
    qsizetype printed = 0;
    connect(printing, &CataloguePrinting::progressed, this, [&](qsizetype done) {
        printed = done;
        if (done == 1)
            m_form->close();
    });
    MessageCatcher messages;
    child<QToolButton>("SpeedButton1")->click();
    QCOMPARE(printed, 1);
    QCOMPARE(messages.texts, QStringList {CataloguePrinting::CompletedMessage});
    QTRY_VERIFY(!m_form->isVisible());
    QVERIFY(QFile::exists(m_settingsPath));
}

void TestTEForm1::toTrayButtonKeepsTheFocus()
{
    createWindow();
    auto *sample = child<SampleCombo>("txtEdit");
    child<QPushButton>("BitBtn1")->click();
    auto *tray = child<TTrayIcon>("tray");
    QVERIFY(!m_form->isVisible());
    QVERIFY(!tray->programShown());
    QCOMPARE(m_form->focusWidget(), sample);

    // "Montrer!" brings it back with the focus in the sample field; a double click on the icon
    // while shown leaves it shown.
    auto *menu = child<QMenu>("traymenu");
    QCOMPARE(m_tray->menu, menu);
    QCOMPARE(menu->defaultAction(), child<QAction>("Afficher1"));
    child<QAction>("Afficher1")->trigger();
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->focusWidget(), sample);
    m_tray->doubleClick();
    QVERIFY(m_form->isVisible() && tray->programShown());
}

QTEST_MAIN(TestTEForm1)
// From the filter to the page tabs, down the list, then the panel row by row, left to right, and
// round again.
void TestTEForm1::tabOrder()
{
    createWindow();
    const auto focusedControl = [this] {
        QWidget *widget = m_form->focusWidget();
        // The line edit inside a spin or combo box stands for its box.
        while (widget && (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")))
            widget = widget->parentWidget();
        return widget ? widget->objectName() : QString();
    };
    child<QLineEdit>("Filtre")->setFocus();
    QStringList order {focusedControl()};
    for (int step = 0; step < 25; ++step) {
        QTest::keyClick(m_form->focusWidget(), Qt::Key_Tab);
        order.append(focusedControl());
    }
    QCOMPARE(order,
             (QStringList {"Filtre",  "PeutEcrire", "OuvrirPolices", "Typographie",  "Filtres",
                           "NPage",   "ListBox1",   "SpinEdit1",     "txtEdit",      "valid",
                           "gras",    "ital",       "soul",          "TousCar",      "Button1",
                           "TPlus",   "FPlus",      "AfBulles",      "SpeedButton1", "GenererrHTML",
                           "charmap", "Aide",       "AboutBtn",      "BitBtn1",      "Quitter",
                           "Filtre"}));
}

// The panel opens beside the list, the window widening while the screen has room, and closes
// giving that room back; the typography comes back at the next start, the window without the
// panel's room; "défaut" brings the typography back too.
void TestTEForm1::typographyPanel()
{
    createWindow("[Typographie]\nFonctionnalites=smcp\n");
    QCOMPARE(state().typography().features, (QMap<QByteArray, bool> {{"smcp", true}}));
    auto *summary = child<QLabel>("FiltresActifs");
    QVERIFY(summary->isVisible());
    QCOMPARE(summary->text(), QStringLiteral("smcp"));

    auto *button = child<QToolButton>("Typographie");
    auto *panel = child<QWidget>("PanneauTypographie");
    auto *list = child<FontListView>("ListBox1");
    showPage(1);
    button->click();
    QVERIFY(button->isChecked());
    QVERIFY(panel->isVisible());
    QCOMPARE(child<QTabWidget>("NPage")->currentIndex(), 0);
    QTRY_VERIFY(m_form->width() > 472);
    QVERIFY(panel->mapTo(m_form.get(), QPoint()).x()
            >= list->mapTo(m_form.get(), QPoint(list->width(), 0)).x());
    child<QToolButton>("FermerTypographie")->click();
    QVERIFY(!button->isChecked());
    QVERIFY(!panel->isVisible());
    QTRY_COMPARE(m_form->width(), 472);

    child<QPushButton>("Button1")->click();
    QVERIFY(state().typography().isDefault());
    QVERIFY(!summary->isVisible());

    button->click();
    QTRY_VERIFY(m_form->width() > 472);
    Typography oldStyle;
    oldStyle.features.insert("onum", true);
    m_form->findChild<DisplayState *>()->setTypography(oldStyle);
    QVERIFY(m_form->close());
    QFile file(m_settingsPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY2(written.contains("\nLargeur=472\n"), written.constData());
    QVERIFY2(written.contains("[Typographie]\nFonctionnalites=onum\n"), written.constData());
}

#include "tst_teform1.moc"
