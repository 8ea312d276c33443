#include "uifonts.h"

#include "fontcatalog.h"
#include "fontfamilies.h"

#include <QFontDatabase>
#include <QHash>

namespace UiFonts {

namespace {

// Metric-compatible stand-ins first, then the fonts every Debian desktop has.
QStringList standIns(const QString &windowsName)
{
    const QString name = windowsName.toLower();
    if (name == u"arial" || name == u"ms sans serif" || name == u"liberation sans")
        return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                QStringLiteral("DejaVu Sans")};
    if (name == u"times new roman" || name == u"ms serif" || name == u"liberation serif")
        return {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                QStringLiteral("DejaVu Serif")};
    if (name == u"courier new" || name == u"courier" || name == u"liberation mono")
        return {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                QStringLiteral("DejaVu Sans Mono")};
    return {};
}

} // namespace

QString family(const QString &windowsName)
{
    static QHash<QString, QString> resolved;
    auto known = resolved.constFind(windowsName);
    if (known != resolved.cend())
        return *known;

    const FontCatalog &fonts = FontCatalog::system();
    QString chosen = windowsName;
    if (!fonts.hasFamily(windowsName)) {
        const QStringList candidates = standIns(windowsName);
        const auto installed = std::find_if(
            candidates.cbegin(), candidates.cend(),
            [&fonts](const QString &candidate) { return fonts.hasFamily(candidate); });
        chosen = installed != candidates.cend() ? *installed : fonts.matchFamily(windowsName);
        if (chosen.isEmpty())
            chosen = windowsName;
    }
    resolved.insert(windowsName, chosen);
    return chosen;
}

QFont pixelFont(const QString &windowsName, int pixelSize)
{
    QFont font = FontFamilies::familyFont(family(windowsName));
    font.setPixelSize(pixelSize);
    return font;
}

QStringList windowFamilies()
{
    QStringList families;
    for (const char *name : {"Arial", "MS Sans Serif", "Times New Roman", "Courier New",
                             "Liberation Sans", "Liberation Serif", "Liberation Mono"})
        families.append(family(QLatin1String(name)));
    // What the toolkit's own default font ("Sans Serif") comes to.
    families.append(FontCatalog::system().matchFamily(QStringLiteral("sans-serif")));
    families.removeAll(QString());
    families.removeDuplicates();
    return families;
}

QString desktopFamily()
{
    return family(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

} // namespace UiFonts
