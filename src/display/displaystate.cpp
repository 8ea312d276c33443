#include "displaystate.h"

QString DisplayState::defaultSample()
{
    return QStringLiteral("azertyuiopQSDFGHJKLMéèàùêîâ@1234567890");
}

template<typename T> void DisplayState::assign(T &member, const T &value, Aspect aspect)
{
    if (member == value)
        return;
    member = value;
    Q_EMIT changed(aspect);
}

void DisplayState::setChaine(const QString &chaine)
{
    assign(m_chaine, chaine, Sample);
}

void DisplayState::setChaineTaille(const QString &chaine, qint32 taille)
{
    Aspects what;
    if (chaine != m_chaine)
        what |= Sample;
    if (taille != m_taille)
        what |= Size;
    if (!what)
        return;
    m_chaine = chaine;
    m_taille = taille;
    Q_EMIT changed(what);
}

void DisplayState::setTaille(qint32 taille)
{
    assign(m_taille, taille, Size);
}

void DisplayState::setAttrGras(bool on)
{
    assign(m_gras, on, Style);
}

void DisplayState::setAttrItal(bool on)
{
    assign(m_ital, on, Style);
}

void DisplayState::setAttrSoul(bool on)
{
    assign(m_soul, on, Style);
}

void DisplayState::setCouleurTexte(ColorRef colour)
{
    assign(m_texte, colour, Colours);
}

void DisplayState::setCouleurFond(ColorRef colour)
{
    assign(m_fond, colour, Colours);
}

void DisplayState::setFilter(const FamilyFilter &filter)
{
    assign(m_filter, filter, Filter);
}

void DisplayState::setTypography(const ::Typography &typography)
{
    assign(m_typography, typography, Typography);
}

void DisplayState::resetStyle()
{
    Aspects what;
    if (m_gras || m_ital || m_soul)
        what |= Style;
    if (m_texte != DefaultTextColour || m_fond != DefaultBackgroundColour)
        what |= Colours;
    if (!m_typography.isDefault())
        what |= Typography;
    if (!what)
        return;
    m_gras = m_ital = m_soul = false;
    m_texte = DefaultTextColour;
    m_fond = DefaultBackgroundColour;
    m_typography = {};
    Q_EMIT changed(what);
}

void DisplayState::setFavourites(const QStringList &families)
{
    QStringList once;
    QSet<QString> seen;
    for (const QString &family : families) {
        if (!family.isEmpty() && !seen.contains(family)) {
            seen.insert(family);
            once.append(family);
        }
    }
    if (once == m_favourites)
        return;
    m_favourites = std::move(once);
    m_favouriteSet = std::move(seen);
    Q_EMIT changed(Favourites);
}

void DisplayState::setFavourite(const QString &family, bool marked)
{
    if (family.isEmpty() || isFavourite(family) == marked)
        return;
    if (marked) {
        m_favourites.append(family);
        m_favouriteSet.insert(family);
    } else {
        m_favourites.removeOne(family);
        m_favouriteSet.remove(family);
    }
    Q_EMIT changed(Favourites);
}
