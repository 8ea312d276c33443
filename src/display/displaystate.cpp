#include "displaystate.h"

template<typename T> void DisplayState::assign(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    Q_EMIT changed();
}

void DisplayState::setChaine(const QString &chaine)
{
    assign(m_chaine, chaine);
}

void DisplayState::setSample(const QString &chaine, qint32 taille)
{
    if (chaine == m_chaine && taille == m_taille)
        return;
    m_chaine = chaine;
    m_taille = taille;
    Q_EMIT changed();
}

void DisplayState::setTaille(qint32 taille)
{
    assign(m_taille, taille);
}

void DisplayState::setAttrGras(bool on)
{
    assign(m_gras, on);
}

void DisplayState::setAttrItal(bool on)
{
    assign(m_ital, on);
}

void DisplayState::setAttrSoul(bool on)
{
    assign(m_soul, on);
}

void DisplayState::setCouleurTexte(ColorRef colour)
{
    assign(m_texte, colour);
}

void DisplayState::setCouleurFond(ColorRef colour)
{
    assign(m_fond, colour);
}

void DisplayState::setFilter(const FamilyFilter &filter)
{
    assign(m_filter, filter);
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
    Q_EMIT changed();
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
    Q_EMIT changed();
}
