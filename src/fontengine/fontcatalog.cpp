#include "fontcatalog.h"

#include "systemfonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

namespace {

// An integer or a real number (fontconfig keeps weights as either), or the fallback (a range,
// as a variable font gives, included).
int integerOr(const FcPattern *pattern, const char *object, int fallback)
{
    FcValue value;
    if (FcPatternGet(pattern, object, 0, &value) != FcResultMatch)
        return fallback;
    if (value.type == FcTypeInteger)
        return value.u.i;
    if (value.type == FcTypeDouble)
        return int(value.u.d);
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
    : FontCatalog(config, nullptr)
{
    enumerate();
}

FontCatalog::FontCatalog(FcConfig *config, const FontCatalog *installed)
    : m_config(config)
    , m_installed(installed)
{
    if (m_config)
        FcConfigReference(m_config);
}

FontCatalog::~FontCatalog()
{
    if (m_config)
        FcConfigDestroy(m_config);
    for (FcConfig *retired : m_retired)
        FcConfigDestroy(retired);
}

namespace {

FontCatalog &systemCatalog()
{
    static FontCatalog catalog(SystemFonts::configuration());
    return catalog;
}

} // namespace

const FontCatalog &FontCatalog::system()
{
    return systemCatalog();
}

void FontCatalog::reloadSystem()
{
    FontCatalog &catalog = systemCatalog();
    FcConfig *fresh = SystemFonts::configuration();
    if (!fresh || fresh == catalog.m_config)
        return;
    // The faces given out before point into the old configuration: it is kept for the run.
    if (catalog.m_config)
        catalog.m_retired.push_back(catalog.m_config);
    FcConfigReference(fresh);
    catalog.m_config = fresh;
    catalog.m_families.clear();
    catalog.m_patterns.clear();
    catalog.m_index.clear();
    catalog.enumerate();
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

std::unique_ptr<FontCatalog> FontCatalog::forOpenedFiles(const FontCatalog &installed)
{
    return std::unique_ptr<FontCatalog>(new FontCatalog(installed.config(), &installed));
}

namespace {

// Family names as fontconfig compares them: ignoring case and blanks. Worked out from the UTF-8
// bytes, with a fast way for the ASCII names nearly all fonts have.
QByteArray familyKey(const char *utf8)
{
    QByteArray key(qsizetype(std::strlen(utf8)), Qt::Uninitialized);
    char *out = key.data();
    for (const char *c = utf8; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80) {
            QString name = QString::fromUtf8(utf8).toLower();
            name.remove(u' ');
            return name.toUtf8();
        }
        if (*c != ' ')
            *out++ = *c >= 'A' && *c <= 'Z' ? char(*c - 'A' + 'a') : *c;
    }
    key.truncate(out - key.constData());
    return key;
}

QByteArray familyKey(const QString &name)
{
    return familyKey(name.toUtf8().constData());
}

const char *stringOf(const FcPattern *pattern, const char *object, int index)
{
    FcChar8 *value = nullptr;
    if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch)
        return nullptr;
    return reinterpret_cast<const char *>(value);
}

bool sameText(const char *a, const char *b)
{
    return (!a && !b) || (a && b && std::strcmp(a, b) == 0);
}

} // namespace

void FontCatalog::addFace(const char *family, FcPattern *face)
{
    const QByteArray key = familyKey(family);
    const auto entry = m_index.constFind(key);
    if (entry == m_index.cend()) {
        m_index.insert(key, m_families.size());
        m_families.append(QString::fromUtf8(family));
        m_patterns.append({face});
        return;
    }
    m_patterns[*entry].append(face);
}

void FontCatalog::enumerate()
{
    if (!m_config)
        return;
    // Names only: a face's file, index, weight and slant are read when its family is drawn.
    if (const FcFontSet *system = FcConfigGetFonts(m_config, FcSetSystem)) {
        m_index.reserve(system->nfont);
        m_families.reserve(system->nfont);
        m_patterns.reserve(system->nfont);
    }
    for (const FcSetName setName : {FcSetSystem, FcSetApplication}) {
        const FcFontSet *set = FcConfigGetFonts(m_config, setName);
        for (int i = 0; set && i < set->nfont; ++i)
            addPattern(set->fonts[i]);
    }
}

void FontCatalog::addPattern(FcPattern *pattern)
{
    const char *family = stringOf(pattern, FC_FAMILY, 0);
    if (!family || !*family)
        return;
    addFace(family, pattern);
    // A further name in the same language with a style of its own names a sub-family (the legacy
    // "Family Light" beside the typographic "Family"): it is listed too. A name in another
    // language is only another way to ask for the same family.
    if (!stringOf(pattern, FC_FAMILY, 1))
        return;
    const char *language = stringOf(pattern, FC_FAMILYLANG, 0);
    const char *style = stringOf(pattern, FC_STYLE, 0);
    for (int k = 1;; ++k) {
        const char *other = stringOf(pattern, FC_FAMILY, k);
        if (!other)
            break;
        const char *otherLanguage = stringOf(pattern, FC_FAMILYLANG, k);
        const char *otherStyle = stringOf(pattern, FC_STYLE, k);
        if (sameText(otherLanguage ? otherLanguage : language, language)
            && !sameText(otherStyle ? otherStyle : style, style) && *other)
            addFace(other, pattern);
    }
}

QStringList FontCatalog::addFaces(FacePatterns faces)
{
    const qsizetype known = m_families.size();
    for (FacePatterns::Owned &owned : faces.take()) {
        addPattern(owned.get());
        m_owned.push_back(std::move(owned));
    }
    return m_families.mid(known);
}

void FontCatalog::clear()
{
    m_families.clear();
    m_patterns.clear();
    m_index.clear();
    m_owned.clear();
}

QList<FontFace> FontCatalog::faces(const QString &family) const
{
    QList<FontFace> faces;
    const auto found = m_index.constFind(familyKey(family));
    // Opened files draw with the installed fonts besides: a fallback, a printed page's names.
    if (found == m_index.cend())
        return m_installed ? m_installed->faces(family) : faces;
    for (FcPattern *pattern : m_patterns[*found]) {
        // A variable font is listed once more for each of its named instances; those are the
        // faces a user chooses among.
        const char *file = stringOf(pattern, FC_FILE, 0);
        if (!file || boolOr(pattern, FC_VARIABLE, false))
            continue;
        FontFace face;
        face.file = QByteArray::fromRawData(file, qsizetype(std::strlen(file)));
        face.index = integerOr(pattern, FC_INDEX, 0);
        const bool listed = std::any_of(faces.cbegin(), faces.cend(), [&](const FontFace &known) {
            return known.index == face.index && known.file == face.file;
        });
        if (listed)
            continue; // the same face in two folders
        face.weight = integerOr(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
        face.slant = integerOr(pattern, FC_SLANT, FC_SLANT_ROMAN);
        face.width = integerOr(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
        double pixelSize = 0;
        if (!boolOr(pattern, FC_SCALABLE, true)
            && FcPatternGetDouble(pattern, FC_PIXEL_SIZE, 0, &pixelSize) == FcResultMatch)
            face.pixelSize = pixelSize;
        face.pattern = pattern;
        faces.append(face);
    }
    return faces;
}

bool FontCatalog::hasVariableFont(const QString &family) const
{
    const auto found = m_index.constFind(familyKey(family));
    return found != m_index.cend()
        && std::any_of(m_patterns[*found].cbegin(), m_patterns[*found].cend(),
                       [](FcPattern *pattern) { return boolOr(pattern, FC_VARIABLE, false); });
}

bool FontCatalog::hasFamily(const QString &family) const
{
    return m_index.contains(familyKey(family));
}

QString FontCatalog::matchFamily(const QString &name) const
{
    if (const auto found = m_index.constFind(familyKey(name)); found != m_index.cend())
        return m_families[*found];
    if (m_installed)
        return m_installed->matchFamily(name);
    if (!m_config)
        return {};
    // The aliases the rules give, in order: the first installed one is what fontconfig's match
    // comes to, without weighing every installed font.
    FcPattern *request = FcPatternCreate();
    const QByteArray utf8 = name.toUtf8();
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8 *>(utf8.constData()));
    FcConfigSubstitute(m_config, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    QString found;
    for (int k = 0; found.isEmpty(); ++k) {
        const char *candidate = stringOf(request, FC_FAMILY, k);
        if (!candidate)
            break;
        if (const auto known = m_index.constFind(familyKey(candidate)); known != m_index.cend())
            found = m_families[*known];
    }
    if (found.isEmpty()) {
        FcResult result = FcResultNoMatch;
        if (FcPattern *match = FcFontMatch(m_config, request, &result)) {
            if (const char *family = stringOf(match, FC_FAMILY, 0))
                found = QString::fromUtf8(family);
            FcPatternDestroy(match);
        }
    }
    FcPatternDestroy(request);
    return found;
}

QString FontCatalog::familyWithCharacter(char32_t character, const QString &near) const
{
    if (m_installed)
        return m_installed->familyWithCharacter(character, near);
    if (!m_config)
        return {};
    FcPattern *request = FcPatternCreate();
    const QByteArray utf8 = near.toUtf8();
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8 *>(utf8.constData()));
    FcCharSet *wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, character);
    FcPatternAddCharSet(request, FC_CHARSET, wanted);
    FcCharSetDestroy(wanted);
    FcConfigSubstitute(m_config, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    QString found;
    FcResult result = FcResultNoMatch;
    // Coverage weighs more than the family in fontconfig's match: the best match has the
    // character when any font has it.
    if (FcPattern *match = FcFontMatch(m_config, request, &result)) {
        FcCharSet *has = nullptr;
        const char *family = stringOf(match, FC_FAMILY, 0);
        if (family && FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch
            && FcCharSetHasChar(has, character))
            found = QString::fromUtf8(family);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(request);
    return found;
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
