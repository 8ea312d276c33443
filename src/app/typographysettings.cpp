#include "typographysettings.h"

#include "fontlanguages.h"
#include "inifile.h"
#include "profilevalue.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const QString Section = QStringLiteral("Typographie");
const QString FeaturesKey = QStringLiteral("Fonctionnalites");
const QString AxesKey = QStringLiteral("Axes");
const QString LanguageKey = QStringLiteral("Langue");
const QString SpacingKey = QStringLiteral("Espacement");

// The values a font's variation axis can take (16.16 fixed point).
constexpr double LowestAxisValue = -32768;
constexpr double HighestAxisValue = 32767;

// The tag of four characters at start, when there is one. Tags are read by their length, not
// up to a separator: a tag may hold a comma, a colon or a minus sign.
std::optional<QByteArray> tagAt(QStringView text, qsizetype start)
{
    if (start < 0 || start + 4 > text.size())
        return std::nullopt;
    QByteArray tag;
    for (const QChar c : text.sliced(start, 4)) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
        tag.append(char(c.unicode()));
    }
    if (!Typography::isValidTag(tag))
        return std::nullopt;
    return tag;
}

qsizetype skipBlanks(QStringView text, qsizetype i)
{
    // No tag starts with a space: blanks after a comma are the hand's.
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

// Where the next entry starts when one ends at end: after blanks and a comma, or the text's end;
// -1 when something else follows.
qsizetype nextEntry(QStringView text, qsizetype end)
{
    end = skipBlanks(text, end);
    if (end == text.size())
        return end;
    return text[end] == u',' ? end + 1 : -1;
}

// Past the next comma from start: an entry that makes no sense is passed over.
qsizetype afterComma(QStringView text, qsizetype start)
{
    const qsizetype comma = text.indexOf(u',', start);
    return comma < 0 ? text.size() : comma + 1;
}

} // namespace

namespace TypographySettings {

QString featuresText(const QMap<QByteArray, bool> &features)
{
    QStringList entries;
    for (auto feature = features.cbegin(); feature != features.cend(); ++feature)
        entries.append((feature.value() ? QString() : QStringLiteral("-"))
                       + QString::fromLatin1(feature.key()));
    return entries.join(u',');
}

QMap<QByteArray, bool> featuresFrom(QStringView text)
{
    QMap<QByteArray, bool> features;
    qsizetype i = skipBlanks(text, 0);
    while (i < text.size()) {
        // "-abc" is a tag of its own; the minus switches off only what follows it as a tag.
        qsizetype next = -1;
        if (const auto tag = tagAt(text, i); tag && (next = nextEntry(text, i + 4)) >= 0) {
            features.insert(*tag, true);
        } else if (const auto off = tagAt(text, i + 1);
                   text[i] == u'-' && off && (next = nextEntry(text, i + 5)) >= 0) {
            features.insert(*off, false);
        } else {
            next = afterComma(text, i);
        }
        i = skipBlanks(text, next);
    }
    return features;
}

QString axesText(const QMap<QByteArray, double> &axes)
{
    QStringList entries;
    for (auto axis = axes.cbegin(); axis != axes.cend(); ++axis)
        entries.append(QString::fromLatin1(axis.key()) + u':'
                       + QString::number(axis.value(), 'g', 10));
    return entries.join(u',');
}

QMap<QByteArray, double> axesFrom(QStringView text)
{
    QMap<QByteArray, double> axes;
    qsizetype i = skipBlanks(text, 0);
    while (i < text.size()) {
        const auto tag = tagAt(text, i);
        const qsizetype colon = tag ? skipBlanks(text, i + 4) : text.size();
        if (colon >= text.size() || text[colon] != u':') {
            i = skipBlanks(text, afterComma(text, i));
            continue;
        }
        const qsizetype comma = text.indexOf(u',', colon);
        const qsizetype end = comma < 0 ? text.size() : comma;
        bool number = false;
        const double value = text.sliced(colon + 1, end - colon - 1).trimmed().toDouble(&number);
        if (number && std::isfinite(value) && value >= LowestAxisValue && value <= HighestAxisValue)
            axes.insert(*tag, value);
        i = skipBlanks(text, comma < 0 ? text.size() : comma + 1);
    }
    return axes;
}

QString languageFrom(const QString &text)
{
    const QString code = text.trimmed().toLower();
    return FontLanguages::indexOf(code) >= 0 ? code : QString();
}

int spacingFrom(const QString &text)
{
    // Beyond the range the user meant much, or little: the nearest end.
    return std::clamp(ProfileValue::toInt(text, 0), Typography::MinimumSpacing,
                      Typography::MaximumSpacing);
}

Typography read(const IniFile &ini)
{
    const auto text = [&ini](const QString &key) {
        return ini.rawValue(Section, key).value_or(QString());
    };
    Typography typography;
    typography.features = featuresFrom(text(FeaturesKey));
    typography.axes = axesFrom(text(AxesKey));
    typography.language = languageFrom(text(LanguageKey));
    typography.letterSpacing = spacingFrom(text(SpacingKey));
    return typography;
}

void write(IniFile &ini, const Typography &now, const Typography &read)
{
    const auto writeIfChanged
        = [&ini](const QString &key, const QString &value, const QString &valueRead) {
              if (value != valueRead)
                  ini.setValue(Section, key, value);
          };
    writeIfChanged(FeaturesKey, featuresText(now.features), featuresText(read.features));
    writeIfChanged(AxesKey, axesText(now.axes), axesText(read.axes));
    writeIfChanged(LanguageKey, now.language, read.language);
    writeIfChanged(SpacingKey, ProfileValue::fromInt(now.letterSpacing),
                   ProfileValue::fromInt(read.letterSpacing));
}

} // namespace TypographySettings
