#include "colorgrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

class tst_ColorGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState();
    void cellColor_data();
    void cellColor();
    void rendering();
    void press();
    void drag();
    void dragOutside_data();
    void dragOutside();
    void secondButtonDuringDrag();
    void programmaticMarkers();
};

static QPoint centre(const ColorGrid &grid, int cell)
{
    return grid.cellRect(cell).center();
}

// Qt 6's QTest::mouseMove carries no button state.
static void moveWith(ColorGrid &grid, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(QEvent::MouseMove, pos, grid.mapToGlobal(pos), Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&grid, &event);
}

// Pixels of the cell's contrast colour inside its outline.
static int labelPixels(const QImage &image, const ColorGrid &grid, int cell)
{
    const QColor contrast = ColorGrid::contrastColor(ColorGrid::cellColor(cell));
    const QRect inside = grid.cellRect(cell).adjusted(1, 1, -1, -1);
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y) == contrast;
    return count;
}

void tst_ColorGrid::initialState()
{
    ColorGrid grid;
    QCOMPARE(grid.ForegroundIndex(), 0);
    QCOMPARE(grid.BackgroundIndex(), 15);
    QCOMPARE(grid.focusPolicy(), Qt::NoFocus);
    QCOMPARE(grid.sizeHint(), QSize(160, 44));
}

void tst_ColorGrid::cellColor_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<uint>("stored");
    QTest::addColumn<QColor>("contrast");
    QTest::newRow("black") << 0 << 0x000000u << QColor(255, 255, 255);
    QTest::newRow("dark red") << 1 << 0x000080u << QColor(0, 255, 255);
    QTest::newRow("dark blue") << 4 << 0x800000u << QColor(255, 255, 0);
    QTest::newRow("grey") << 8 << 0x808080u << QColor(0, 0, 0);
    QTest::newRow("magenta") << 13 << 0xFF00FFu << QColor(0, 255, 0);
    QTest::newRow("white") << 15 << 0xFFFFFFu << QColor(0, 0, 0);
    QTest::newRow("outside") << 16 << 0x000000u << QColor(255, 255, 255);
}

void tst_ColorGrid::cellColor()
{
    QFETCH(int, index);
    QFETCH(uint, stored);
    QFETCH(QColor, contrast);
    QCOMPARE(ColorGrid::cellColor(index), ColorRef(stored));
    QCOMPARE(ColorGrid::contrastColor(ColorGrid::cellColor(index)), contrast);
}

void tst_ColorGrid::rendering()
{
    ColorGrid grid;
    grid.resize(160, 44);
    QCOMPARE(grid.cellRect(9), QRect(20, 22, 20, 22));
    QImage image = grid.grab().toImage();
    for (int i = 0; i < ColorGrid::CellCount; ++i) {
        const QRect cell = grid.cellRect(i);
        QCOMPARE(image.pixelColor(cell.topLeft() + QPoint(3, 3)), toQColor(grid.cellColor(i)));
        QCOMPARE(image.pixelColor(cell.topLeft()), QColor(Qt::black));
        QCOMPARE(image.pixelColor(cell.bottomRight()), QColor(Qt::black));
        if (i != 0 && i != 15)
            QCOMPARE(labelPixels(image, grid, i), 0);
    }
    QVERIFY(labelPixels(image, grid, 0) > 0);
    const int labelF = labelPixels(image, grid, 15);
    QVERIFY(labelF > 0);

    grid.setForegroundIndex(15);
    image = grid.grab().toImage();
    QCOMPARE(labelPixels(image, grid, 0), 0);
    QVERIFY(labelPixels(image, grid, 15) > labelF);
}

void tst_ColorGrid::press()
{
    ColorGrid grid;
    grid.resize(160, 44);
    QSignalSpy spy(&grid, &ColorGrid::changed);

    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(grid, 3));
    QCOMPARE(grid.ForegroundIndex(), 3);
    QCOMPARE(spy.count(), 1);

    QTest::mouseClick(&grid, Qt::LeftButton, {}, centre(grid, 3));
    QTest::mouseClick(&grid, Qt::MiddleButton, {}, centre(grid, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(grid.ForegroundIndex(), 3);
    QCOMPARE(grid.BackgroundIndex(), 15);
}

void tst_ColorGrid::drag()
{
    ColorGrid grid;
    grid.resize(160, 44);
    QTest::mousePress(&grid, Qt::RightButton, {}, QPoint(2, 5));
    QCOMPARE(grid.BackgroundIndex(), 0);
    QSignalSpy spy(&grid, &ColorGrid::changed);

    // Several moves within each cell: only entering a cell counts.
    for (int x = 5; x < 160; x += 5)
        moveWith(grid, QPoint(x, 5), Qt::RightButton);
    QCOMPARE(spy.count(), 7);
    QCOMPARE(grid.BackgroundIndex(), 7);
    QCOMPARE(grid.ForegroundIndex(), 0);

    QTest::mouseRelease(&grid, Qt::RightButton, {}, QPoint(155, 5));
    moveWith(grid, centre(grid, 2), Qt::NoButton);
    QCOMPARE(spy.count(), 7);
}

void tst_ColorGrid::dragOutside_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("cell");
    QTest::newRow("below left") << QPoint(-50, 100) << 8;
    QTest::newRow("above right") << QPoint(500, -20) << 7;
    QTest::newRow("right") << QPoint(170, 30) << 15;
}

void tst_ColorGrid::dragOutside()
{
    QFETCH(QPoint, to);
    QFETCH(int, cell);
    ColorGrid grid;
    grid.resize(163, 45); // leftover pixels belong to no cell
    QTest::mousePress(&grid, Qt::LeftButton, {}, centre(grid, 4));
    moveWith(grid, to, Qt::LeftButton);
    QCOMPARE(grid.ForegroundIndex(), cell);
    QCOMPARE(grid.cellAt(QPoint(161, 44)), 15);
}

void tst_ColorGrid::secondButtonDuringDrag()
{
    ColorGrid grid;
    grid.resize(160, 44);
    QTest::mousePress(&grid, Qt::LeftButton, {}, centre(grid, 1));
    QTest::mousePress(&grid, Qt::RightButton, {}, centre(grid, 2));
    QCOMPARE(grid.BackgroundIndex(), 15);
    moveWith(grid, centre(grid, 3), Qt::LeftButton | Qt::RightButton);
    QTest::mouseRelease(&grid, Qt::RightButton, {}, centre(grid, 3));
    moveWith(grid, centre(grid, 4), Qt::LeftButton);
    QCOMPARE(grid.ForegroundIndex(), 4);
    QCOMPARE(grid.BackgroundIndex(), 15);
}

void tst_ColorGrid::programmaticMarkers()
{
    ColorGrid grid;
    QSignalSpy spy(&grid, &ColorGrid::changed);
    grid.setBackgroundIndex(-1);
    grid.setBackgroundIndex(-1);
    QCOMPARE(grid.BackgroundIndex(), -1);
    QCOMPARE(spy.count(), 1);

    grid.setBackgroundIndex(16);
    grid.setForegroundIndex(-2);
    QCOMPARE(grid.BackgroundIndex(), -1);
    QCOMPARE(grid.ForegroundIndex(), 0);
    QCOMPARE(spy.count(), 1);

    grid.setBackgroundIndex(15);
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(tst_ColorGrid)
#include "tst_colorgrid.moc"
