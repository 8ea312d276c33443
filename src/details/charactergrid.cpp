#include "charactergrid.h"

#include "linerenderer.h"
#include "unicodeblocks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr double GlyphPixels = 24;

} // namespace

CharacterGrid::CharacterGrid(LineRenderer &renderer, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_renderer(renderer)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(CellHeight);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

void CharacterGrid::setFace(const QString &family, int face, QList<char32_t> characters)
{
    m_family = family;
    m_face = face;
    m_characters = std::move(characters);
    m_selected = -1;
    layOut();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void CharacterGrid::setColours(const QColor &ink, const QColor &paper)
{
    m_ink = ink;
    m_paper = paper;
    QPalette colours = viewport()->palette();
    colours.setColor(QPalette::Window, paper);
    viewport()->setPalette(colours);
    viewport()->update();
}

int CharacterGrid::columns() const
{
    return std::max(1, viewport()->width() / CellWidth);
}

void CharacterGrid::layOut()
{
    m_lines.clear();
    m_rowOf = QList<int>(m_characters.size(), 0);
    const int perRow = columns();
    int top = 0;
    for (qsizetype first = 0; first < m_characters.size();) {
        const int block = UnicodeBlocks::blockOf(m_characters[first]);
        qsizetype end = first;
        while (end < m_characters.size() && UnicodeBlocks::blockOf(m_characters[end]) == block)
            ++end;
        m_lines.append({top, true, block, first, end - first});
        top += HeaderHeight;
        for (qsizetype row = first; row < end; row += perRow) {
            for (qsizetype place = row; place < std::min(end, row + perRow); ++place)
                m_rowOf[place] = int(m_lines.size());
            m_lines.append({top, false, block, row, std::min<qsizetype>(perRow, end - row)});
            top += CellHeight;
        }
        first = end;
    }
    m_height = top;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, m_height - viewport()->height()));
}

void CharacterGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    layOut();
}

QRect CharacterGrid::cellRect(qsizetype place) const
{
    const Line &row = m_lines[m_rowOf[place]];
    return {int(place - row.first) * CellWidth, row.top, CellWidth, CellHeight};
}

void CharacterGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const int scrolled = verticalScrollBar()->value();
    const int bottom = scrolled + viewport()->height();
    const qreal ratio = devicePixelRatioF();
    LineStyle style;
    style.pixelSize = GlyphPixels * ratio;
    style.face = m_face;
    // The first line on screen, found by halving: tens of thousands of characters cost no more.
    auto line = std::upper_bound(m_lines.cbegin(), m_lines.cend(), scrolled,
                                 [](int y, const Line &l) { return y < l.top; });
    if (line != m_lines.cbegin())
        --line;
    QColor faint = m_ink;
    faint.setAlphaF(0.25);
    for (; line != m_lines.cend() && line->top < bottom; ++line) {
        const int top = line->top - scrolled;
        if (line->header) {
            painter.fillRect(QRect(0, top, viewport()->width(), HeaderHeight),
                             palette().color(QPalette::Button));
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(QRect(6, top, viewport()->width() - 12, HeaderHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             UnicodeBlocks::name(line->block) + QStringLiteral(" : ")
                                 + QString::number(line->count) + QStringLiteral(" sur ")
                                 + QString::number(UnicodeBlocks::assignedCount(line->block)));
            continue;
        }
        for (qsizetype place = line->first; place < line->first + line->count; ++place) {
            const QRect cell(int(place - line->first) * CellWidth, top, CellWidth, CellHeight);
            const bool chosen = place == m_selected;
            if (chosen)
                painter.fillRect(cell, palette().color(QPalette::Highlight));
            painter.setPen(faint);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            const char32_t character = m_characters[place];
            const RenderedLine &glyph = m_renderer.line(m_family, QString::fromUcs4(&character, 1),
                                                        style, int(CellWidth * ratio));
            const QColor ink = chosen ? palette().color(QPalette::HighlightedText) : m_ink;
            const QColor paper = chosen ? palette().color(QPalette::Highlight) : m_paper;
            const qreal inkWidth = glyph.coverage.width() / ratio;
            const QPointF pen(cell.left() + (CellWidth - inkWidth) / 2 + glyph.origin.x() / ratio,
                              cell.top() + CellHeight * 0.68);
            LineRenderer::draw(painter, pen, glyph, ink, paper, ratio);
        }
    }
}

void CharacterGrid::selectAt(qsizetype place)
{
    if (place < 0 || place >= m_characters.size())
        return;
    m_selected = place;
    const QRect cell = cellRect(place);
    QScrollBar *bar = verticalScrollBar();
    if (cell.top() < bar->value())
        bar->setValue(cell.top() - HeaderHeight);
    else if (cell.bottom() > bar->value() + viewport()->height())
        bar->setValue(cell.bottom() - viewport()->height() + 1);
    viewport()->update();
    Q_EMIT selectionChanged(m_characters[place]);
}

bool CharacterGrid::select(char32_t character)
{
    const auto found = std::lower_bound(m_characters.cbegin(), m_characters.cend(), character);
    if (found == m_characters.cend() || *found != character)
        return false;
    selectAt(found - m_characters.cbegin());
    return true;
}

void CharacterGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() + QPoint(0, verticalScrollBar()->value());
    auto line = std::upper_bound(m_lines.cbegin(), m_lines.cend(), at.y(),
                                 [](int y, const Line &l) { return y < l.top; });
    if (line == m_lines.cbegin())
        return;
    --line;
    const qsizetype column = at.x() / CellWidth;
    if (!line->header && column < line->count)
        selectAt(line->first + column);
}

void CharacterGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        if (m_selected >= 0)
            QGuiApplication::clipboard()->setText(QString::fromUcs4(&m_characters[m_selected], 1));
        return;
    }
    const qsizetype from = std::max<qsizetype>(m_selected, 0);
    switch (event->key()) {
    case Qt::Key_Right:
        selectAt(m_selected < 0 ? 0 : from + 1);
        return;
    case Qt::Key_Left:
        selectAt(from - 1);
        return;
    case Qt::Key_Down:
        selectAt(std::min<qsizetype>(from + columns(), m_characters.size() - 1));
        return;
    case Qt::Key_Up:
        selectAt(std::max<qsizetype>(from - columns(), 0));
        return;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool end = event->key() == Qt::Key_End;
        if (event->modifiers() & Qt::ControlModifier) {
            selectAt(end ? m_characters.size() - 1 : 0);
        } else if (!m_characters.isEmpty()) {
            // Within the chosen character's row.
            const Line &row = m_lines[m_rowOf[from]];
            selectAt(end ? row.first + row.count - 1 : row.first);
        }
        return;
    }
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}
