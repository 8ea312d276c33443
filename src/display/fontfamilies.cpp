#include "fontfamilies.h"

#include <QFontDatabase>

#include <algorithm>

namespace FontFamilies {

namespace {

bool isGenericAlias(const QString &family)
{
    return family == u"Sans Serif" || family == u"Serif" || family == u"Monospace";
}

} // namespace

bool lessIgnoringCase(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

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
    std::stable_sort(list.begin(), list.end(), lessIgnoringCase);
    return list;
}

QStringList installed()
{
    return build(QFontDatabase::families());
}

} // namespace FontFamilies
