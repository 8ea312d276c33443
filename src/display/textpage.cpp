#include "textpage.h"

#include "fontfamilies.h"
#include "windows1252.h"

#include <QFile>

TextPage::TextPage(QWidget *parent)
    : QPlainTextEdit(parent)
{
    QFile text(QStringLiteral(":/texte.txt"));
    if (text.open(QIODevice::ReadOnly))
        m_defaultText = QString::fromUtf8(text.readAll());
    if (m_defaultText.endsWith(QLatin1Char('\n')))
        m_defaultText.chop(1);
}

void TextPage::setDisplayState(const DisplayState *state)
{
    if (m_state)
        disconnect(m_state, nullptr, this, nullptr);
    m_state = state;
    if (state)
        connect(state, &DisplayState::changed, this, &TextPage::followState);
}

void TextPage::setFontChoice(const QString &family, int points)
{
    m_family = family;
    m_points = points;
    applyFont();
    applyColours();
}

void TextPage::showDefaultText()
{
    setPlainText(m_defaultText);
}

void TextPage::showAllCharacters()
{
    const QString all = Windows1252::charactersOfCodes(32, 255);
    QStringList lines {QStringLiteral(" ")};
    for (qsizetype start = 0; start < all.size(); start += 30)
        lines.append(QStringLiteral("  ") + all.mid(start, 30));
    setPlainText(lines.join(QLatin1Char('\n')));
}

void TextPage::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed();
    QPlainTextEdit::mousePressEvent(event);
}

// The page draws neither the sample string nor the list's size. Until a font is chosen for it,
// it keeps the font it was made with.
void TextPage::followState(DisplayState::Aspects what)
{
    if ((what & DisplayState::Style) && m_family)
        applyFont();
    if (what & DisplayState::Colours)
        applyColours();
}

void TextPage::applyColours()
{
    if (!m_state)
        return;
    QPalette colors = palette();
    colors.setColor(QPalette::Base, toQColor(m_state->CouleurFond()));
    colors.setColor(QPalette::Text, toQColor(m_state->CouleurTexte()));
    setPalette(colors);
}

void TextPage::applyFont()
{
    QFont font = FontFamilies::entryFont(*m_family);
    font.setPointSize(std::max(1, m_points));
    if (m_state) {
        font.setBold(m_state->AttrGras());
        font.setItalic(m_state->AttrItal());
        font.setUnderline(m_state->AttrSoul());
    }
    font.setStyleStrategy(QFont::NoFontMerging);
    setFont(font);
}
