#include "systemfonts.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace SystemFonts {

namespace {

FcConfig *kept = nullptr;

struct PatternDeleter
{
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter
{
    void operator()(FcFontSet *set) const { FcFontSetDestroy(set); }
};
struct ObjectSetDeleter
{
    void operator()(FcObjectSet *set) const { FcObjectSetDestroy(set); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

QString familyAt(const FcPattern *pattern, int index)
{
    FcChar8 *family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, index, &family) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(family));
}

Pattern familyPattern(const QString &name)
{
    Pattern pattern(FcPatternCreate());
    const QByteArray utf8 = name.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(utf8.constData()));
    return pattern;
}

// The installed fonts that match pattern, with the properties wanted.
std::unique_ptr<FcFontSet, FontSetDeleter> listFonts(const Pattern &pattern, FcObjectSet *wanted)
{
    FcConfig *config = configuration();
    if (!config || !pattern || !wanted)
        return nullptr;
    return std::unique_ptr<FcFontSet, FontSetDeleter>(FcFontList(config, pattern.get(), wanted));
}

// The family names of the installed fonts that match pattern.
std::unique_ptr<FcFontSet, FontSetDeleter> listFamilies(const Pattern &pattern)
{
    const std::unique_ptr<FcObjectSet, ObjectSetDeleter> wanted(
        FcObjectSetBuild(FC_FAMILY, nullptr));
    return listFonts(pattern, wanted.get());
}

} // namespace

FcConfig *configuration()
{
    if (kept)
        return kept;
    return FcInit() ? FcConfigGetCurrent() : nullptr;
}

void keepWholeConfiguration()
{
    if (kept || !FcInit())
        return;
    kept = FcConfigGetCurrent();
    FcConfigReference(kept);
}

bool hasFamily(const QString &name)
{
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts = listFamilies(familyPattern(name));
    return fonts && fonts->nfont > 0;
}

QString matchFamily(const QString &name)
{
    FcConfig *config = configuration();
    if (!config)
        return {};
    const Pattern request = familyPattern(name);
    FcConfigSubstitute(config, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(config, request.get(), &result));
    return match ? familyAt(match.get(), 0) : QString();
}

} // namespace SystemFonts
