#pragma once

#include "colorref.h"

#include <QWidget>

// A grid of the sixteen standard colours, 8 columns by 2 rows, with two markers: the text
// marker (left button, label "T") and the background marker (right button, label "F"). A cell
// carrying both reads "TF". Pressing and dragging moves a marker cell by cell; every move sends
// changed() once, whether the user or the program made it.
class ColorGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int ForegroundIndex READ ForegroundIndex WRITE setForegroundIndex)
    Q_PROPERTY(int BackgroundIndex READ BackgroundIndex WRITE setBackgroundIndex)

public:
    static constexpr int Columns = 8;
    static constexpr int Rows = 2;
    static constexpr int CellCount = Columns * Rows;

    explicit ColorGrid(QWidget *parent = nullptr);

    // -1 (no marker) to 15. Setting the current value does nothing; any other value moves the
    // marker, repaints and sends changed(). Values outside -1..15 are ignored.
    int ForegroundIndex() const { return m_foregroundIndex; }
    void setForegroundIndex(int index);
    int BackgroundIndex() const { return m_backgroundIndex; }
    void setBackgroundIndex(int index);

    // The colour of the marked cell; only meaningful while the marker is 0 or more.
    ColorRef ForegroundColor() const { return cellColor(m_foregroundIndex); }
    ColorRef BackgroundColor() const { return cellColor(m_backgroundIndex); }

    // The cell's colour, 0x00BBGGRR; black for an index outside 0..15.
    static ColorRef cellColor(int index);
    // Each of red, green and blue becomes 0 where the cell's is 128 or more, 255 below.
    static QColor contrastColor(ColorRef cell);

    // The cell under a point, the point first clamped into the grid.
    int cellAt(QPoint point) const;
    // The cell's rectangle in widget coordinates.
    QRect cellRect(int index) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void moveMarker(int &marker, int index);
    QSize cellSize() const;

    int m_foregroundIndex = 0;
    int m_backgroundIndex = 15;
    Qt::MouseButton m_dragButton = Qt::NoButton;
};
