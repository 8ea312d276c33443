#include "charactergrid.h"
#include "charactersearch.h"
#include "detailsplacement.h"
#include "detailswindow.h"
#include "displaystate.h"
#include "facedescription.h"
#include "fontcatalog.h"
#include "fontinformation.h"
#include "linerenderer.h"
#include "paintcounter.h"
#include "samplerows.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <functional>
#include <memory>
#include <vector>

using StateChange = std::function<void(DisplayState &)>;
Q_DECLARE_METATYPE(StateChange)

// The details window: what a font says shown as text and nothing else, and the window opened on
// fonts that are damaged or odd.
class TestDetails : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void informationIsTextOnly();
    void embeddingInWords_data();
    void embeddingInWords();
    void hostileFontsShown();
    void faceInWords_data();
    void faceInWords();
    void pathOfTheFaceDescribed_data();
    void pathOfTheFaceDescribed();
    void placement_data();
    void placement();
    void characterSearch_data();
    void characterSearch();
    void searchFieldKeys();
    void gridKeys_data();
    void gridKeys();
    void samplesLaidOutOnceOnOpening();
    void refilledOnlyForWhatItDraws_data();
    void refilledOnlyForWhatItDraws();
};

void TestDetails::informationIsTextOnly()
{
    FaceMetadata m;
    m.family = QStringLiteral("<b>Evil</b> & Co");
    m.licence = QStringLiteral("<script>alert(1)</script>\nLine two");
    m.licenceUrl = QStringLiteral("javascript:alert(1)");
    m.vendorUrl = QStringLiteral("https://example.org/?a=1&b=2");
    // The names a font gives its stylistic sets, axes and instances are its text too.
    m.features = {QStringLiteral("liga"), QStringLiteral("ss01")};
    m.featureNames.insert(QStringLiteral("ss01"), QStringLiteral("<b>a</b> simple"));
    m.axes = {{"wght", 100, 400, 900, QStringLiteral("<u>Weight</u>")}};
    m.instances = {{QStringLiteral("<i>Gras</i>"), {700}}};
    FontInformation::Face face {QStringLiteral("/fonts/evil.ttf"), true, m};
    FontInformation::Face gone {QStringLiteral("/fonts/gone <i>.ttf"), false, std::nullopt};
    const QString html = FontInformation::html(QStringLiteral("Evil"), face, {}, {face, gone});

    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;Evil&lt;/b&gt; &amp; Co")));
    QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;<br>Line two")));
    QVERIFY(!html.contains(QStringLiteral("<script")));
    QVERIFY(!html.contains(QStringLiteral("href=\"javascript")));
    QVERIFY(html.contains(QStringLiteral("<a href=\"https://example.org/?a=1&amp;b=")));
    QVERIFY(html.contains(QStringLiteral("Le fichier de cette police n'existe plus : "
                                         "/fonts/gone &lt;i&gt;.ttf")));
    QVERIFY(html.contains(QStringLiteral("<i>inconnu</i>"))); // the designer, among others
    QVERIFY(html.contains(QStringLiteral("liga ss01 « &lt;b&gt;a&lt;/b&gt; simple »")));
    QVERIFY(html.contains(QStringLiteral("wght « &lt;u&gt;Weight&lt;/u&gt; » 100 à 900")));
    QVERIFY(html.contains(QStringLiteral("Instances nommées</b></td><td>&lt;i&gt;Gras")));

    // Shown by the toolkit, it is the text the font gave.
    QTextBrowser browser;
    browser.setHtml(html);
    QVERIFY(browser.toPlainText().contains(QStringLiteral("<b>Evil</b> & Co")));
}

void TestDetails::embeddingInWords_data()
{
    QTest::addColumn<int>("fsType");
    QTest::addColumn<QString>("words");
    QTest::newRow("installable") << 0 << "Installable (aucune restriction)";
    QTest::newRow("restricted") << 0x0002 << "Incorporation interdite (licence restreinte)";
    QTest::newRow("preview, no subsetting")
        << 0x0104 << "Incorporation pour l'aperçu et l'impression, sans sous-ensemble";
    QTest::newRow("editable, bitmaps") << 0x0208 << "Incorporation modifiable, images seulement";
}

void TestDetails::embeddingInWords()
{
    QFETCH(int, fsType);
    QFETCH(QString, words);
    QCOMPARE(FontInformation::embeddingInWords(quint16(fsType)), words);
}

// Cut files, no names, names of thousands of characters, collections, bitmaps: every tab is
// drawn, a character is copied where the face has one.
void TestDetails::hostileFontsShown()
{
    DisplayState state;
    state.setChaineTaille(QStringLiteral("azerty éèà"), 12);
    state.setCouleurFond(0xFFFFFF);
    DetailsWindow details(FontCatalog::system(), state, nullptr);
    details.resize(560, 480);
    const QStringList families = FontCatalog::system().families();
    QVERIFY(families.size() > 5);
    for (const QString &family : families) {
        details.setFamily(family);
        QCOMPARE(details.windowTitle(), QStringLiteral("Détails - ") + family);
        for (const DetailsWindow::Tab tab :
             {DetailsWindow::Styles, DetailsWindow::Sizes, DetailsWindow::Characters,
              DetailsWindow::Information}) {
            details.showTab(tab);
            QVERIFY(!details.grab().isNull());
        }
        auto *grid = details.findChild<CharacterGrid *>();
        QVERIFY(grid);
        if (!grid->characters().isEmpty()) {
            QVERIFY(grid->select(grid->characters().first()));
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QApplication::clipboard()->text(),
                     QString::fromUcs4(&grid->characters().first(), 1));
        }
    }
}

void TestDetails::faceInWords_data()
{
    QTest::addColumn<int>("weight"); // fontconfig's scales
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("slant");
    QTest::addColumn<QString>("words");
    QTest::newRow("regular") << 80 << 100 << 0 << "graisse 400 (normal), droit";
    QTest::newRow("bold italic") << 200 << 100 << 100 << "graisse 700 (gras), italique";
    QTest::newRow("light oblique") << 50 << 100 << 110 << "graisse 300 (léger), oblique";
    QTest::newRow("black condensed") << 210 << 75 << 0 << "graisse 900 (noir), étroit, droit";
    QTest::newRow("thin expanded") << 0 << 125 << 0 << "graisse 100 (extra-fin), large, droit";
    QTest::newRow("medium") << 100 << 100 << 0 << "graisse 500 (medium), droit";
}

void TestDetails::faceInWords()
{
    QFETCH(int, weight);
    QFETCH(int, width);
    QFETCH(int, slant);
    QFETCH(QString, words);
    QCOMPARE(FaceDescription::describe(weight, width, slant), words);
}

void TestDetails::pathOfTheFaceDescribed_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("file");
    QTest::newRow("regular") << "DejaVu Sans" << false << false << "/DejaVuSans.ttf";
    QTest::newRow("bold") << "DejaVu Sans" << true << false << "/DejaVuSans-Bold.ttf";
    QTest::newRow("italic") << "Liberation Sans" << false << true << "/LiberationSans-Italic.ttf";
}

// "Copier le chemin" copies the file of the face the "Informations" page describes: the one the
// lines draw for the current bold and italic.
void TestDetails::pathOfTheFaceDescribed()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QString, file);
    DisplayState state;
    state.setAttrGras(bold);
    state.setAttrItal(italic);
    DetailsWindow details(FontCatalog::system(), state, nullptr);
    details.setFamily(family);
    details.showTab(DetailsWindow::Information);
    QApplication::clipboard()->clear();
    details.findChild<QPushButton *>(QStringLiteral("CopierChemin"))->click();
    QVERIFY2(QApplication::clipboard()->text().endsWith(file),
             qPrintable(QApplication::clipboard()->text()));
}

void TestDetails::placement_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<int>("namesWidth");
    QTest::addColumn<QRect>("expected"); // without frame

    // The main window (472 x 470, a title bar of 23 pixels and a border of 1) centred, as at its
    // first start; its names column starts 2 pixels in, 47 down, and is 380 pixels high.
    const QRect full(0, 0, 1920, 1080);
    QTest::newRow("room on the right")
        << full << QRect(723, 293, 474, 494) << 150 << QRect(1205 + 1, 293 + 23, 560, 480);
    QTest::newRow("room on the left only")
        << full << QRect(1440, 100, 474, 494) << 150 << QRect(870 + 1, 100 + 23, 560, 480);
    // Neither side has room: over the samples, right of the names.
    const QRect narrow(0, 0, 1280, 1024);
    QTest::newRow("1280 wide") << narrow << QRect(403, 265, 474, 494) << 150
                               << QRect(403 + 2 + 150 + 8 + 1, 265 + 23, 560, 480);
    const QRect laptop(0, 0, 1366, 744);
    QTest::newRow("1366 wide") << laptop << QRect(446, 125, 474, 494) << 150
                               << QRect(446 + 2 + 150 + 8 + 1, 125 + 23, 560, 480);
    const QRect wide(0, 0, 1440, 876);
    QTest::newRow("1440 wide") << wide << QRect(483, 191, 474, 494) << 150
                               << QRect(483 + 2 + 150 + 8 + 1, 191 + 23, 560, 480);
    // 1920 x 1080 at scale 2, a panel of 24 below: narrower, all on the screen.
    const QRect scaled(0, 0, 960, 516);
    QTest::newRow("scale 2") << scaled << QRect(243, 11, 474, 494) << 150
                             << QRect(243 + 2 + 150 + 8 + 1, 11 + 23, 960 - 404 - 1, 480);
    // Long names leave too little room beside them: below the main window.
    const QRect tall(0, 0, 800, 1200);
    QTest::newRow("long names, below")
        << tall << QRect(163, 0, 474, 494) << 400 << QRect(163 + 1, 502 + 23, 560, 480);
    // The main window partly off the screen: the window still comes within it.
    QTest::newRow("main window above the screen")
        << full << QRect(1440, -200, 474, 494) << 150 << QRect(870 + 1, 0 + 23, 560, 480);
}

void TestDetails::placement()
{
    QFETCH(QRect, available);
    QFETCH(QRect, mainFrame);
    QFETCH(int, namesWidth);
    QFETCH(QRect, expected);
    const QMargins frame(1, 23, 1, 1);
    const QRect names(mainFrame.topLeft() + QPoint(2, 47), QSize(namesWidth, 380));
    const QRect placed
        = DetailsPlacement::place(mainFrame, names, available, QSize(560, 480), frame);
    QCOMPARE(placed, expected);
    QVERIFY(available.contains(placed.marginsAdded(frame)));
    QVERIFY(!placed.marginsAdded(frame).intersects(names));
}

void TestDetails::characterSearch_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<uint>("after"); // search after this character; 0: from the start
    QTest::addColumn<uint>("found"); // 0: none

    QTest::newRow("words of the name") << "e acute" << 0u << 0xC9u;
    QTest::newRow("next one") << "e acute" << 0xC9u << 0xE9u;
    QTest::newRow("round to the start") << "e acute" << 0xE9u << 0xC9u;
    QTest::newRow("whole name") << "small e with acute" << 0u << 0xE9u;
    QTest::newRow("any order, any case") << "ACUTE small E" << 0u << 0xE9u;
    QTest::newRow("a word's start") << "o doub ac" << 0u << 0x150u;
    QTest::newRow("letters inside a word do not count") << "cute" << 0u << 0u;
    QTest::newRow("code") << "U+00E9" << 0u << 0xE9u;
    QTest::newRow("bare code") << "00e9" << 0xE9u << 0xE9u;
    QTest::newRow("the character") << "é" << 0u << 0xE9u;
    QTest::newRow("none") << "small e with ogonek and tilde" << 0u << 0u;
}

void TestDetails::characterSearch()
{
    QFETCH(QString, query);
    QFETCH(uint, after);
    QFETCH(uint, found);
    QList<char32_t> characters;
    for (char32_t c = 0x20; c < 0x180; ++c)
        characters.append(c);
    const qsizetype from = after ? characters.indexOf(char32_t(after)) : -1;
    const qsizetype place = CharacterSearch::find(characters, query, from);
    QCOMPARE(place >= 0 ? uint(characters[place]) : 0u, found);
}

// In the search field: Enter and F3 go to the next character found, Ctrl+C copies the chosen
// one unless the field's own text is selected.
void TestDetails::searchFieldKeys()
{
    DisplayState state;
    DetailsWindow details(FontCatalog::system(), state, nullptr);
    details.setFamily(QStringLiteral("DejaVu Sans"));
    details.showTab(DetailsWindow::Characters);
    details.show();
    QVERIFY(QTest::qWaitForWindowExposed(&details));
    auto *search = details.findChild<QLineEdit *>(QStringLiteral("ChercherCaractere"));
    auto *grid = details.findChild<CharacterGrid *>();
    const auto chosen = [grid] {
        return uint(grid->characters().value(grid->selected()));
    };
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("e acute"));
    QCOMPARE(chosen(), 0xC9u);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(chosen(), 0xE9u);
    QApplication::clipboard()->clear();
    QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("é"));
    QTest::keyClick(search, Qt::Key_F3);
    QVERIFY(chosen() > 0xE9u);
    search->selectAll();
    QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("e acute"));
}

void TestDetails::gridKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("control");
    QTest::addColumn<int>("column"); // of the row of "E" (0: its first); -1: the face's last
    QTest::newRow("Home") << int(Qt::Key_Home) << false << 0;
    QTest::newRow("End") << int(Qt::Key_End) << false << 9;
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << true << -2;
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << true << -1;
}

// Basic Latin in rows of ten: "E" (the 38th character) is in the fourth row.
void TestDetails::gridKeys()
{
    QFETCH(int, key);
    QFETCH(bool, control);
    QFETCH(int, column);
    LineRenderer renderer;
    CharacterGrid grid(renderer);
    QList<char32_t> characters;
    for (char32_t c = 0x20; c < 0x7F; ++c)
        characters.append(c);
    grid.setFace(QStringLiteral("DejaVu Sans"), 0, characters);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.resize(10 * CharacterGrid::CellWidth + grid.width() - grid.viewport()->width() + 20, 300);
    QTRY_COMPARE(grid.viewport()->width() / CharacterGrid::CellWidth, 10);
    QVERIFY(grid.select(U'E'));
    QTest::keyClick(&grid, Qt::Key(key), control ? Qt::ControlModifier : Qt::NoModifier);
    const qsizetype expected = column == -1 ? characters.size() - 1
        : column == -2                      ? 0
                                            : 30 + column;
    QCOMPARE(grid.selected(), expected);
}

// Opening the window lays its samples out once, not again as it is first shown and activated.
void TestDetails::samplesLaidOutOnceOnOpening()
{
    DisplayState state;
    DetailsWindow details(FontCatalog::system(), state, nullptr);
    details.setFamily(QStringLiteral("DejaVu Sans"));
    details.show();
    details.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&details));
    QCOMPARE(details.sampleFills(), 1);
}

// An open window draws the sample, its size, style and colours: a filter keystroke or a favourite
// marked in the main window leaves its rows as they are.
void TestDetails::refilledOnlyForWhatItDraws_data()
{
    QTest::addColumn<StateChange>("change");
    QTest::addColumn<bool>("refilled");
    QTest::newRow("filter word") << StateChange([](DisplayState &state) {
        FamilyFilter filter;
        filter.words = QStringLiteral("d");
        state.setFilter(filter);
    }) << false;
    QTest::newRow("favourite") << StateChange([](DisplayState &state) {
        state.setFavourite(QStringLiteral("DejaVu Sans"), true);
    }) << false;
    QTest::newRow("sample") << StateChange([](DisplayState &state) {
        state.setChaine(QStringLiteral("qwerty"));
    }) << true;
    QTest::newRow("size") << StateChange([](DisplayState &state) { state.setTaille(20); }) << true;
    QTest::newRow("bold") << StateChange([](DisplayState &state) { state.setAttrGras(true); })
                          << true;
    QTest::newRow("background") << StateChange([](DisplayState &state) {
        state.setCouleurFond(0x00FFFF);
    }) << true;
}

void TestDetails::refilledOnlyForWhatItDraws()
{
    QFETCH(StateChange, change);
    QFETCH(bool, refilled);
    DisplayState state;
    DetailsWindow details(FontCatalog::system(), state, nullptr);
    details.setFamily(QStringLiteral("DejaVu Sans"));
    details.showTab(DetailsWindow::Styles);
    details.show();
    QVERIFY(QTest::qWaitForWindowExposed(&details));
    QCoreApplication::processEvents();
    std::vector<std::unique_ptr<PaintCounter>> counters;
    const QList<SampleRows *> rows = details.findChildren<SampleRows *>();
    for (SampleRows *row : rows)
        counters.push_back(std::make_unique<PaintCounter>(row));

    change(state);
    QCoreApplication::processEvents();
    int paints = 0;
    for (const auto &counter : counters)
        paints += counter->paints;
    QCOMPARE(paints > 0, refilled);
}

QTEST_MAIN(TestDetails)
#include "tst_details.moc"
