#include "samplerows.h"

#include "linerenderer.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

SampleRows::SampleRows(LineRenderer &renderer, QWidget *parent)
    : QWidget(parent)
    , m_renderer(renderer)
{
    setAutoFillBackground(true);
}

void SampleRows::setRows(QList<Row> rows, const QString &text)
{
    m_rows = std::move(rows);
    m_text = text;
    updateGeometry();
    adjustSize();
    update();
}

void SampleRows::setColours(const QColor &ink, const QColor &paper)
{
    m_ink = ink;
    m_paper = paper;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, paper);
    colours.setColor(QPalette::WindowText, ink);
    setPalette(colours);
    update();
}

int SampleRows::labelHeight() const
{
    return fontMetrics().height() + 2;
}

int SampleRows::rowHeight(const Row &row) const
{
    return labelHeight() + int(std::ceil(row.style.pixelSize * 1.4)) + 8;
}

QSize SampleRows::sizeHint() const
{
    int height = 0;
    for (const Row &row : m_rows)
        height += rowHeight(row);
    return {400, std::max(height, 40)};
}

void SampleRows::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect shown = event->rect();
    const qreal ratio = devicePixelRatioF();
    int top = 0;
    for (const Row &row : std::as_const(m_rows)) {
        const int height = rowHeight(row);
        if (top + height >= shown.top() && top <= shown.bottom()) {
            painter.setPen(m_ink);
            painter.drawText(QRect(4, top + 1, width() - 8, labelHeight()),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.label);
            LineStyle style = row.style;
            style.pixelSize *= ratio;
            const RenderedLine &line
                = m_renderer.line(row.family, m_text, style, int(std::ceil((width() - 8) * ratio)));
            const qreal baseline = top + labelHeight() + 2 + line.ascent / ratio;
            LineRenderer::draw(painter, QPointF(4, baseline), line, m_ink, m_paper, ratio);
        }
        top += height;
    }
}
