#include "fontinformation.h"

#include <QUrl>

namespace FontInformation {

namespace {

const QString Unknown = QStringLiteral("inconnu");

QString escaped(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("<i>") + Unknown + QStringLiteral("</i>")
                          : text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

// A web address the font gives becomes a link only when it is one.
QString link(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")))
        return QStringLiteral("<a href=\"") + url.toString(QUrl::FullyEncoded).toHtmlEscaped()
            + QStringLiteral("\">") + address.toHtmlEscaped() + QStringLiteral("</a>");
    return escaped(address);
}

QString row(const QString &label, const QString &value)
{
    return QStringLiteral("<tr><td valign=\"top\"><b>") + label + QStringLiteral("</b></td><td>")
        + value + QStringLiteral("</td></tr>");
}

QString format(const FaceMetadata &m)
{
    QString text = m.format.isEmpty() ? Unknown : m.format.toHtmlEscaped();
    if (!m.axes.isEmpty()) {
        QStringList axes;
        for (const FaceMetadata::Axis &axis : m.axes)
            axes.append(QString::fromLatin1(axis.tag).toHtmlEscaped()
                        + (axis.name.isEmpty() ? QString()
                                               : QStringLiteral(" « ") + axis.name.toHtmlEscaped()
                                   + QStringLiteral(" »"))
                        + QStringLiteral(" %1 à %2 (défaut %3)")
                              .arg(axis.minimum)
                              .arg(axis.maximum)
                              .arg(axis.defaultValue));
        text += QStringLiteral(", variable : ") + axes.join(QStringLiteral(", "));
    }
    if (m.colour)
        text += QStringLiteral(", en couleur");
    return text;
}

QString list(const QStringList &items, const QString &separator = QStringLiteral(" "))
{
    return items.isEmpty() ? QStringLiteral("<i>aucune</i>")
                           : items.join(separator).toHtmlEscaped();
}

// Each feature's tag, with the name the font gives it (its stylistic sets, its variants).
QString features(const FaceMetadata &m)
{
    QStringList named;
    for (const QString &tag : m.features) {
        const QString name = m.featureNames.value(tag);
        named.append(name.isEmpty() ? tag
                                    : tag + QStringLiteral(" « ") + name + QStringLiteral(" »"));
    }
    return list(named);
}

QString instances(const FaceMetadata &m)
{
    QStringList names;
    for (const FaceMetadata::Instance &instance : m.instances)
        names.append(instance.name);
    return list(names, QStringLiteral(", "));
}

} // namespace

QString embeddingInWords(quint16 fsType)
{
    QStringList words;
    if (fsType & 0x0002)
        words.append(QStringLiteral("Incorporation interdite (licence restreinte)"));
    else if (fsType & 0x0004)
        words.append(QStringLiteral("Incorporation pour l'aperçu et l'impression"));
    else if (fsType & 0x0008)
        words.append(QStringLiteral("Incorporation modifiable"));
    else
        words.append(QStringLiteral("Installable (aucune restriction)"));
    if (fsType & 0x0100)
        words.append(QStringLiteral("sans sous-ensemble"));
    if (fsType & 0x0200)
        words.append(QStringLiteral("images seulement"));
    return words.join(QStringLiteral(", "));
}

QString html(const QString &family, const Face &face, const QStringList &languages,
             const QList<Face> &files)
{
    QString page = QStringLiteral("<html><body>");
    for (const Face &file : files) {
        if (!file.exists)
            page += QStringLiteral("<p><b>Le fichier de cette police n'existe plus : ")
                + file.path.toHtmlEscaped() + QStringLiteral("</b></p>");
    }
    page += QStringLiteral("<table cellspacing=\"4\">");
    const FaceMetadata m = face.metadata.value_or(FaceMetadata());
    page += row(QStringLiteral("Famille"), escaped(m.family.isEmpty() ? family : m.family));
    page += row(QStringLiteral("Style"), escaped(m.style));
    page += row(QStringLiteral("Version"), escaped(m.version));
    page += row(QStringLiteral("Concepteur"), escaped(m.designer));
    page += row(QStringLiteral("Site du concepteur"), link(m.designerUrl));
    page += row(QStringLiteral("Fabricant"), escaped(m.manufacturer));
    page += row(QStringLiteral("Site du fabricant"), link(m.vendorUrl));
    page += row(QStringLiteral("Copyright"), escaped(m.copyright));
    page += row(QStringLiteral("Marque"), escaped(m.trademark));
    page += row(QStringLiteral("Licence"), escaped(m.licence));
    page += row(QStringLiteral("Adresse de la licence"), link(m.licenceUrl));
    page += row(QStringLiteral("Droits d'incorporation"),
                face.metadata && m.hasOs2
                    ? embeddingInWords(m.embedding).toHtmlEscaped()
                    : QStringLiteral("<i>") + Unknown + QStringLiteral("</i>"));
    page += row(QStringLiteral("Format"), format(m));
    page += row(QStringLiteral("Glyphes"),
                face.metadata ? QString::number(m.glyphs) : QStringLiteral("<i>inconnu</i>"));
    page += row(QStringLiteral("Fonctionnalités OpenType"), features(m));
    if (!m.instances.isEmpty())
        page += row(QStringLiteral("Instances nommées"), instances(m));
    page += row(QStringLiteral("Écritures OpenType"), list(m.scripts));
    page += row(QStringLiteral("Langues"), list(languages, QStringLiteral(", ")));
    QStringList paths;
    for (const Face &file : files)
        paths.append(file.path.toHtmlEscaped());
    page += row(QStringLiteral("Fichiers"), paths.join(QStringLiteral("<br>")));
    return page + QStringLiteral("</table></body></html>");
}

} // namespace FontInformation
