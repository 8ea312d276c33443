#include "familycount.h"

namespace FamilyCount {

QString text(qsizetype shown, qsizetype all, bool filtering, Source source)
{
    const bool opened = source == Source::Opened;
    QString total = QString::number(all);
    if (opened && !filtering)
        return total
            + (all == 1 ? QStringLiteral(" fonte ouverte") : QStringLiteral(" fontes ouvertes"));
    if (!filtering)
        return total + QStringLiteral(" fontes disponibles");
    if (opened)
        total += all == 1 ? QStringLiteral(" ouverte") : QStringLiteral(" ouvertes");
    if (shown == 0)
        return QStringLiteral("aucune fonte affichée sur ") + total;
    if (shown == 1)
        return QStringLiteral("1 fonte affichée sur ") + total;
    return QString::number(shown) + QStringLiteral(" fontes affichées sur ") + total;
}

} // namespace FamilyCount
