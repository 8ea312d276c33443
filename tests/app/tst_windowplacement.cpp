#include "windowplacement.h"

#include <QTest>

using WindowPlacement::Placement;
using OptionalPoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(OptionalPoint)

// The window comes back as stored, its frame within the screen: a position saved with its frame
// and restored without it would move the window by the frame at every start.
class TestWindowPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restored_data();
    void restored();
};

void TestWindowPlacement::restored_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<OptionalPoint>("position");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<OptionalPoint>("placed");

    const QSize minimum(470, 470);
    const QMargins openbox(1, 22, 1, 4);
    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("as left, framed")
        << QSize(600, 500) << OptionalPoint(QPoint(201, 170)) << openbox << screen
        << QSize(600, 500) << OptionalPoint(QPoint(201, 170));
    QTest::newRow("as left, no window manager")
        << QSize(600, 500) << OptionalPoint(QPoint(0, 0)) << QMargins() << screen << QSize(600, 500)
        << OptionalPoint(QPoint(0, 0));
    QTest::newRow("no position stored") << QSize(600, 500) << OptionalPoint() << openbox << screen
                                        << QSize(600, 500) << OptionalPoint();
    QTest::newRow("title bar above the screen")
        << QSize(600, 500) << OptionalPoint(QPoint(40, 5)) << openbox << screen << QSize(600, 500)
        << OptionalPoint(QPoint(40, 22));
    QTest::newRow("off the right and bottom")
        << QSize(600, 500) << OptionalPoint(QPoint(1900, 1000)) << openbox << screen
        << QSize(600, 500) << OptionalPoint(QPoint(679, 296));
    QTest::newRow("off the left, second screen")
        << QSize(600, 500) << OptionalPoint(QPoint(1000, 100)) << openbox
        << QRect(1280, 0, 1024, 768) << QSize(600, 500) << OptionalPoint(QPoint(1281, 100));
    QTest::newRow("larger than the screen: shrunk, title bar in view")
        << QSize(3000, 2000) << OptionalPoint(QPoint(-500, -500)) << openbox << screen
        << QSize(1278, 774) << OptionalPoint(QPoint(1, 22));
    QTest::newRow("screen smaller than the minimum: top-left in view")
        << QSize(600, 500) << OptionalPoint(QPoint(100, 100)) << openbox << QRect(0, 0, 400, 300)
        << minimum << OptionalPoint(QPoint(1, 22));
    QTest::newRow("panel at the top")
        << QSize(600, 500) << OptionalPoint(QPoint(10, 0)) << openbox << QRect(0, 30, 1280, 770)
        << QSize(600, 500) << OptionalPoint(QPoint(10, 52));
}

void TestWindowPlacement::restored()
{
    QFETCH(QSize, stored);
    QFETCH(OptionalPoint, position);
    QFETCH(QMargins, frame);
    QFETCH(QRect, screen);
    QFETCH(QSize, size);
    QFETCH(OptionalPoint, placed);
    const Placement placement
        = WindowPlacement::restored(stored, position, QSize(470, 470), frame, screen);
    QCOMPARE(placement.size, size);
    QCOMPARE(placement.position, placed);
}

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
