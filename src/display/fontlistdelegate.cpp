#include "fontlistdelegate.h"

#include "displaystate.h"
#include "fontfamilies.h"
#include "uifonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// Sample fonts and name layouts kept at once: more than the lines a window shows at the smallest
// size, without holding on to every font engine of a long scroll.
constexpr qsizetype SampleFontCacheLimit = 128;

// Text is placed by its top-left corner, as the list has always drawn it.
void drawTextAt(QPainter *painter, int left, int top, const QString &text)
{
    painter->drawText(left, top + painter->fontMetrics().ascent(), text);
}

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
    if (m_nameTexts.size() >= SampleFontCacheLimit)
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

FontListDelegate::FontKey FontListDelegate::currentKey() const
{
    return {Enmain::Taille, Enmain::AttrGras, Enmain::AttrItal, Enmain::AttrSoul};
}

QFont FontListDelegate::sampleFont(const QString &family) const
{
    const FontKey key = currentKey();
    if (!(key == m_sampleFontsKey) || m_sampleFonts.size() >= SampleFontCacheLimit) {
        m_sampleFonts.clear();
        m_sampleFontsKey = key;
    }
    auto cached = m_sampleFonts.constFind(family);
    if (cached != m_sampleFonts.cend())
        return *cached;

    // "Default" is the desktop's own font, whatever font the windows use.
    QFont font = FontFamilies::entryFont(family);
    font.setPointSize(std::max(1, key.size));
    font.setBold(key.bold);
    font.setItalic(key.italic);
    font.setUnderline(key.underline);
    // A font viewer shows the font's own glyphs: a missing one stays a missing-glyph box.
    font.setStyleStrategy(QFont::NoFontMerging);
    m_sampleFonts.insert(family, font);
    return font;
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
    painter->fillRect(line,
                      selected ? palette.color(QPalette::Active, QPalette::Highlight)
                               : palette.color(QPalette::Base));
    painter->setPen(selected ? palette.color(QPalette::Active, QPalette::HighlightedText)
                             : palette.color(QPalette::Text));

    if (m_namesShown) {
        if (Enmain::LargeurNoms == 0)
            Enmain::LargeurNoms = measureNameColumn(*index.model());
        painter->setFont(nameFont());
        painter->drawStaticText(line.left() + 1, line.top() + 1, nameText(family));
    }
    painter->setFont(sampleFont(family));
    drawTextAt(painter, line.left() + Enmain::LargeurNoms + 2, line.top() + 1,
               QLatin1Char(' ') + m_sample);

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
