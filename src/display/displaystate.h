#pragma once

#include "colorref.h"
#include "typography.h"

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
    // Only families whose face on the line has every feature and axis the typography sets, from
    // the font index.
    bool hasTypography = false;

    bool active() const
    {
        return !words.trimmed().isEmpty() || canWriteSample || !languages.isEmpty()
            || properties != 0 || favouritesOnly || classes != 0 || hasTypography;
    }
    bool operator==(const FamilyFilter &) const = default;
};

// How the samples are drawn: the sample string, its size, bold, italic, underline, the text
// and background colours, and which families are shown. One object, owned by the main window;
// the list, the bottom panel, the Text page and the details window follow it, each listening to
// the aspects it draws. It starts at the program's defaults.
// Names: the program's own names its values (Chaine, Taille, AttrGras ...; set + name to change
// one); everything else is named in English.
class DisplayState : public QObject
{
    Q_OBJECT

public:
    // What a change touched; the next values take the next bits.
    enum Aspect : unsigned {
        Sample = 1u << 0,
        Size = 1u << 1,
        Style = 1u << 2, // bold, italic, underline
        Colours = 1u << 3,
        Filter = 1u << 4,
        Favourites = 1u << 5,
        Typography = 1u << 6, // features, axes, language, letter spacing
    };
    Q_DECLARE_FLAGS(Aspects, Aspect)
    Q_FLAG(Aspects)

    static constexpr qint32 DefaultSize = 12;
    static constexpr ColorRef DefaultTextColour = 0x000000;
    static constexpr ColorRef DefaultBackgroundColour = 0xFFFFFF;
    static QString defaultSample();

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
    // The OpenType settings every line is drawn with; kept between runs.
    const ::Typography &typography() const { return m_typography; }

    // Each setter sends changed() when the value differs from the one held.
    void setChaine(const QString &chaine);
    // Both at once: one change.
    void setChaineTaille(const QString &chaine, qint32 taille);
    void setTaille(qint32 taille);
    void setAttrGras(bool on);
    void setAttrItal(bool on);
    void setAttrSoul(bool on);
    void setCouleurTexte(ColorRef colour);
    void setCouleurFond(ColorRef colour);
    void setFilter(const FamilyFilter &filter);
    void setFavourites(const QStringList &families);
    void setFavourite(const QString &family, bool marked);
    void setTypography(const ::Typography &typography);
    // The attributes cleared, the colours back to black on white and the typography to the
    // fonts' defaults: one change.
    void resetStyle();

Q_SIGNALS:
    void changed(DisplayState::Aspects what);

private:
    template<typename T> void assign(T &member, const T &value, Aspect aspect);

    QString m_chaine = defaultSample();
    qint32 m_taille = DefaultSize;
    bool m_gras = false;
    bool m_ital = false;
    bool m_soul = false;
    ColorRef m_texte = DefaultTextColour;
    ColorRef m_fond = DefaultBackgroundColour;
    FamilyFilter m_filter;
    QStringList m_favourites;
    QSet<QString> m_favouriteSet;
    ::Typography m_typography;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DisplayState::Aspects)

// The fixed height of every line of the font list for a sample size. In 64 bits: a stored size
// near the limits of 32 bits must not overflow.
constexpr qint64 lineHeightFor(qint32 taille)
{
    return qint64(taille) + taille / 2 + 4;
}
