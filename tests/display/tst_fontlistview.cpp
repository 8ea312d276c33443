#include "displaystate.h"
#include "fontcatalog.h"
#include "fontindex.h"
#include "fontlistdelegate.h"
#include "fontlistview.h"
#include "paintcounter.h"
#include "textrecorder.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fontconfig/fontconfig.h>

class TestFontListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void lineHeight_data();
    void lineHeight();
    void linePositions_data();
    void linePositions();
    void sampleStyleFollowsTheState();
    void nameColumnMeasuredOncePerReset();
    void longNameCutShort();
    void tallInkFitsTheLine_data();
    void tallInkFitsTheLine();
    void selectionReports();
    void nameTipWhileNamesHidden();
    void lineMenuActsOnTheLineClicked_data();
    void lineMenuActsOnTheLineClicked();
    void filterShowsMatchingLines();
    void filterRepaintDrawsTheLines();
    void filterAsksTheStrikeOfTheListSize();
    void selectionBroughtIntoViewOnlyByTheUser_data();
    void selectionBroughtIntoViewOnlyByTheUser();

private:
    // Draws line `row` through the delegate into recorder.
    void drawLine(int row, TextRecorder &recorder);

    std::unique_ptr<DisplayState> m_state;
    std::unique_ptr<FontListView> m_view;
};

void TestFontListView::initTestCase()
{
    // A bitmap family of one file per size joins the test fonts, before the list reads them.
    QVERIFY(FcConfigAppFontAddDir(FcConfigGetCurrent(),
                                  reinterpret_cast<const FcChar8 *>(GLYPHOR_STRIKE_FONTS)));
}

void TestFontListView::init()
{
    m_view.reset();
    m_state = std::make_unique<DisplayState>();
    m_state->setChaineTaille(QStringLiteral("azerty"), 12);
    m_view = std::make_unique<FontListView>();
    m_view->setFamilies({"Default", "DejaVu Sans", "Liberation Mono", "Liberation Serif"});
    m_view->setDisplayState(m_state.get());
    m_view->resize(400, 300);
}

void TestFontListView::drawLine(int row, TextRecorder &recorder)
{
    // Painted once as a whole first, as the view measures the names' column when it paints.
    m_view->grab();
    QPainter painter(&recorder);
    QStyleOptionViewItem option;
    option.initFrom(m_view.get());
    option.rect = m_view->visualRect(m_view->model()->index(row, 0));
    m_view->lineDelegate()->paint(&painter, option, m_view->model()->index(row, 0));
}

void TestFontListView::lineHeight_data()
{
    QTest::addColumn<int>("taille");
    QTest::addColumn<int>("height");
    QTest::newRow("6") << 6 << 13;
    QTest::newRow("12") << 12 << 22;
    QTest::newRow("72") << 72 << 112;
    // Stored sizes at the limits of 32 bits: no overflow; a result of 0 or less leaves the
    // height as it was, a huge one stops at the maximum.
    QTest::newRow("-2147483648") << int(INT_MIN) << 22;
    QTest::newRow("-3") << -3 << 22;
    QTest::newRow("2147483647") << int(INT_MAX) << int(FontListView::MaximumLineHeight);
}

void TestFontListView::lineHeight()
{
    QFETCH(int, taille);
    QFETCH(int, height);
    if (taille >= 0 && taille <= 72)
        QCOMPARE(lineHeightFor(taille), height);
    m_view->setLineHeight(lineHeightFor(taille));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    const QModelIndex second = m_view->model()->index(1, 0);
    QCOMPARE(m_view->visualRect(second).height(), height);
    QCOMPARE(m_view->visualRect(second).top(), height);
}

void TestFontListView::linePositions_data()
{
    QTest::addColumn<bool>("namesShown");
    QTest::newRow("names shown") << true;
    QTest::newRow("names hidden") << false;
}

void TestFontListView::linePositions()
{
    QFETCH(bool, namesShown);
    m_view->setNamesShown(namesShown);
    const QRect line = m_view->visualRect(m_view->model()->index(2, 0));

    TextRecorder recorder;
    drawLine(2, recorder);
    const auto &texts = recorder.texts();
    QCOMPARE(texts.size(), namesShown ? 1u : 0u);
    const QFont nameFont = FontListDelegate::nameFont();
    int widest = 0;
    for (const QString &family : m_view->families())
        widest = std::max(widest, QFontMetrics(nameFont).horizontalAdvance(family));
    QCOMPARE(m_view->LargeurNoms(), namesShown ? widest : 0);

    if (namesShown) {
        const auto &name = texts.front();
        QCOMPARE(name.text, QStringLiteral("Liberation Mono"));
        QCOMPARE(name.font.family(), QStringLiteral("Liberation Sans")); // Arial, among test fonts
        QCOMPARE(name.font.pointSize(), 10);
        QVERIFY(name.font.bold());
        QCOMPARE(name.baseline.x(), line.left() + 1.0);
        QCOMPARE(name.baseline.y(), line.top() + 1.0 + QFontMetricsF(nameFont).ascent());
    }
    // The sample, drawn by the list's engine: a space and the sample in the line's family, its
    // pen where Qt would have put it, the baseline at the font's ascent below the line's top.
    QCOMPARE(recorder.images().size(), 1u);
    const auto &sample = recorder.images().front();
    const int left = line.left() + m_view->LargeurNoms() + 2;
    const RenderedLine &expected = m_view->lineDelegate()->renderer().line(
        QStringLiteral("Liberation Mono"), QStringLiteral(" azerty"),
        m_view->lineDelegate()->sampleStyle(96), line.right() + 1 - left);
    QVERIFY(expected.drawn);
    QCOMPARE(sample.image.size(), expected.coverage.size());
    QCOMPARE(sample.topLeft + QPointF(expected.origin),
             QPointF(left, line.top() + 1 + expected.ascent));
}

void TestFontListView::sampleStyleFollowsTheState()
{
    const FontListDelegate *delegate = m_view->lineDelegate();
    m_state->setTaille(30);
    m_state->setAttrGras(true);
    m_state->setAttrSoul(true);
    LineStyle style = delegate->sampleStyle(96);
    QCOMPARE(style.pixelSize, 40.0);
    QVERIFY(style.bold && !style.italic && style.underline);
    QCOMPARE(m_view->lineHeight(), 49);

    m_state->setAttrGras(false);
    m_state->setAttrSoul(false);
    m_state->setAttrItal(true);
    style = delegate->sampleStyle(96);
    QVERIFY(!style.bold && style.italic && !style.underline);
    // The smallest size the list draws is 1 point.
    m_state->setTaille(-5);
    QCOMPARE(delegate->sampleStyle(72).pixelSize, 1.0);

    // The colours are the list's own.
    m_state->setCouleurTexte(0x0000FF);
    m_state->setCouleurFond(0x00FF00);
    QCOMPARE(m_view->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(m_view->palette().color(QPalette::Base), QColor(Qt::green));
}

void TestFontListView::nameColumnMeasuredOncePerReset()
{
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    FontListDelegate *delegate = m_view->lineDelegate();
    PaintCounter paints(m_view->viewport());
    const int before = delegate->nameColumnMeasurements();
    m_view->viewport()->repaint();
    m_view->viewport()->repaint();
    QCOMPARE(delegate->nameColumnMeasurements(), before);
    const int width = m_view->LargeurNoms();
    QVERIFY(width > 0);

    // A new sample: the list repaints itself at once and measures the column again.
    paints.paints = 0;
    m_state->setChaine(QStringLiteral("qwerty"));
    QCOMPARE(paints.paints, 1);
    QCOMPARE(delegate->nameColumnMeasurements(), before + 1);
    QCOMPARE(m_view->LargeurNoms(), width);

    // The same sample again changes nothing and paints nothing; attributes and colours repaint
    // without measuring.
    m_state->setChaine(QStringLiteral("qwerty"));
    m_state->setAttrGras(true);
    m_state->setCouleurFond(0x123456);
    QCOMPARE(paints.paints, 3);
    QCOMPARE(delegate->nameColumnMeasurements(), before + 1);
    // Neither the size nor the attributes change the column's width.
    m_state->setTaille(72);
    QCOMPARE(delegate->nameColumnMeasurements(), before + 2);
    QCOMPARE(m_view->LargeurNoms(), width);
}

void TestFontListView::longNameCutShort()
{
    // One font with a name far wider than the list: the column stops at 40 % of the line, the
    // long name is cut short there, the others are whole and every sample is in sight.
    const QString longName = QStringLiteral("Très longue famille ").repeated(14);
    m_view->setFamilies({"DejaVu Sans", longName, "Liberation Mono"});
    const QRect line = m_view->visualRect(m_view->model()->index(0, 0));
    const int column = int(line.width() * FontListDelegate::NameColumnShare);

    for (int row : {0, 1, 2}) {
        TextRecorder recorder;
        drawLine(row, recorder);
        QVERIFY(m_view->LargeurNoms() > line.width());
        const QString drawn = recorder.texts().front().text;
        const bool cut = row == 1;
        QCOMPARE(m_view->lineDelegate()->nameElided(m_view->familyAt(row), line.width()), cut);
        QCOMPARE(drawn.endsWith(QChar(0x2026)), cut);
        QVERIFY(QFontMetrics(FontListDelegate::nameFont()).horizontalAdvance(drawn) <= column);
        // The long name is no installed family: its line shows the name only.
        if (cut)
            continue;
        QCOMPARE(recorder.images().size(), 1u);
        const auto &sample = recorder.images().front();
        // Right of the column, after the sample's leading space.
        QVERIFY2(sample.topLeft.x() < line.left() + column + 2 + 20,
                 qPrintable(QString::number(sample.topLeft.x())));
    }
}

void TestFontListView::tallInkFitsTheLine_data()
{
    // A line 22 pixels high at 100; the sample's ascent, and its ink as coverage: the ink's height
    // and how far it reaches above the baseline.
    QTest::addColumn<int>("ascent");
    QTest::addColumn<int>("inkHeight");
    QTest::addColumn<int>("inkAbove");
    QTest::addColumn<int>("baseline");
    QTest::newRow("ordinary font: one pixel, then its ascent") << 15 << 19 << 15 << 116;
    QTest::newRow("descender at the very bottom") << 15 << 21 << 15 << 116;
    QTest::newRow("no ink") << 15 << 0 << 0 << 116;
    // A mathematics or Nastaliq font, its ascent far taller than its letters: raised to fit.
    QTest::newRow("tall ascent") << 41 << 20 << 15 << 117;
    QTest::newRow("tall ascent, ink as tall as the line") << 41 << 22 << 15 << 115;
    // Ink reaching above a short ascent (accents on capitals, Kacst fonts): lowered to fit,
    // since the line has room below.
    QTest::newRow("ink above the ascent") << 9 << 14 << 12 << 112;
    QTest::newRow("ink above the ascent, as tall as the line") << 9 << 22 << 14 << 114;
    QTest::newRow("ink one pixel above the line's top") << 15 << 17 << 17 << 117;
    // Ink taller than the line: centred on it.
    QTest::newRow("ink taller than the line") << 41 << 40 << 30 << 121;
}

void TestFontListView::tallInkFitsTheLine()
{
    QFETCH(int, ascent);
    QFETCH(int, inkHeight);
    QFETCH(int, inkAbove);
    RenderedLine sample;
    sample.ascent = ascent;
    if (inkHeight > 0)
        sample.coverage = QImage(10, inkHeight, QImage::Format_Alpha8);
    sample.origin = QPoint(0, inkAbove);
    QFETCH(int, baseline);
    QCOMPARE(FontListDelegate::sampleBaseline(sample, 100, 22), baseline);
}

void TestFontListView::selectionReports()
{
    m_view->setLineHeight(22);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QSignalSpy selected(m_view.get(), &FontListView::selectionMadeByUser);

    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 2 + 5));
    QCOMPARE(selected.size(), 1);
    QCOMPARE(m_view->selectedRow(), 2);

    // Again on the selected line: still reported, as a click always was.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 2 + 5));
    QCOMPARE(selected.size(), 2);

    QTest::keyClick(m_view.get(), Qt::Key_Down);
    QCOMPARE(m_view->selectedRow(), 3);
    QCOMPARE(selected.size(), 3);

    // Pressed on one line, dragged to another, released there: the line under the pointer is
    // reported as it becomes the selection.
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 1 + 5));
    QCOMPARE(selected.size(), 4);
    QMouseEvent drag(QEvent::MouseMove, QPointF(20, 22 * 3 + 5),
                     m_view->viewport()->mapToGlobal(QPointF(20, 22 * 3 + 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &drag);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 3 + 5));
    QCOMPARE(m_view->selectedRow(), 3);
    QCOMPARE(selected.size(), 5);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 3 + 5));
    QCOMPARE(selected.size(), 6);

    // The secondary button and the empty part of the list report no selection.
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, QPoint(20, 5));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 250));
    QCOMPARE(selected.size(), 6);

    // A selection made by the program is not the user's.
    m_view->selectRow(0);
    QCOMPARE(m_view->selectedRow(), 0);
    QCOMPARE(selected.size(), 6);
}

// A filter leaves the matching lines in their order; entries keep naming rows of the whole list,
// the line chosen comes back when it is shown again, and type-ahead works on what is shown.
void TestFontListView::nameTipWhileNamesHidden()
{
    m_view->setLineHeight(22);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    const auto clickLine = [this](int row) {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * row + 5));
    };
    clickLine(1);
    QVERIFY(!m_view->nameTipEnabled()); // names shown: no tip

    m_view->findChild<QAction *>(QStringLiteral("IndiqueNom"))->trigger();
    clickLine(2);
    QCOMPARE(m_view->nameTip(), QStringLiteral("Liberation Mono"));
    QVERIFY(m_view->nameTipEnabled());
    // A press elsewhere (the Text page) flips it; a click on a line shows it again.
    m_view->ListBox1MouseDown();
    QVERIFY(!m_view->nameTipEnabled());
    m_view->ListBox1MouseDown();
    QVERIFY(m_view->nameTipEnabled());
    clickLine(3);
    QCOMPARE(m_view->nameTip(), QStringLiteral("Liberation Serif"));
    QVERIFY(m_view->nameTipEnabled());
    // Showing the names switches it off.
    m_view->findChild<QAction *>(QStringLiteral("IndiqueNom"))->trigger();
    QVERIFY(!m_view->nameTipEnabled());
}

void TestFontListView::lineMenuActsOnTheLineClicked_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("fromKeyboard");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("entry"); // the menu's
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<bool>("reported");

    QTest::newRow("another line") << 1 << false << 22 * 3 + 5 << 3 << 3 << true;
    QTest::newRow("the selected line") << 3 << false << 22 * 3 + 5 << 3 << 3 << false;
    QTest::newRow("no line selected") << -1 << false << 22 * 2 + 5 << 2 << 2 << true;
    QTest::newRow("below the lines") << 1 << false << 250 << -1 << 1 << false;
    QTest::newRow("keyboard") << 2 << true << 5 << 2 << 2 << false;
}

void TestFontListView::lineMenuActsOnTheLineClicked()
{
    QFETCH(int, selected);
    QFETCH(bool, fromKeyboard);
    QFETCH(int, y);
    QFETCH(int, entry);
    QFETCH(int, selectedAfter);
    QFETCH(bool, reported);
    m_view->setLineHeight(22);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->selectRow(selected);
    QSignalSpy menu(m_view.get(), &FontListView::lineMenuRequested);
    QSignalSpy selections(m_view.get(), &FontListView::selectionMadeByUser);

    const QPoint at(20, y);
    QContextMenuEvent event(fromKeyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                            at, m_view->viewport()->mapToGlobal(at));
    // Closed as soon as it is open.
    QTimer::singleShot(0, m_view.get(), [this] {
        m_view->findChild<QMenu *>(QStringLiteral("LigneMenu"))->close();
    });
    QApplication::sendEvent(m_view->viewport(), &event);
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.first().at(1).toInt(), entry);
    // Without a line, the entries acting on one are greyed.
    for (const char *acting : {"Copiernomdelafonte1", "Favori", "DetailsPolice"})
        QCOMPARE(m_view->findChild<QAction *>(QLatin1String(acting))->isEnabled(), entry >= 0);
    QCOMPARE(m_view->selectedRow(), selectedAfter);
    QCOMPARE(selections.size(), reported ? 1 : 0);
}

void TestFontListView::filterShowsMatchingLines()
{
    QSignalSpy changed(m_view.get(), &FontListView::shownFamiliesChanged);
    m_view->selectRow(3);
    FamilyFilter filter;
    filter.words = QStringLiteral("LIB");
    m_state->setFilter(filter);
    QCOMPARE(m_view->shownFamilies(), QStringList({"Liberation Mono", "Liberation Serif"}));
    QVERIFY(m_view->filtering());
    QCOMPARE(m_view->selectedRow(), 3);
    QCOMPARE(m_view->families().size(), 4);
    QCOMPARE(changed.size(), 1);

    // The sample changes nothing while the filter does not test it.
    m_state->setChaine(QStringLiteral("漢字"));
    QCOMPARE(changed.size(), 1);

    filter.words = QStringLiteral("mono");
    m_state->setFilter(filter);
    QCOMPARE(m_view->selectedRow(), -1);
    filter.words.clear();
    m_state->setFilter(filter);
    QVERIFY(!m_view->filtering());
    QCOMPARE(m_view->shownCount(), 4);
    QCOMPARE(m_view->selectedRow(), 3);

    // No test font writes CJK, nor does the desktop's font "Default" is drawn in.
    filter.canWriteSample = true;
    m_state->setFilter(filter);
    QCOMPARE(m_view->shownFamilies(), QStringList());
    m_state->setChaine(QStringLiteral("azerty"));
    QCOMPARE(m_view->shownCount(), 4);

    filter = FamilyFilter();
    filter.words = QStringLiteral("i");
    m_state->setFilter(filter);
    m_view->keyboardSearch(QStringLiteral("liberation s"));
    QCOMPARE(m_view->selectedRow(), 3);
}

// What the list paints right after a filter change, as its own repaint does, is the lines left,
// not an empty list waiting for the view to lay them out later.
void TestFontListView::filterRepaintDrawsTheLines()
{
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    FamilyFilter filter;
    filter.words = QStringLiteral("LIB");
    m_state->setFilter(filter);
    const QImage drawn = m_view->viewport()->grab().toImage();
    m_view->doItemsLayout();
    QCOMPARE(drawn, m_view->viewport()->grab().toImage());
}

// Strike Cells keeps 10, 16 and 24 pixels in three files, the smallest ASCII only: "Peut écrire
// l'exemple" asks the file the lines draw at the list's size.
void TestFontListView::filterAsksTheStrikeOfTheListSize()
{
    m_view->setFamilies({"Default", "Strike Cells"});
    m_state->setChaineTaille(QStringLiteral("élan"), 18);
    FamilyFilter filter;
    filter.canWriteSample = true;
    m_state->setFilter(filter);
    QCOMPARE(m_view->shownFamilies(), QStringList({"Default", "Strike Cells"}));
    m_state->setTaille(6);
    QCOMPARE(m_view->shownFamilies(), QStringList({"Default"}));
    m_state->setTaille(12);
    QCOMPARE(m_view->shownFamilies(), QStringList({"Default", "Strike Cells"}));
}

QTEST_MAIN(TestFontListView)
// A filter the user sets brings the selected line into view; the font index classing families
// while a class filter is on adds lines under the user's eyes, and the list stays where it is.
void TestFontListView::selectionBroughtIntoViewOnlyByTheUser_data()
{
    QTest::addColumn<bool>("indexProgressing");
    QTest::newRow("the user's filter") << false;
    QTest::newRow("the index's progress") << true;
}

void TestFontListView::selectionBroughtIntoViewOnlyByTheUser()
{
    QFETCH(bool, indexProgressing);
    QTemporaryDir cache;
    FontIndex index(FontCatalog::system(), cache.filePath(QStringLiteral("fontindex")));
    m_view->setFontIndex(&index);
    // One line in view at a time.
    m_state->setTaille(72);
    m_view->resize(400, 150);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->selectRow(3);
    m_view->scrollToTop();

    FamilyFilter everyClass;
    everyClass.classes = (1u << (int(FontClass::Decorative) + 1)) - 1;
    const auto readIndex = [&index] {
        QSignalSpy finished(&index, &FontIndex::finished);
        index.start();
        return finished.wait(60000);
    };
    if (indexProgressing) {
        m_state->setFilter(everyClass);
        QVERIFY(readIndex());
    } else {
        QVERIFY(readIndex());
        m_state->setFilter(everyClass);
    }
    QVERIFY(m_view->shownCount() >= 2);
    QCOMPARE(m_view->selectedRow(), 3);
    const QModelIndex selected = m_view->currentIndex();
    QVERIFY(selected.row() > 0);
    QCOMPARE(m_view->viewport()->rect().intersects(m_view->visualRect(selected)),
             !indexProgressing);
    QCOMPARE(m_view->indexAt(QPoint(1, 1)).row() == 0, indexProgressing);
}

#include "tst_fontlistview.moc"
