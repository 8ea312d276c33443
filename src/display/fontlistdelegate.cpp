#include "fontlistdelegate.h"

#include "displaystate.h"
#include "fontfamilies.h"
#include "uifonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// Name layouts kept at once: more than the lines a window shows at the smallest size.
constexpr qsizetype NameCacheLimit = 128;

} // namespace

FontListDelegate::FontListDelegate(QObject *parent)
    : QAbstractItemDelegate(parent)
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

int FontListDelegate::measureNameColumn(const QAbstractItemModel &model) const
{
    ++m_measurements;
    // The names and their font never change during a run: the widest is worked out over all
    // entries once, and every later reset takes it again instead of walking thousands of names.
    if (m_widestName < 0 || m_measuredRows != model.rowCount()) {
        const QFontMetrics metrics(nameFont());
        int widest = 0;
        for (int row = model.rowCount() - 1; row >= 0; --row)
            widest = std::max(widest,
                              metrics.horizontalAdvance(model.index(row, 0).data().toString()));
        m_widestName = widest;
        m_measuredRows = model.rowCount();
    }
    return m_widestName;
}

QString FontListDelegate::sampleFamily(const QString &entry)
{
    // "Default" is the desktop's own font, whatever font the windows use.
    static const QString desktopFamily = UiFonts::desktopFont().family();
    return entry == FontFamilies::DefaultEntry ? desktopFamily : entry;
}

LineStyle FontListDelegate::sampleStyle(int logicalDpi)
{
    LineStyle style;
    style.pixelSize = std::max(1, Enmain::Taille) * logicalDpi / 72.0;
    style.bold = Enmain::AttrGras;
    style.italic = Enmain::AttrItal;
    style.underline = Enmain::AttrSoul;
    return style;
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

    if (m_namesShown) {
        if (Enmain::LargeurNoms == 0)
            Enmain::LargeurNoms = measureNameColumn(*index.model());
        painter->setFont(nameFont());
        painter->drawStaticText(line.left() + 1, line.top() + 1, nameText(family));
    }
    // A font viewer shows the font's own glyphs: a missing one stays the font's missing-glyph
    // box, never a glyph borrowed from another font.
    const QPaintDevice *device = painter->device();
    const qreal ratio = device->devicePixelRatio();
    LineStyle style = sampleStyle(device->logicalDpiY());
    style.pixelSize *= ratio;
    const int left = line.left() + Enmain::LargeurNoms + 2;
    const RenderedLine &sample
        = m_renderer.line(sampleFamily(family), QLatin1Char(' ') + m_sample, style,
                          int(std::ceil((line.right() + 1 - left) * ratio)));
    LineRenderer::draw(*painter, QPointF(left, line.top() + 1 + sample.ascent / ratio), sample,
                       painter->pen().color(), background, ratio);

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
