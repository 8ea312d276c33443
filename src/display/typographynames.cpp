#include "typographynames.h"

#include "fontlanguages.h"

#include <QLocale>
#include <QStringList>

#include <cctype>

namespace {

struct Name
{
    const char *tag;
    const char *name;
};

// Registered features in the order of OpenType's registry; those made for one script's shaping
// (Arabic joining, Indic conjuncts) are named by their tag, since nobody switches them by hand.
constexpr Name Features[] = {
    {"aalt", "Accès à toutes les variantes"},
    {"afrc", "Fractions empilées"},
    {"c2sc", "Capitales en petites capitales"},
    {"calt", "Variantes contextuelles"},
    {"case", "Formes pour capitales"},
    {"ccmp", "Composition des glyphes"},
    {"clig", "Ligatures contextuelles"},
    {"cpsp", "Espacement des capitales"},
    {"cswh", "Lettres ornées contextuelles"},
    {"dlig", "Ligatures facultatives"},
    {"dnom", "Dénominateurs"},
    {"fina", "Formes finales"},
    {"frac", "Fractions"},
    {"fwid", "Pleine chasse"},
    {"hist", "Formes historiques"},
    {"hlig", "Ligatures historiques"},
    {"hwid", "Demi-chasse"},
    {"init", "Formes initiales"},
    {"isol", "Formes isolées"},
    {"kern", "Crénage"},
    {"liga", "Ligatures standard"},
    {"lnum", "Chiffres alignés"},
    {"locl", "Formes locales"},
    {"mark", "Placement des diacritiques"},
    {"medi", "Formes médianes"},
    {"mkmk", "Placement des diacritiques entre eux"},
    {"nalt", "Formes d'annotation"},
    {"numr", "Numérateurs"},
    {"onum", "Chiffres elzéviriens"},
    {"ordn", "Ordinaux"},
    {"ornm", "Ornements"},
    {"pnum", "Chiffres proportionnels"},
    {"pwid", "Chasse proportionnelle"},
    {"rand", "Variantes aléatoires"},
    {"rlig", "Ligatures obligatoires"},
    {"salt", "Variantes"},
    {"sinf", "Indices scientifiques"},
    {"smcp", "Petites capitales"},
    {"smpl", "Formes simplifiées"},
    {"subs", "Indices"},
    {"sups", "Exposants"},
    {"swsh", "Lettres ornées"},
    {"titl", "Formes de titrage"},
    {"tnum", "Chiffres tabulaires"},
    {"trad", "Formes traditionnelles"},
    {"unic", "Casse unique"},
    {"zero", "Zéro barré"},
};

constexpr Name Axes[] = {
    {"ital", "Italique"}, {"opsz", "Taille optique"}, {"slnt", "Inclinaison"},
    {"wdth", "Largeur"},  {"wght", "Graisse"},
};

QString nameIn(const auto &table, const QByteArray &tag)
{
    for (const Name &entry : table) {
        if (tag == entry.tag)
            return QString::fromUtf8(entry.name);
    }
    return {};
}

// The number n of a tag made of a prefix and two digits ("ss07": 7), within first..last; 0
// otherwise.
int numberedTag(const QByteArray &tag, const char *prefix, int first, int last)
{
    if (!tag.startsWith(prefix) || tag.size() != 4 || !std::isdigit(uchar(tag[2]))
        || !std::isdigit(uchar(tag[3])))
        return 0;
    const int n = (tag[2] - '0') * 10 + (tag[3] - '0');
    return n >= first && n <= last ? n : 0;
}

QString labelOf(const QByteArray &tag, const QString &name)
{
    const QString shown = QString::fromLatin1(tag);
    return name.isEmpty() ? shown : name + QStringLiteral(" (") + shown + u')';
}

} // namespace

namespace TypographyNames {

QString featureName(const QByteArray &tag)
{
    if (const int set = numberedTag(tag, "ss", 1, 20))
        return QStringLiteral("Jeu stylistique %1").arg(set);
    if (const int variant = numberedTag(tag, "cv", 1, 99))
        return QStringLiteral("Variante %1").arg(variant);
    return nameIn(Features, tag);
}

QString axisName(const QByteArray &tag)
{
    return nameIn(Axes, tag);
}

QString featureLabel(const QByteArray &tag, int families)
{
    return labelOf(tag, featureName(tag)) + QStringLiteral(" — ")
        + QLocale(QLocale::French).toString(families);
}

QString axisLabel(const QByteArray &tag)
{
    return labelOf(tag, axisName(tag));
}

QString axisValue(double value)
{
    QLocale french(QLocale::French);
    french.setNumberOptions(QLocale::OmitGroupSeparator);
    return french.toString(value, 'g', 6);
}

QString lackingTip(const QList<QByteArray> &lacking, const Typography &typography)
{
    QStringList named;
    for (const QByteArray &tag : lacking)
        named.append(typography.features.contains(tag) ? labelOf(tag, featureName(tag))
                                                       : axisLabel(tag));
    return QStringLiteral("Cette police n'a pas : ") + named.join(QStringLiteral(", "));
}

QString summary(const Typography &typography)
{
    QStringList parts;
    for (const bool on : {true, false}) {
        for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
             ++feature) {
            if (feature.value() == on)
                parts.append((on ? QString() : QStringLiteral("-"))
                             + QString::fromLatin1(feature.key()));
        }
    }
    for (auto axis = typography.axes.cbegin(); axis != typography.axes.cend(); ++axis)
        parts.append(QString::fromLatin1(axis.key()) + u' ' + axisValue(axis.value()));
    if (!typography.language.isEmpty())
        parts.append(FontLanguages::frenchName(typography.language));
    if (typography.letterSpacing != 0)
        parts.append(QStringLiteral("espacement ")
                     + (typography.letterSpacing > 0 ? QStringLiteral("+") : QString())
                     + QString::number(typography.letterSpacing));
    return parts.join(QStringLiteral(", "));
}

} // namespace TypographyNames
