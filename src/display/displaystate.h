#pragma once

#include "colorref.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

// Which families the list shows. Nothing set: all of them.
struct FamilyFilter
{
    QString words; // as typed; every word must appear in the family's name
    bool canWriteSample = false; // only families whose face on the line has the sample's characters
    QStringList languages; // fontconfig's codes; the face on the line supports every one
    unsigned properties = 0; // FamilyTraits::Property flags; the family has every one
    bool favouritesOnly = false;
    unsigned classes = 0; // 1 << FontClass, from the font index; the family's is one of them

    bool active() const
    {
        return !words.trimmed().isEmpty() || canWriteSample || !languages.isEmpty()
            || properties != 0 || favouritesOnly || classes != 0;
    }
    bool operator==(const FamilyFilter &) const = default;
};

// How the samples are drawn: the sample string, its size, bold, italic, underline, the text
// and background colours, and which families are shown. One object, owned by the main window and
// handed to the font list, which follows every change by itself; the Text page and printing read
// it. Everything starts at zero (an empty sample, size 0, black on black) until the window sets it
// up.
class DisplayState : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    const QString &Chaine() const { return m_chaine; } // the sample string
    qint32 Taille() const { return m_taille; } // the size, points
    bool AttrGras() const { return m_gras; } // bold
    bool AttrItal() const { return m_ital; } // italic
    bool AttrSoul() const { return m_soul; } // underline
    ColorRef CouleurTexte() const { return m_texte; }
    ColorRef CouleurFond() const { return m_fond; }
    // Which families are shown; not kept between runs.
    const FamilyFilter &filter() const { return m_filter; }
    // The families the user marked, in the order they were marked; kept between runs, including
    // those no longer installed.
    const QStringList &favourites() const { return m_favourites; }
    bool isFavourite(const QString &family) const { return m_favouriteSet.contains(family); }
    const QSet<QString> &favouriteSet() const { return m_favouriteSet; }

    // Each setter sends changed() when the value differs from the one held.
    void setChaine(const QString &chaine);
    // Both at once: one change.
    void setSample(const QString &chaine, qint32 taille);
    void setTaille(qint32 taille);
    void setAttrGras(bool on);
    void setAttrItal(bool on);
    void setAttrSoul(bool on);
    void setCouleurTexte(ColorRef colour);
    void setCouleurFond(ColorRef colour);
    void setFilter(const FamilyFilter &filter);
    void setFavourites(const QStringList &families);
    void setFavourite(const QString &family, bool marked);

Q_SIGNALS:
    void changed();

private:
    template<typename T> void assign(T &member, const T &value);

    QString m_chaine;
    qint32 m_taille = 0;
    bool m_gras = false;
    bool m_ital = false;
    bool m_soul = false;
    ColorRef m_texte = 0;
    ColorRef m_fond = 0;
    FamilyFilter m_filter;
    QStringList m_favourites;
    QSet<QString> m_favouriteSet;
};

// The fixed height of every line of the font list for a sample size. In 64 bits: a stored size
// near the limits of 32 bits must not overflow.
constexpr qint64 lineHeightFor(qint32 taille)
{
    return qint64(taille) + taille / 2 + 4;
}
