#include "familycount.h"

namespace FamilyCount {

QString text(qsizetype shown, qsizetype all, bool filtering)
{
    const QString total = QString::number(all);
    if (!filtering)
        return total + QStringLiteral(" fontes disponibles");
    if (shown == 0)
        return QStringLiteral("aucune fonte affichée sur ") + total;
    if (shown == 1)
        return QStringLiteral("1 fonte affichée sur ") + total;
    return QString::number(shown) + QStringLiteral(" fontes affichées sur ") + total;
}

} // namespace FamilyCount
