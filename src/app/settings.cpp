#include "settings.h"

#include "glyphorerror.h"
#include "inifile.h"
#include "profilevalue.h"

#include <QDir>
#include <QSet>

namespace {

const QString Section = QStringLiteral("glyphor");
const QString StringKey = QStringLiteral("String");
const QString BrowserKey = QStringLiteral("Browser");
const QString SizeKey = QStringLiteral("Size");
const QString ShowNamesKey = QStringLiteral("ShowNames");
const QString SystemKey = QStringLiteral("System");
const QString ShowHintsKey = QStringLiteral("ShowHints");
const QString FavouritesSection = QStringLiteral("Favoris");
const QString FavouriteKey = QStringLiteral("Police");

// Each family once, in the order first met.
QStringList withoutRepeats(const QStringList &families)
{
    QStringList once;
    QSet<QString> seen;
    for (const QString &family : families) {
        if (!seen.contains(family)) {
            seen.insert(family);
            once.append(family);
        }
    }
    return once;
}

} // namespace

QString Settings::defaultSampleString()
{
    return QStringLiteral("azertyuiopQSDFGHJKLMéèàùêîâ@1234567890");
}

QString Settings::filePath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/glyphor/glyphor.ini");
}

Settings Settings::read(const QString &path)
{
    IniFile ini(path);
    ini.load();
    const auto text = [&ini](const QString &key) {
        return ini.rawValue(Section, key).value_or(QString());
    };

    Settings settings;
    settings.string = ini.rawValue(Section, StringKey).value_or(defaultSampleString());
    settings.browser = text(BrowserKey);
    settings.size = ProfileValue::toInt(text(SizeKey), settings.size);
    settings.showNames = ProfileValue::toBool(text(ShowNamesKey), settings.showNames);
    settings.system = text(SystemKey);
    settings.showHints = ProfileValue::toBool(text(ShowHintsKey), settings.showHints);
    settings.favourites = withoutRepeats(ini.sectionValues(FavouritesSection));
    return settings;
}

void Settings::write(const QString &path) const
{
    // Loaded afresh, so that lines added since start-up by hand or by another run survive.
    IniFile ini(path);
    ini.load();
    ini.setValue(Section, StringKey, string);
    ini.setValue(Section, BrowserKey, browser);
    ini.setValue(Section, SizeKey, ProfileValue::fromInt(size));
    ini.setValue(Section, ShowNamesKey, ProfileValue::fromBool(showNames));
    ini.setValue(Section, ShowHintsKey, ProfileValue::fromBool(showHints));
    ini.setValue(Section, SystemKey, system);
    // A section the user left alone stays as it is, repeats and odd lines included.
    if (withoutRepeats(ini.sectionValues(FavouritesSection)) != favourites)
        ini.setSectionValues(FavouritesSection, FavouriteKey, favourites);
    if (!ini.save())
        throw GlyphorError(QStringLiteral("Impossible d'écrire dans ") + path);
}
