#include "fontcatalogue.h"

#include "fontfamilies.h"
#include "printertextstream.h"
#include "printfont.h"
#include "productinfo.h"
#include "textforms.h"
#include "uifonts.h"

#include <QLocale>

#include <algorithm>

const QString FontCatalogue::DefaultSample
    = QStringLiteral("azertyuiopASDFGHJKLMéèàùêîâ@1234567890");

namespace {

// The header's fonts, by their Windows names, through their installed stand-ins.
PrintFont layoutFont(const QString &windowsName, int points, bool bold)
{
    return {UiFonts::family(windowsName), points, bold, false, true};
}

// A sample is the font's own, regular, with none of its glyphs borrowed from another font.
PrintFont sampleFont(const QString &entry, int points)
{
    return {FontFamilies::entryFamily(entry), std::max(1, points), false, false};
}

} // namespace

QString FontCatalogue::jobTitle(const QString &version)
{
    return version + QStringLiteral(" - Impression");
}

FontCatalogue::FontCatalogue(const QString &version, const QStringList &families,
                             const QString &sample)
    : m_version(version)
    , m_families(families)
    , m_sample(sample)
{
}

QString FontCatalogue::dateLine(const QDateTime &when) const
{
    const QLocale locale;
    return QStringLiteral("   Le: ") + locale.toString(when.date(), QLocale::ShortFormat)
        + QStringLiteral(" à ") + TextForms::timeWithSeconds(locale, when.time())
        + QStringLiteral(", Glyphor a trouvé ") + QString::number(m_families.size())
        + QStringLiteral(" fontes sur votre système: ");
}

void FontCatalogue::write(PrinterTextStream &stream) const
{
    const QDateTime printedAt = m_printedAt.isValid() ? m_printedAt : QDateTime::currentDateTime();

    stream.setFont(layoutFont(QStringLiteral("Arial"), 12, false));
    stream.writeLine(QStringLiteral(" "));
    stream.setFont(layoutFont(QStringLiteral("Arial"), 12, true));
    stream.writeLine(QStringLiteral("  ") + m_version);
    stream.setFont(layoutFont(QStringLiteral("Arial"), 8, true));
    stream.writeLine(QStringLiteral("   ") + ProductInfo::authorLine() + QLatin1Char(' '));
    stream.writeLine(QStringLiteral("   ") + ProductInfo::homePage() + QLatin1Char(' '));
    stream.writeLine(QStringLiteral("  "));
    stream.setFont(layoutFont(QStringLiteral("Arial"), 10, false));
    stream.writeLine(dateLine(printedAt));
    QString sample = m_sample;
    if (sample.isEmpty()) {
        sample = DefaultSample;
        stream.writeLine(QStringLiteral(" (...Impression de la chaîne par défaut...)"));
    }
    stream.writeLine(QStringLiteral(" "));

    qsizetype longest = 0;
    for (const QString &family : m_families)
        longest = std::max(longest, family.size());

    // Names in a fixed-pitch font, padded to the longest. A character drawn from another font (an
    // emoji, a CJK ideograph) is no cell wide: the samples start where the widest padded name
    // ends, so that every one starts at the same x.
    const PrintFont nameFont = layoutFont(QStringLiteral("Courier New"), 10, true);
    const auto paddedName = [longest](const QString &family) -> QString {
        return QLatin1Char(' ') + family.leftJustified(longest) + QStringLiteral("  ");
    };
    stream.setFont(nameFont);
    int sampleColumn = 0;
    for (const QString &family : m_families)
        sampleColumn = std::max(sampleColumn, stream.width(paddedName(family)));
    qsizetype printed = 0;
    for (const QString &family : m_families) {
        stream.setFont(nameFont);
        stream.write(paddedName(family));
        stream.moveTo(sampleColumn);
        stream.setFont(sampleFont(family, m_sampleSize ? m_sampleSize() : 6));
        stream.writeLine(sample);
        ++printed;
        if (m_afterFontLine && !m_afterFontLine(printed))
            break;
    }

    stream.setFont(layoutFont(QStringLiteral("Arial"), 10, true));
    stream.writeLine(QStringLiteral(" "));
    stream.writeLine(QStringLiteral(" Merci d'avoir utilisé ") + m_version);
}
