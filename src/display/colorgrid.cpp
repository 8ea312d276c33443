#include "colorgrid.h"

#include "colorgridaccessible.h"

#include "fontfamilies.h"
#include "uifonts.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
// The sixteen standard colours, 0x00BBGGRR.
constexpr ColorRef Colors[ColorGrid::CellCount] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
} // namespace

ColorGrid::ColorGrid(QWidget *parent)
    : QWidget(parent)
{
    // Screen readers find each cell by its colour's name.
    static const bool accessible = [] {
        QAccessible::installFactory(ColorGridAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::NoFocus);
    QFont labelFont = FontFamilies::familyFont(UiFonts::family(QStringLiteral("Times New Roman")));
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    setFont(labelFont);
}

void ColorGrid::setForegroundIndex(int index)
{
    moveMarker(m_foregroundIndex, index);
}

void ColorGrid::setBackgroundIndex(int index)
{
    moveMarker(m_backgroundIndex, index);
}

void ColorGrid::moveMarker(int &marker, int index)
{
    if (index < -1 || index >= CellCount || index == marker)
        return;
    marker = index;
    update();
    Q_EMIT changed();
}

ColorRef ColorGrid::cellColor(int index)
{
    return index >= 0 && index < CellCount ? Colors[index] : 0;
}

QColor ColorGrid::contrastColor(ColorRef cell)
{
    const QColor color = toQColor(cell);
    const auto flip = [](int component) {
        return component >= 128 ? 0 : 255;
    };
    return QColor(flip(color.red()), flip(color.green()), flip(color.blue()));
}

QSize ColorGrid::cellSize() const
{
    return QSize(width() / Columns, height() / Rows);
}

QRect ColorGrid::cellRect(int index) const
{
    const QSize size = cellSize();
    return QRect(QPoint(index % Columns * size.width(), index / Columns * size.height()), size);
}

int ColorGrid::cellAt(QPoint point) const
{
    // A grid too small for whole cells still answers with a valid cell.
    const QSize size = cellSize().expandedTo(QSize(1, 1));
    const int x = std::clamp(point.x(), 0, Columns * size.width() - 1);
    const int y = std::clamp(point.y(), 0, Rows * size.height() - 1);
    return y / size.height() * Columns + x / size.width();
}

QSize ColorGrid::sizeHint() const
{
    return QSize(160, 44);
}

void ColorGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < CellCount; ++i) {
        const QRect rect = cellRect(i);
        const ColorRef color = cellColor(i);
        painter.fillRect(rect, toQColor(color));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));

        QString label;
        if (i == m_foregroundIndex)
            label += u'T';
        if (i == m_backgroundIndex)
            label += u'F';
        if (!label.isEmpty()) {
            painter.setPen(contrastColor(color));
            painter.drawText(rect, Qt::AlignCenter, label);
        }
    }
}

void ColorGrid::mousePressEvent(QMouseEvent *event)
{
    // One drag at a time: a second button changes nothing until the first is released.
    if (m_dragButton != Qt::NoButton)
        return;
    const int cell = cellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_dragButton = Qt::LeftButton;
        setForegroundIndex(cell);
    } else if (event->button() == Qt::RightButton) {
        m_dragButton = Qt::RightButton;
        setBackgroundIndex(cell);
    }
}

void ColorGrid::mouseMoveEvent(QMouseEvent *event)
{
    const int cell = cellAt(event->position().toPoint());
    if (m_dragButton == Qt::LeftButton)
        setForegroundIndex(cell);
    else if (m_dragButton == Qt::RightButton)
        setBackgroundIndex(cell);
}

void ColorGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == m_dragButton)
        m_dragButton = Qt::NoButton;
}
