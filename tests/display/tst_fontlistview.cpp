#include "displaystate.h"
#include "fontlistdelegate.h"
#include "fontlistview.h"
#include "systemfonts.h"
#include "textrecorder.h"
#include "uifonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace Enmain;

class TestFontListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void lineHeight_data();
    void lineHeight();
    void linePositions_data();
    void linePositions();
    void sampleFontFollowsTheState();
    void nameColumnMeasuredOncePerReset();
    void selectionReports();

private:
    // Draws line `row` through the delegate and returns what was written where.
    std::vector<TextRecorder::DrawnText> drawLine(int row);

    std::unique_ptr<FontListView> m_view;
};

void TestFontListView::init()
{
    resetDisplayState();
    Taille = 12;
    m_view = std::make_unique<FontListView>();
    m_view->setFamilies({"Default", "DejaVu Sans", "Liberation Mono", "Liberation Serif"});
    m_view->lineDelegate()->setSampleText(QStringLiteral("azerty"));
    m_view->resize(400, 300);
}

std::vector<TextRecorder::DrawnText> TestFontListView::drawLine(int row)
{
    TextRecorder recorder;
    QPainter painter(&recorder);
    QStyleOptionViewItem option;
    option.initFrom(m_view.get());
    option.rect = m_view->visualRect(m_view->model()->index(row, 0));
    m_view->lineDelegate()->paint(&painter, option, m_view->model()->index(row, 0));
    return recorder.texts();
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
    m_view->lineDelegate()->setNamesShown(namesShown);
    m_view->setLineHeight(lineHeightFor(Taille));
    const QRect line = m_view->visualRect(m_view->model()->index(2, 0));

    const auto texts = drawLine(2);
    QCOMPARE(texts.size(), namesShown ? 2u : 1u);
    const QFont nameFont = FontListDelegate::nameFont();
    int widest = 0;
    for (const QString &family : m_view->families())
        widest = std::max(widest, QFontMetrics(nameFont).horizontalAdvance(family));
    QCOMPARE(LargeurNoms, namesShown ? widest : 0);

    if (namesShown) {
        const auto &name = texts.front();
        QCOMPARE(name.text, QStringLiteral("Liberation Mono"));
        QCOMPARE(name.font.family(), QStringLiteral("Liberation Sans")); // Arial, among test fonts
        QCOMPARE(name.font.pointSize(), 10);
        QVERIFY(name.font.bold());
        QCOMPARE(name.baseline.x(), line.left() + 1.0);
        QCOMPARE(name.baseline.y(), line.top() + 1.0 + QFontMetricsF(nameFont).ascent());
    }
    const auto &sample = texts.back();
    QCOMPARE(sample.text, QStringLiteral(" azerty"));
    QCOMPARE(sample.font.family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(sample.baseline.x(), line.left() + LargeurNoms + 2.0);
    QCOMPARE(sample.baseline.y(), line.top() + 1.0 + QFontMetrics(sample.font).ascent());
}

void TestFontListView::sampleFontFollowsTheState()
{
    m_view->lineDelegate()->setNamesShown(false);
    Taille = 30;
    AttrGras = AttrSoul = true;
    QFont sample = drawLine(1).back().font;
    QCOMPARE(sample.pointSize(), 30);
    QVERIFY(sample.bold() && !sample.italic() && sample.underline());
    QCOMPARE(sample.styleStrategy() & QFont::NoFontMerging, QFont::NoFontMerging);

    AttrGras = AttrSoul = false;
    AttrItal = true;
    sample = drawLine(1).back().font;
    QVERIFY(!sample.bold() && sample.italic() && !sample.underline());

    // "Default" is the desktop's general font, as the installed family it stands for: asking Qt
    // for the generic name would make it search every installed font.
    const QString desktopFamily = drawLine(0).back().font.family();
    QCOMPARE(desktopFamily,
             UiFonts::family(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()));
    QVERIFY(SystemFonts::hasFamily(desktopFamily));
}

void TestFontListView::nameColumnMeasuredOncePerReset()
{
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    FontListDelegate *delegate = m_view->lineDelegate();
    const int before = delegate->nameColumnMeasurements();
    m_view->repaintNow();
    m_view->repaintNow();
    QCOMPARE(delegate->nameColumnMeasurements(), before);
    LargeurNoms = 0;
    m_view->repaintNow();
    QCOMPARE(delegate->nameColumnMeasurements(), before + 1);
    QVERIFY(LargeurNoms > 0);

    // Neither the size nor the attributes change the column.
    const int width = LargeurNoms;
    Taille = 72;
    AttrGras = true;
    LargeurNoms = 0;
    m_view->repaintNow();
    QCOMPARE(LargeurNoms, width);
}

void TestFontListView::selectionReports()
{
    m_view->setLineHeight(22);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    QSignalSpy pressed(m_view.get(), &FontListView::mousePressed);
    QSignalSpy selected(m_view.get(), &FontListView::selectionMadeByUser);

    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 22 * 2 + 5));
    QCOMPARE(pressed.size(), 1);
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

    // The secondary button and the empty part of the list only report the press.
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, {}, QPoint(20, 5));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(20, 250));
    QCOMPARE(pressed.size(), 6);
    QCOMPARE(selected.size(), 6);

    // A selection made by the program is not the user's.
    m_view->selectRow(0);
    QCOMPARE(m_view->selectedRow(), 0);
    QCOMPARE(selected.size(), 6);
}

QTEST_MAIN(TestFontListView)
#include "tst_fontlistview.moc"
