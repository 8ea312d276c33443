#include "fontlistdelegate.h"

#include "fontfamilies.h"
#include "uifonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Name layouts kept at once: more than the lines a window shows at the smallest size.
constexpr qsizetype NameCacheLimit = 128;

// A favourite's mark: a five-pointed star, gold on any background, centred at (x, y).
void drawStar(QPainter &painter, QPointF centre, qreal radius)
{
    QPolygonF star;
    for (int point = 0; point < 10; ++point) {
        const qreal angle = M_PI / 2 + point * M_PI / 5;
        const qreal reach = point % 2 == 0 ? radius : radius * 0.45;
        star << centre + QPointF(reach * std::cos(angle), -reach * std::sin(angle));
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 0.8));
    painter.setBrush(QColor(0xf2, 0xb5, 0x00));
    painter.drawPolygon(star);
    painter.restore();
}

} // namespace

FontListDelegate::FontListDelegate(const FontCatalog &catalog, QObject *parent)
    : QAbstractItemDelegate(parent)
    , m_renderer(catalog)
{
}

QFont FontListDelegate::nameFont()
{
    static const QFont font = [] {
        QFont arial = FontFamilies::familyFont(UiFonts::family(QStringLiteral("Arial")));
        arial.setPointSize(10);
        arial.setBold(true);
        return arial;
    }();
    return font;
}

const QStaticText &FontListDelegate::nameText(const QString &family) const
{
    // A name is laid out once and drawn from its layout until it scrolls far away.
    if (m_nameTexts.size() >= NameCacheLimit)
        m_nameTexts.clear();
    auto cached = m_nameTexts.find(family);
    if (cached == m_nameTexts.end()) {
        QStaticText text(family);
        text.setTextFormat(Qt::PlainText);
        cached = m_nameTexts.insert(family, text);
    }
    return *cached;
}

namespace {

// The widest of names in a font. Laying out thousands of names one by one costs tens of
// milliseconds at start; the sum of each character's advance costs a table lookup per character
// and differs from the laid-out width by kerning only, a few pixels at most. Only the names that
// sum close to the widest are laid out.
int widestName(const QStringList &names, const QFont &font)
{
    const QFontMetrics metrics(font);
    std::array<int, 128> ascii;
    ascii.fill(-1);
    QHash<QChar, int> others;
    const auto advance = [&](QChar c) {
        if (c.unicode() < ascii.size()) {
            int &known = ascii[c.unicode()];
            if (known < 0)
                known = metrics.horizontalAdvance(c);
            return known;
        }
        auto known = others.find(c);
        if (known == others.end())
            known = others.insert(c, metrics.horizontalAdvance(c));
        return *known;
    };
    std::vector<std::pair<int, qsizetype>> sums; // (sum of advances, name), widest first
    sums.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        int sum = 0;
        for (const QChar c : names[i])
            sum += c.isSurrogate() ? 2 * metrics.averageCharWidth() : advance(c);
        sums.emplace_back(sum, i);
    }
    std::sort(sums.begin(), sums.end(), std::greater<>());
    const int slack = metrics.averageCharWidth() * 4 + (sums.empty() ? 0 : sums.front().first / 8);
    int widest = 0;
    for (const auto &[sum, name] : sums) {
        if (sum + slack < widest)
            break;
        widest = std::max(widest, metrics.horizontalAdvance(names[name]));
    }
    return widest;
}

} // namespace

int FontListDelegate::measureNameColumn(const QAbstractItemModel &model) const
{
    ++m_measurements;
    // The names and their font never change during a run: the widest is worked out over all
    // entries once, and every later reset takes it again instead of walking thousands of names.
    if (m_widestName < 0 || m_measuredRows != model.rowCount()) {
        QStringList names;
        names.reserve(model.rowCount());
        for (int row = 0; row < model.rowCount(); ++row)
            names.append(model.index(row, 0).data().toString());
        m_widestName = widestName(names, nameFont());
        m_measuredRows = model.rowCount();
    }
    return m_widestName;
}

int FontListDelegate::nameColumnWidth(int lineWidth) const
{
    if (!m_look.namesShown)
        return 0;
    return std::min(m_look.nameColumn, int(lineWidth * NameColumnShare));
}

int FontListDelegate::namesEnd(int lineWidth) const
{
    return m_look.starGutter() + 1 + nameColumnWidth(lineWidth);
}

bool FontListDelegate::nameElided(const QString &family, int lineWidth) const
{
    const int column = nameColumnWidth(lineWidth);
    return column < m_look.nameColumn
        && QFontMetrics(nameFont()).horizontalAdvance(family) > column;
}

void FontListDelegate::setLook(const LineLook &look)
{
    if (!(look.typography == m_look.typography))
        m_lacking.clear();
    m_look = look;
}

QRect FontListDelegate::lackingMark(const QRect &line)
{
    const int side = std::min(line.height() - 2, 10);
    return {line.right() - side - 2, line.top() + (line.height() - side) / 2, side, side};
}

LineStyle FontListDelegate::sampleStyle(int logicalDpi) const
{
    LineStyle style;
    style.points = std::max(1, m_look.points);
    style.pixelSize = style.points * logicalDpi / 72.0;
    style.bold = m_look.bold;
    style.italic = m_look.italic;
    style.underline = m_look.underline;
    style.typography = m_look.typography;
    return style;
}

int FontListDelegate::sampleBaseline(const RenderedLine &sample, int top, int height)
{
    const int natural = top + 1 + sample.ascent;
    if (sample.coverage.isNull())
        return natural;
    const int bottom = top + height;
    const int inkAbove = sample.origin.y(); // from the ink's top down to the baseline
    const int inkBelow = sample.coverage.height() - inkAbove;
    // Ink that fits is moved as little as it takes to keep both its ends in the line: down for
    // accents above a short ascent, up for a very tall one.
    if (sample.coverage.height() <= height)
        return std::max(top + inkAbove, std::min(natural, bottom - inkBelow));
    return top + inkAbove - (sample.coverage.height() - height) / 2;
}

void FontListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette &palette = option.palette;
    const QRect line = option.rect;
    const QString family = index.data().toString();

    painter->save();
    painter->setClipRect(line);
    const QColor background = selected ? palette.color(QPalette::Active, QPalette::Highlight)
                                       : palette.color(QPalette::Base);
    painter->fillRect(line, background);
    painter->setPen(selected ? palette.color(QPalette::Active, QPalette::HighlightedText)
                             : palette.color(QPalette::Text));

    const int column = nameColumnWidth(line.width());
    const int gutter = m_look.starGutter();
    if (m_look.favourites.contains(family)) {
        const qreal nameMiddle = line.top() + 1 + QFontMetrics(nameFont()).height() / 2.0;
        drawStar(*painter, QPointF(line.left() + gutter / 2.0, nameMiddle), gutter / 2.0 - 1);
    }
    if (m_look.namesShown) {
        painter->setFont(nameFont());
        const int nameLeft = line.left() + gutter + 1;
        if (nameElided(family, line.width())) {
            const QString shown
                = QFontMetrics(nameFont()).elidedText(family, Qt::ElideRight, column);
            painter->drawText(QRect(nameLeft, line.top() + 1, column, line.height()),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        } else {
            painter->drawStaticText(nameLeft, line.top() + 1, nameText(family));
        }
    }
    const QPaintDevice *device = painter->device();
    const qreal ratio = device->devicePixelRatio();
    LineStyle style = sampleStyle(device->logicalDpiY());
    style.pixelSize *= ratio;
    const int left = line.left() + gutter + column + 2;
    // The line's own font only: a character it lacks shows as its missing-glyph box, never as a
    // glyph borrowed from another font, which is what a font viewer must show.
    const RenderedLine &sample
        = m_renderer.line(FontFamilies::entryFamily(family), QLatin1Char(' ') + m_look.sample,
                          style, int(std::ceil((line.right() + 1 - left) * ratio)));
    // The line's top and height in device pixels, where the sample's ink is placed.
    const int baseline = sampleBaseline(sample, int(std::lround((line.top() + 1) * ratio)) - 1,
                                        int(std::lround(line.height() * ratio)));
    LineRenderer::draw(*painter, QPointF(left, baseline / ratio), sample, painter->pen().color(),
                       background, ratio);
    if (!sample.lacking.isEmpty()) {
        // Drawn as without what it lacks: said by a mark over the line's end, and its tooltip.
        m_lacking.insert(family, sample.lacking);
        const QRect mark = lackingMark(line);
        painter->fillRect(mark.adjusted(-2, -2, 2, 2), background);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(0xc0, 0x50, 0x00), 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(QRectF(mark).adjusted(0.5, 0.5, -0.5, -0.5));
        painter->drawLine(QPointF(mark.left() + 2, mark.bottom() - 1),
                          QPointF(mark.right() - 1, mark.top() + 2));
    } else if (!m_lacking.isEmpty()) {
        m_lacking.remove(family);
    }

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize FontListDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    // No width: the list never scrolls sideways, long samples are cut at the right edge.
    return {1, m_lineHeight};
}
