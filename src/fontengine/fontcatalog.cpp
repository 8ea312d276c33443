#include "fontcatalog.h"

#include "systemfonts.h"

#include <fontconfig/fontconfig.h>

#include <QSet>

namespace {

QString stringAt(const FcPattern *pattern, const char *object, int index)
{
    FcChar8 *value = nullptr;
    if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(value));
}

int integerOr(const FcPattern *pattern, const char *object, int fallback)
{
    int value = fallback;
    if (FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch)
        return value;
    double real = 0;
    if (FcPatternGetDouble(pattern, object, 0, &real) == FcResultMatch)
        return int(real);
    return fallback;
}

bool boolOr(const FcPattern *pattern, const char *object, bool fallback)
{
    FcBool value = fallback;
    FcPatternGetBool(pattern, object, 0, &value);
    return value;
}

RenderSettings::HintStyle hintStyleOf(int style)
{
    switch (style) {
    case FC_HINT_NONE:
        return RenderSettings::HintStyle::None;
    case FC_HINT_MEDIUM:
        return RenderSettings::HintStyle::Medium;
    case FC_HINT_FULL:
        return RenderSettings::HintStyle::Full;
    default:
        return RenderSettings::HintStyle::Slight;
    }
}

RenderSettings::SubpixelOrder subpixelOrderOf(int rgba)
{
    switch (rgba) {
    case FC_RGBA_RGB:
        return RenderSettings::SubpixelOrder::Rgb;
    case FC_RGBA_BGR:
        return RenderSettings::SubpixelOrder::Bgr;
    case FC_RGBA_VRGB:
        return RenderSettings::SubpixelOrder::VRgb;
    case FC_RGBA_VBGR:
        return RenderSettings::SubpixelOrder::VBgr;
    default:
        return RenderSettings::SubpixelOrder::None;
    }
}

} // namespace

FontCatalog::FontCatalog(FcConfig *config)
    : m_config(config)
{
    if (m_config)
        FcConfigReference(m_config);
    enumerate();
}

FontCatalog::~FontCatalog()
{
    if (m_config)
        FcConfigDestroy(m_config);
}

const FontCatalog &FontCatalog::system()
{
    static const FontCatalog catalog(SystemFonts::configuration());
    return catalog;
}

std::unique_ptr<FontCatalog> FontCatalog::fromConfigurationFile(const QString &path)
{
    FcConfig *config = FcConfigCreate();
    const QByteArray file = path.toLocal8Bit();
    if (config
        && (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8 *>(file.constData()),
                                  FcFalse)
            || !FcConfigBuildFonts(config))) {
        FcConfigDestroy(config);
        config = nullptr;
    }
    auto catalog = std::make_unique<FontCatalog>(config);
    if (config)
        FcConfigDestroy(config); // the catalogue holds its own reference
    return catalog;
}

void FontCatalog::addFace(const QString &family, const FontFace &face)
{
    QList<FontFace> &faces = m_faces[family.toLower()];
    if (faces.isEmpty())
        m_families.append(family);
    faces.append(face);
}

void FontCatalog::enumerate()
{
    if (!m_config)
        return;
    QSet<QPair<QByteArray, int>> seen;
    for (const FcSetName setName : {FcSetSystem, FcSetApplication}) {
        const FcFontSet *set = FcConfigGetFonts(m_config, setName);
        for (int i = 0; set && i < set->nfont; ++i) {
            FcPattern *pattern = set->fonts[i];
            // A variable font is listed once more for each of its named instances; those are
            // the faces a user chooses among.
            if (boolOr(pattern, FC_VARIABLE, false))
                continue;
            FcChar8 *file = nullptr;
            if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch)
                continue;
            FontFace face;
            face.file = QByteArray(reinterpret_cast<const char *>(file));
            face.index = integerOr(pattern, FC_INDEX, 0);
            if (seen.contains({face.file, face.index}))
                continue;
            seen.insert({face.file, face.index});
            face.weight = integerOr(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
            face.slant = integerOr(pattern, FC_SLANT, FC_SLANT_ROMAN);
            face.width = integerOr(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
            face.scalable = boolOr(pattern, FC_SCALABLE, true);
            face.pattern = pattern;

            const QString family = stringAt(pattern, FC_FAMILY, 0);
            if (family.isEmpty())
                continue;
            addFace(family, face);
            // A further name in the same language with a style of its own names a sub-family
            // (the legacy "Family Light" beside the typographic "Family"): it is listed too. A
            // name in another language is only another way to ask for the same family.
            const QString language = stringAt(pattern, FC_FAMILYLANG, 0);
            const QString style = stringAt(pattern, FC_STYLE, 0);
            for (int k = 1;; ++k) {
                const QString other = stringAt(pattern, FC_FAMILY, k);
                if (other.isEmpty())
                    break;
                QString otherLanguage = stringAt(pattern, FC_FAMILYLANG, k);
                if (otherLanguage.isEmpty())
                    otherLanguage = language;
                QString otherStyle = stringAt(pattern, FC_STYLE, k);
                if (otherStyle.isEmpty())
                    otherStyle = style;
                if (otherLanguage == language && otherStyle != style)
                    addFace(other, face);
            }
        }
    }
}

QList<FontFace> FontCatalog::faces(const QString &family) const
{
    return m_faces.value(family.toLower());
}

RenderSettings FontCatalog::renderSettings(const FontFace &face, double pixelSize) const
{
    RenderSettings settings;
    if (!m_config || !face.pattern)
        return settings;
    FcPattern *request = FcPatternCreate();
    FcChar8 *family = nullptr;
    if (FcPatternGetString(face.pattern, FC_FAMILY, 0, &family) == FcResultMatch)
        FcPatternAddString(request, FC_FAMILY, family);
    FcPatternAddDouble(request, FC_PIXEL_SIZE, pixelSize);
    FcConfigSubstitute(m_config, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    // The face's own rules ("target=font", such as no hinting for a family at small sizes)
    // applied to this face alone.
    FcPattern *prepared = FcFontRenderPrepare(m_config, request, face.pattern);
    const FcPattern *source = prepared ? prepared : request;
    settings.antialias = boolOr(source, FC_ANTIALIAS, true);
    settings.hinting = boolOr(source, FC_HINTING, true);
    settings.hintStyle = hintStyleOf(integerOr(source, FC_HINT_STYLE, FC_HINT_SLIGHT));
    settings.subpixelOrder = subpixelOrderOf(integerOr(source, FC_RGBA, FC_RGBA_UNKNOWN));
    settings.lcdFilter = integerOr(source, FC_LCD_FILTER, FC_LCD_DEFAULT);
    if (prepared)
        FcPatternDestroy(prepared);
    FcPatternDestroy(request);
    return settings;
}
