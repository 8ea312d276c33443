#include "settings.h"

#include "displaystate.h"
#include "glyphorerror.h"
#include "inifile.h"
#include "profilevalue.h"
#include "typographysettings.h"

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
const QString WidthKey = QStringLiteral("Largeur");
const QString HeightKey = QStringLiteral("Hauteur");
const QString LeftKey = QStringLiteral("Gauche");
const QString TopKey = QStringLiteral("Haut");
const QString MaximisedKey = QStringLiteral("Maximise");
const QString PageKey = QStringLiteral("Page");
const QString FavouritesSection = QStringLiteral("Favoris");
const QString FavouriteKey = QStringLiteral("Police");
const QString ReopenFilesKey = QStringLiteral("RouvrirFichiers");
const QString OpenedFilesSection = QStringLiteral("FichiersOuverts");
const QString OpenedFileKey = QStringLiteral("Fichier");

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
    return DisplayState::defaultSample();
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
    settings.favouritesRead = settings.favourites;
    settings.reopenFiles = ProfileValue::toBool(text(ReopenFilesKey), false);
    settings.openedFiles = withoutRepeats(ini.sectionValues(OpenedFilesSection));
    settings.openedFilesRead = settings.openedFiles;

    // A size that is no number, or no size at all, is as if never stored.
    settings.width = std::max(0, ProfileValue::toInt(text(WidthKey), 0));
    settings.height = std::max(0, ProfileValue::toInt(text(HeightKey), 0));
    if (settings.width == 0 || settings.height == 0)
        settings.width = settings.height = 0;
    const std::optional<QString> left = ini.rawValue(Section, LeftKey);
    const std::optional<QString> top = ini.rawValue(Section, TopKey);
    bool leftIsNumber = false;
    bool topIsNumber = false;
    const int x = left.value_or(QString()).toInt(&leftIsNumber);
    const int y = top.value_or(QString()).toInt(&topIsNumber);
    if (leftIsNumber && topIsNumber)
        settings.position = QPoint(x, y);
    settings.maximised = ProfileValue::toBool(text(MaximisedKey), false);
    const qint32 page = ProfileValue::toInt(text(PageKey), 0);
    settings.page = page == 1 ? 1 : 0;
    settings.typography = TypographySettings::read(ini);
    settings.typographyRead = settings.typography;
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
    if (width > 0 && height > 0) {
        ini.setValue(Section, WidthKey, ProfileValue::fromInt(width));
        ini.setValue(Section, HeightKey, ProfileValue::fromInt(height));
        if (position) {
            ini.setValue(Section, LeftKey, ProfileValue::fromInt(position->x()));
            ini.setValue(Section, TopKey, ProfileValue::fromInt(position->y()));
        }
        ini.setValue(Section, MaximisedKey, ProfileValue::fromBool(maximised));
        ini.setValue(Section, PageKey, ProfileValue::fromInt(page));
    }
    // Written once asked for: until then the file holds only the program's usual keys.
    if (reopenFiles || ini.rawValue(Section, ReopenFilesKey))
        ini.setValue(Section, ReopenFilesKey, ProfileValue::fromBool(reopenFiles));
    // A section this run left alone stays as it is, repeats and odd lines included.
    const auto merge = [&ini](const QString &section, const QString &key, const QStringList &read,
                              const QStringList &now) {
        const auto missingFrom = [](const QStringList &from, const QStringList &others) {
            const QSet<QString> kept(from.cbegin(), from.cend());
            QStringList missing;
            for (const QString &value : others) {
                if (!kept.contains(value))
                    missing.append(value);
            }
            return missing;
        };
        const QStringList added = missingFrom(read, now);
        const QStringList removed = missingFrom(now, read);
        if (!added.isEmpty() || !removed.isEmpty())
            ini.mergeSectionValues(section, key, added, removed);
    };
    merge(FavouritesSection, FavouriteKey, favouritesRead, favourites);
    // A path that would break the file's lines cannot be kept.
    QStringList reopened;
    for (const QString &path : reopenFiles ? openedFiles : QStringList()) {
        if (!path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r')))
            reopened.append(path);
    }
    merge(OpenedFilesSection, OpenedFileKey, openedFilesRead, reopened);
    TypographySettings::write(ini, typography, typographyRead);
    if (!ini.save())
        throw GlyphorError(QStringLiteral("Impossible d'écrire dans ") + path);
}
