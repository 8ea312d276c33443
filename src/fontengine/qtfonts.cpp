#include "qtfonts.h"

#include "fontcatalog.h"
#include "systemfonts.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QSet>

namespace QtFonts {

namespace {

FcConfig *windowConfig = nullptr; // the small configuration, while Qt is given only some fonts
QSet<QString> knownToQt; // families in lower case
QSet<QByteArray> filesGiven;

QString lower(const QString &family)
{
    return family.toLower();
}

void giveFile(const QByteArray &file)
{
    if (filesGiven.contains(file))
        return;
    filesGiven.insert(file);
    QFontDatabase::addApplicationFont(QString::fromUtf8(file));
}

} // namespace

void useWindowFontsOnly(const QStringList &families)
{
    if (windowConfig)
        return;
    SystemFonts::keepWholeConfiguration();
    const FontCatalog &catalog = FontCatalog::system();
    if (!catalog.config())
        return;

    FcConfig *config = FcConfigCreate();
    // Built before the user's configuration is read, so that its font folders are never scanned:
    // the configuration brings the rules (aliases, hinting, sub-pixel order) and no fonts.
    if (!config || !FcConfigBuildFonts(config) || !FcConfigParseAndLoad(config, nullptr, FcTrue)) {
        if (config)
            FcConfigDestroy(config);
        return;
    }
    FcConfigSetRescanInterval(config, 0);
    FcFontSet *fonts = FcConfigGetFonts(config, FcSetSystem);
    for (const QString &family : families) {
        if (knownToQt.contains(lower(family)))
            continue;
        knownToQt.insert(lower(family));
        for (const FontFace &face : catalog.faces(family)) {
            if (FcPattern *copy = FcPatternDuplicate(face.pattern); !FcFontSetAdd(fonts, copy))
                FcPatternDestroy(copy);
        }
    }
    if (!FcConfigSetCurrent(config)) {
        FcConfigDestroy(config);
        knownToQt.clear();
        return;
    }
    windowConfig = config;
}

bool windowFontsOnly()
{
    return windowConfig;
}

void ensureFamily(const QString &family)
{
    if (!windowFontsOnly() || knownToQt.contains(lower(family)))
        return;
    knownToQt.insert(lower(family));
    for (const FontFace &face : FontCatalog::system().faces(family))
        giveFile(face.file);
}

void addFallbacks()
{
    static bool added = false;
    if (added || !windowConfig)
        return;
    added = true;
    FcConfig *whole = FontCatalog::system().config();
    FcPattern *request = FcNameParse(reinterpret_cast<const FcChar8 *>("sans-serif"));
    FcConfigSubstitute(whole, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    // Trimmed: only the fonts that add characters to the ones before them.
    FcFontSet *sorted = FcFontSort(whole, request, FcTrue, nullptr, &result);
    for (int i = 0; sorted && i < sorted->nfont; ++i) {
        FcChar8 *file = nullptr;
        if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            giveFile(QByteArray(reinterpret_cast<const char *>(file)));
    }
    if (sorted)
        FcFontSetDestroy(sorted);
    FcPatternDestroy(request);
}

} // namespace QtFonts
