#include "fontfamilies.h"

#include "fontcatalog.h"
#include "fontrename.h"
#include "qtfonts.h"
#include "uifonts.h"

#include <QCollator>
#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace FontFamilies {

namespace {

bool isGenericAlias(const QString &family)
{
    return family == u"Sans Serif" || family == u"Serif" || family == u"Monospace";
}

QCollator listCollator()
{
    // The words' order of the user's language; a bare C locale gets the program's own, French.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

QStringList build(const QStringList &enumerated)
{
    QStringList list;
    list.reserve(enumerated.size() + 1);
    list.append(DefaultEntry);
    for (const QString &family : enumerated) {
        if (isGenericAlias(family))
            continue;
        if (QString::compare(family, list.constLast(), Qt::CaseInsensitive) == 0)
            continue;
        list.append(family);
    }
    return sorted(std::move(list));
}

QStringList sorted(QStringList list)
{
    // Sort keys: one collation per name instead of one per comparison.
    const QCollator collator = listCollator();
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(list.size());
    for (QString &family : list)
        keyed.emplace_back(collator.sortKey(family), std::move(family));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    for (qsizetype i = 0; i < list.size(); ++i)
        list[i] = std::move(keyed[i].second);
    return list;
}

QStringList installed()
{
    return build(FontCatalog::system().families());
}

QString qtFamilyName(const QString &family)
{
    const qsizetype open = family.indexOf(u'[');
    if (open < 0 || family.lastIndexOf(u']') < open)
        return family;
    static QHash<QString, QString> renamed;
    if (const auto known = renamed.constFind(family); known != renamed.cend())
        return *known;

    const QString name = QStringLiteral("Glyphor Renamed %1").arg(renamed.size() + 1);
    bool registered = false;
    const QList<FontFace> faces = FontCatalog::system().faces(family);
    for (const FontFace &file : faces) {
        QFile font(QString::fromUtf8(file.file));
        if (file.index != 0 || !font.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = FontRename::withFamily(font.readAll(), name);
        registered |= !data.isEmpty() && QFontDatabase::addApplicationFontFromData(data) >= 0;
    }
    // Unregistered (a collection, a bitmap font), Qt substitutes a font as it would anyway.
    return *renamed.insert(family, registered ? name : family);
}

QFont familyFont(const QString &family)
{
    const QString qtName = qtFamilyName(family);
    if (qtName == family)
        QtFonts::ensureFamily(family);
    QFont font;
    font.setFamilies({qtName});
    return font;
}

QString entryFamily(const QString &entry)
{
    if (entry != DefaultEntry)
        return entry;
    // The list, its details and the printed catalogue must agree on it for the whole run.
    static const QString desktopFamily = UiFonts::desktopFamily();
    return desktopFamily;
}

QFont entryFont(const QString &entry)
{
    return familyFont(entryFamily(entry));
}

} // namespace FontFamilies
