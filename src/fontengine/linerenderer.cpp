#include "linerenderer.h"

#include "facechoice.h"

#include <ft2build.h>
#include FT_ADVANCES_H
#include FT_FREETYPE_H
#include FT_LCD_FILTER_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <QHash>
#include <QPainter>
#include <QPair>

#include <algorithm>
#include <array>
#include <cmath>
#include <list>
#include <vector>

namespace {

// Faces kept open while lines are drawn; lines already drawn come from the line cache.
constexpr qsizetype MaximumOpenFaces = 24;
// Glyph origins are kept to a quarter of a pixel, as the toolkit places them.
constexpr int SubpixelPositions = 4;
// Glyphs kept: several pages of lines' worth.
constexpr qsizetype MaximumCachedGlyphs = 4096;
constexpr qsizetype MaximumGlyphBytes = 4 * 1024 * 1024;
// From this size on the toolkit draws glyphs as unhinted outlines, not from its glyph cache.
constexpr double OutlineSize = 64;

struct LineKey
{
    QString family;
    QString text;
    LineStyle style;
    int maxWidth = 0;
    bool operator==(const LineKey &) const = default;
};

size_t qHash(const LineKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.family, key.text, key.style.pixelSize, key.style.bold,
                      key.style.italic, key.style.underline, key.maxWidth);
}

// An open face at one size, with the settings it is drawn with at that size.
struct OpenFace
{
    FT_Face ft = nullptr;
    hb_font_t *hb = nullptr;
    // What shapes: hb, or, for a face with a symbol encoding beside its Unicode map, a font over
    // hb that looks characters up in that encoding too.
    hb_font_t *shaper = nullptr;
    FT_CharMap symbolMap = nullptr;
    double pixelSize = -1;
    bool sized = false;
    // A colour bitmap font (emoji) is drawn from its strike scaled to the size asked for.
    bool colour = false;
    double bitmapScale = 1;
    RenderSettings settings;
    FT_Int32 loadFlags = FT_LOAD_DEFAULT;
    FT_Render_Mode renderMode = FT_RENDER_MODE_NORMAL;
    bool designMetrics = true; // fractional advances and quarter-pixel origins
    int ascent = 0;
    double descent = 0;
    double underlineOffset = 0; // pixels from the baseline down to the stroke's top
    double underlineThickness = 1;
    FT_Pos emboldenAdvance = 0; // 26.6
    bool emboldenable = true;
    bool outline = false; // large enough for the toolkit to fill outlines instead of glyph images
    quint64 serial = 0; // never reused: glyphs kept from a face closed since never match another
    qint64 sizeKey = 0; // the size and drawing settings, for the glyph cache

    ~OpenFace()
    {
        if (shaper && shaper != hb)
            hb_font_destroy(shaper);
        if (hb)
            hb_font_destroy(hb);
        if (ft)
            FT_Done_Face(ft);
    }
};

// A glyph as rasterised: for one face at one size, at one fraction of a pixel, made up or not.
struct GlyphKey
{
    quint64 face = 0; // OpenFace::serial
    qint64 size = 0; // OpenFace::sizeKey
    hb_codepoint_t glyph = 0;
    int fraction = 0; // 26.6
    bool embolden = false;
    bool oblique = false;
    bool operator==(const GlyphKey &) const = default;
};

size_t qHash(const GlyphKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.face, key.size, key.glyph, key.fraction, key.embolden, key.oblique);
}

// A glyph's coverage and where it sits from its origin on the baseline.
struct GlyphInk
{
    QImage image; // null for a glyph with no ink (a blank)
    QPoint offset;
};

// A run of text in one script at one bidirectional level (even: left to right).
struct Run
{
    qsizetype start = 0;
    qsizetype length = 0;
    hb_script_t script = HB_SCRIPT_COMMON;
    int level = 0;
    bool rightToLeft() const { return level % 2; }
};

// The bidirectional level of each character of a left-to-right line, in the spirit of the
// Unicode algorithm without embeddings: right-to-left letters at 1, numbers among them at 2,
// blanks and punctuation at the level of the letters on both sides when they agree, else 0;
// marks at their base's level.
std::vector<int> bidiLevels(const std::u32string &text)
{
    const qsizetype count = qsizetype(text.size());
    std::vector<int> levels(size_t(count), -1);
    enum class Strong { None, Left, Right };
    Strong before = Strong::None;
    for (qsizetype i = 0; i < count; ++i) {
        switch (QChar::direction(text[size_t(i)])) {
        case QChar::DirL:
            levels[size_t(i)] = 0;
            before = Strong::Left;
            break;
        case QChar::DirR:
        case QChar::DirAL:
            levels[size_t(i)] = 1;
            before = Strong::Right;
            break;
        case QChar::DirEN:
        case QChar::DirAN:
            levels[size_t(i)] = before == Strong::Right ? 2 : 0;
            break;
        case QChar::DirNSM:
            levels[size_t(i)] = i > 0 ? levels[size_t(i - 1)] : 0;
            break;
        default:
            break; // neutral: settled below
        }
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (levels[size_t(i)] >= 0)
            continue;
        qsizetype end = i;
        while (end < count && levels[size_t(end)] < 0)
            ++end;
        const bool rightBefore = i > 0 && levels[size_t(i - 1)] > 0;
        const bool rightAfter = end < count && levels[size_t(end)] > 0;
        for (qsizetype k = i; k < end; ++k) {
            levels[size_t(k)] = rightBefore && rightAfter ? 1 : 0;
            // A mark among neutrals stays with its base.
            if (k > i && QChar::direction(text[size_t(k)]) == QChar::DirNSM)
                levels[size_t(k)] = levels[size_t(k - 1)];
        }
        i = end - 1;
    }
    return levels;
}

// Splits text (UTF-32) into runs of one script and level, in the order they are seen on the
// line: each stretch of runs at a level or above reversed, from the highest level down.
std::vector<Run> visualRuns(const std::u32string &text)
{
    hb_unicode_funcs_t *unicode = hb_unicode_funcs_get_default();
    const std::vector<int> levels = bidiLevels(text);
    std::vector<Run> runs;
    for (qsizetype i = 0; i < qsizetype(text.size()); ++i) {
        const hb_script_t script = hb_unicode_script(unicode, text[size_t(i)]);
        const bool neutral = script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED
            || script == HB_SCRIPT_UNKNOWN;
        const int level = levels[size_t(i)];
        if (!runs.empty() && runs.back().level == level) {
            Run &last = runs.back();
            if (neutral || script == last.script) {
                ++last.length;
                continue;
            }
            if (last.script == HB_SCRIPT_COMMON) {
                last.script = script; // blanks before the first letter take its script
                ++last.length;
                continue;
            }
        }
        runs.push_back({i, 1, neutral ? HB_SCRIPT_COMMON : script, level});
    }
    int highest = 0;
    for (const Run &run : runs)
        highest = std::max(highest, run.level);
    for (int level = highest; level >= 1; --level) {
        for (auto first = runs.begin(); first != runs.end();) {
            if (first->level < level) {
                ++first;
                continue;
            }
            auto last = std::find_if(first, runs.end(),
                                     [level](const Run &r) { return r.level < level; });
            std::reverse(first, last);
            first = last;
        }
    }
    return runs;
}

// One glyph's ink, placed on the line.
struct PlacedGlyph
{
    QImage ink; // Alpha8, or RGB32 for sub-pixel coverage
    QPoint topLeft; // relative to the pen's start on the baseline
};

// A glyph's coverage from FreeType's bitmap. Sub-pixel coverage comes in red, green, blue order;
// a screen ordered blue first gets it swapped.
QImage inkOf(const FT_Bitmap &bitmap, bool blueFirst)
{
    const auto subpixels = [blueFirst](uchar first, uchar second, uchar third) {
        return blueFirst ? qRgb(third, second, first) : qRgb(first, second, third);
    };
    const int rows = int(bitmap.rows);
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_GRAY: {
        QImage image(int(bitmap.width), rows, QImage::Format_Alpha8);
        for (int y = 0; y < rows; ++y)
            std::copy_n(bitmap.buffer + y * bitmap.pitch, bitmap.width, image.scanLine(y));
        return image;
    }
    case FT_PIXEL_MODE_MONO: {
        QImage image(int(bitmap.width), rows, QImage::Format_Alpha8);
        for (int y = 0; y < rows; ++y) {
            const uchar *bits = bitmap.buffer + y * bitmap.pitch;
            uchar *out = image.scanLine(y);
            for (unsigned x = 0; x < bitmap.width; ++x)
                out[x] = (bits[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
        }
        return image;
    }
    case FT_PIXEL_MODE_LCD: {
        QImage image(int(bitmap.width / 3), rows, QImage::Format_RGB32);
        for (int y = 0; y < rows; ++y) {
            const uchar *bits = bitmap.buffer + y * bitmap.pitch;
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                out[x] = subpixels(bits[3 * x], bits[3 * x + 1], bits[3 * x + 2]);
        }
        return image;
    }
    case FT_PIXEL_MODE_LCD_V: {
        QImage image(int(bitmap.width), rows / 3, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (unsigned x = 0; x < bitmap.width; ++x) {
                const uchar *column = bitmap.buffer + 3 * y * bitmap.pitch + x;
                out[x] = subpixels(column[0], column[bitmap.pitch], column[2 * bitmap.pitch]);
            }
        }
        return image;
    }
    case FT_PIXEL_MODE_BGRA: {
        // Premultiplied blue, green, red, alpha bytes: a premultiplied ARGB pixel in memory.
        QImage image(int(bitmap.width), rows, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < rows; ++y)
            std::copy_n(bitmap.buffer + y * bitmap.pitch, bitmap.width * 4, image.scanLine(y));
        return image;
    }
    default:
        return {}; // other modes carry no coverage we can blend
    }
}

bool isColourInk(const QImage &ink)
{
    return ink.format() == QImage::Format_ARGB32_Premultiplied;
}

// Ink where two glyphs overlap adds up as two layers of paint would.
uchar layered(uchar a, uchar b)
{
    return uchar(a + b - a * b / 255);
}

// A glyph's advance as the toolkit lays text out: the font's own advance (cut to 1/64 pixel)
// with light or no hinting, the hinted advance rounded to whole pixels otherwise; emboldening's
// widening added; then what shaping adds (kerning), rounded again for hinted text.
FT_Pos advanceOf(const OpenFace &open, hb_codepoint_t glyph, hb_position_t shaped, FT_Pos widening)
{
    const hb_position_t nominal = hb_font_get_glyph_h_advance(open.hb, glyph);
    const auto round = [](FT_Pos value) {
        return (value + 32) & ~63;
    };
    if (!open.designMetrics)
        return round(round(nominal + widening) + shaped - nominal);
    FT_Fixed unhinted = 0;
    if (FT_Get_Advance(open.ft, glyph, FT_LOAD_NO_HINTING, &unhinted) != 0)
        return shaped + widening;
    return (unhinted >> 10) + widening + shaped - nominal;
}

// The underline under a text of that advance (26.6), where the toolkit strokes it: centred half
// a pixel below the font's offset rounded up, kept within the descent, as thick as the font says.
QRect underlineBar(const OpenFace &open, FT_Pos advance, int maxWidth)
{
    double centre = std::ceil(open.underlineOffset) + 0.5;
    if (open.underlineOffset <= open.descent)
        centre = std::min(centre, open.descent - 0.5);
    const double half = open.underlineThickness / 2;
    const int top = int(std::ceil(centre - half - 0.5));
    const int bottom = std::max(top, int(std::ceil(centre + half - 0.5)) - 1);
    const int width = int(std::min<FT_Pos>(advance >> 6, maxWidth));
    return width > 0 ? QRect(0, top, width, bottom - top + 1) : QRect();
}

} // namespace

struct LineRenderer::Private
{
    const FontCatalog &catalog;
    FT_Library library = nullptr;

    // Least recently used at the front.
    std::list<std::pair<QPair<QByteArray, int>, std::unique_ptr<OpenFace>>> faces;
    std::list<std::pair<LineKey, RenderedLine>> lines;
    QHash<LineKey, decltype(lines)::iterator> lineIndex;
    qsizetype lineBytes = 0;
    RenderedLine undrawn; // the last line that could not be drawn, kept out of the cache

    explicit Private(const FontCatalog &c)
        : catalog(c)
    {
        if (FT_Init_FreeType(&library) != 0)
            library = nullptr;
    }
    ~Private()
    {
        faces.clear();
        if (library)
            FT_Done_FreeType(library);
    }

    // Glyphs rasterised, kept across lines: a new sample in the same fonts reuses most of them.
    // Two generations: when the recent one is full it becomes the old one, and the old one is
    // dropped; a glyph found among the old ones moves back to the recent ones.
    QHash<GlyphKey, GlyphInk> glyphCache;
    QHash<GlyphKey, GlyphInk> olderGlyphs;
    qsizetype glyphBytes = 0;
    quint64 nextSerial = 1;

    OpenFace *open(const FontFace &face);
    const GlyphInk *glyph(OpenFace &face, const GlyphKey &key);
    const GlyphInk *remember(const GlyphKey &key, GlyphInk ink); // a copy: ink may be an old one
    bool setSize(OpenFace &open, const FontFace &face, double pixelSize);
    RenderedLine render(const QString &family, const QString &text, const LineStyle &style,
                        int maxWidth);
    // The glyphs of text shaped and rasterised, placed from the pen's start; pen ends after the
    // last advance (26.6).
    std::vector<PlacedGlyph> place(OpenFace &open, const FaceChoice &choice,
                                   const std::u32string &text, int maxWidth, FT_Pos &pen);
    // The glyphs' coverage and the underline in one image, cut at maxWidth.
    static void compose(const std::vector<PlacedGlyph> &glyphs, const QRect &underline,
                        int maxWidth, RenderedLine &line);
    void remember(const LineKey &key, RenderedLine line);
};

namespace {

// A character the Unicode map lacks is looked up in the face's symbol encoding, as Qt does: the
// URW symbol fonts' Type 1 files map "a" to alpha only there; below U+0100, at U+F000 up too.
hb_bool_t symbolNominalGlyph(hb_font_t *font, void *data, hb_codepoint_t unicode,
                             hb_codepoint_t *glyph, void *)
{
    if (hb_font_get_nominal_glyph(hb_font_get_parent(font), unicode, glyph))
        return true;
    auto *open = static_cast<OpenFace *>(data);
    const FT_CharMap unicodeMap = open->ft->charmap;
    FT_Set_Charmap(open->ft, open->symbolMap);
    *glyph = FT_Get_Char_Index(open->ft, unicode);
    if (*glyph == 0 && unicode < 0x100)
        *glyph = FT_Get_Char_Index(open->ft, 0xF000 + unicode);
    FT_Set_Charmap(open->ft, unicodeMap);
    return *glyph != 0;
}

hb_font_funcs_t *symbolFontFuncs()
{
    static hb_font_funcs_t *funcs = [] {
        hb_font_funcs_t *made = hb_font_funcs_create();
        hb_font_funcs_set_nominal_glyph_func(made, symbolNominalGlyph, nullptr, nullptr);
        hb_font_funcs_make_immutable(made);
        return made;
    }();
    return funcs;
}

} // namespace

OpenFace *LineRenderer::Private::open(const FontFace &face)
{
    const QPair<QByteArray, int> key {face.file, face.index};
    auto found = std::find_if(faces.begin(), faces.end(),
                              [&](const auto &entry) { return entry.first == key; });
    if (found != faces.end()) {
        faces.splice(faces.end(), faces, found);
        return faces.back().second.get();
    }
    if (!library)
        return nullptr;
    auto opened = std::make_unique<OpenFace>();
    if (FT_New_Face(library, face.file.constData(), face.index, &opened->ft) != 0) {
        opened->ft = nullptr;
        return nullptr;
    }
    // A font with only a symbol character map: FreeType selects none by itself.
    if (!opened->ft->charmap)
        FT_Select_Charmap(opened->ft, FT_ENCODING_MS_SYMBOL);
    opened->hb = hb_ft_font_create_referenced(opened->ft);
    opened->shaper = opened->hb;
    for (int i = 0; i < opened->ft->num_charmaps; ++i) {
        const FT_CharMap map = opened->ft->charmaps[i];
        if (map->encoding == FT_ENCODING_ADOBE_CUSTOM || map->encoding == FT_ENCODING_MS_SYMBOL) {
            if (map != opened->ft->charmap) {
                opened->symbolMap = map;
                opened->shaper = hb_font_create_sub_font(opened->hb);
                hb_font_set_funcs(opened->shaper, symbolFontFuncs(), opened.get(), nullptr);
            }
            break;
        }
    }
    opened->serial = nextSerial++;
    if (qsizetype(faces.size()) >= MaximumOpenFaces)
        faces.pop_front();
    faces.emplace_back(key, std::move(opened));
    return faces.back().second.get();
}

bool LineRenderer::Private::setSize(OpenFace &open, const FontFace &face, double pixelSize)
{
    if (open.pixelSize == pixelSize)
        return open.sized;
    open.pixelSize = pixelSize;
    FT_Face ft = open.ft;
    if (FT_IS_SCALABLE(ft)) {
        // Qt sizes its fonts in whole pixels.
        open.sized = FT_Set_Char_Size(ft, 0, FT_F26Dot6(std::lround(pixelSize)) * 64, 72, 72) == 0;
    } else if (FT_HAS_COLOR(ft) && ft->num_fixed_sizes > 0) {
        // A colour bitmap font (emoji) draws from its shortest strike at least as tall as the
        // size asked for, scaled to it, as the toolkit scales it.
        const int wanted = int(std::lround(pixelSize));
        int best = 0;
        for (int i = 1; i < ft->num_fixed_sizes; ++i) {
            const int height = ft->available_sizes[i].height;
            const int bestHeight = ft->available_sizes[best].height;
            if ((bestHeight < wanted && height > bestHeight)
                || (height >= wanted && height < bestHeight))
                best = i;
        }
        open.sized = FT_Select_Size(ft, best) == 0;
        open.colour = true;
        open.bitmapScale = double(wanted) / ft->available_sizes[best].height;
    } else if (ft->num_fixed_sizes > 0) {
        // A bitmap font draws at the strike nearest the size asked for.
        int nearest = 0;
        for (int i = 1; i < ft->num_fixed_sizes; ++i) {
            if (std::abs(ft->available_sizes[i].y_ppem / 64.0 - pixelSize)
                < std::abs(ft->available_sizes[nearest].y_ppem / 64.0 - pixelSize))
                nearest = i;
        }
        open.sized = FT_Select_Size(ft, nearest) == 0;
    } else {
        open.sized = false;
    }
    if (!open.sized)
        return false;

    open.settings = catalog.renderSettings(face, pixelSize);
    const RenderSettings &s = open.settings;
    const bool subpixel = s.antialias && s.subpixelOrder != RenderSettings::SubpixelOrder::None;
    const bool vertical = s.subpixelOrder == RenderSettings::SubpixelOrder::VRgb
        || s.subpixelOrder == RenderSettings::SubpixelOrder::VBgr;
    const bool hinted = s.hinting && s.hintStyle != RenderSettings::HintStyle::None;
    FT_Int32 hintedFlags = FT_LOAD_TARGET_NORMAL;
    if (!s.antialias)
        hintedFlags = hinted ? FT_LOAD_TARGET_MONO : FT_LOAD_NO_HINTING;
    else if (!hinted)
        hintedFlags = FT_LOAD_NO_HINTING;
    else if (s.hintStyle == RenderSettings::HintStyle::Slight)
        hintedFlags = FT_LOAD_TARGET_LIGHT;
    else if (subpixel)
        hintedFlags = vertical ? FT_LOAD_TARGET_LCD_V : FT_LOAD_TARGET_LCD;
    // From OutlineSize on, the toolkit fills the unhinted outlines with its own antialiasing,
    // whatever the settings.
    open.outline = pixelSize >= OutlineSize;
    open.loadFlags = open.outline ? FT_LOAD_NO_HINTING : hintedFlags;
    if (open.colour)
        open.loadFlags |= FT_LOAD_COLOR;
    open.renderMode = open.outline || (s.antialias && !subpixel) ? FT_RENDER_MODE_NORMAL
        : !s.antialias                                           ? FT_RENDER_MODE_MONO
        : vertical                                               ? FT_RENDER_MODE_LCD_V
                                                                 : FT_RENDER_MODE_LCD;
    // Light or no hinting keeps the font's own advances and places glyphs between pixels.
    open.designMetrics
        = FT_IS_SCALABLE(ft) && (!hinted || s.hintStyle == RenderSettings::HintStyle::Slight);
    hb_ft_font_set_load_flags(open.hb, open.designMetrics ? FT_LOAD_NO_HINTING : hintedFlags);
    hb_ft_font_changed(open.hb);
    if (open.shaper != open.hb) {
        // A font over another takes its size when made only.
        int xScale = 0;
        int yScale = 0;
        hb_font_get_scale(open.hb, &xScale, &yScale);
        hb_font_set_scale(open.shaper, xScale, yScale);
        unsigned int xPpem = 0;
        unsigned int yPpem = 0;
        hb_font_get_ppem(open.hb, &xPpem, &yPpem);
        hb_font_set_ppem(open.shaper, xPpem, yPpem);
    }
    open.sizeKey = (qint64(std::lround(pixelSize * 64)) << 24) ^ (qint64(open.loadFlags) << 4)
        ^ qint64(open.renderMode);

    // Vertical metrics as the toolkit takes them: an OpenType or TrueType font's design values
    // scaled, not the rasteriser's values rounded to whole pixels; the rasteriser's for another
    // format (Type 1), which has no such tables.
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    FT_Pos ascent = ft->size->metrics.ascender;
    FT_Pos descent = -ft->size->metrics.descender;
    if (FT_IS_SCALABLE(ft) && FT_IS_SFNT(ft)) {
        ascent = FT_MulFix(ft->ascender, ft->size->metrics.y_scale);
        descent = -FT_MulFix(ft->descender, ft->size->metrics.y_scale);
        // The font asks for its typographic metrics to be used (fsSelection bit 7).
        if (os2 && os2->version != 0xFFFF && (os2->fsSelection & (1 << 7))) {
            ascent = FT_MulFix(os2->sTypoAscender, ft->size->metrics.y_scale);
            descent = -FT_MulFix(os2->sTypoDescender, ft->size->metrics.y_scale);
        }
    }
    ascent = FT_Pos(ascent * open.bitmapScale);
    descent = FT_Pos(descent * open.bitmapScale);
    open.ascent = int((ascent + 32) >> 6);
    open.descent = descent / 64.0;

    // The underline's top edge and thickness, in 1/64 pixel as the toolkit works them out from
    // FreeType's centre line; never thinner than a pixel.
    const FT_Pos thickness = FT_MulFix(ft->underline_thickness, ft->size->metrics.y_scale);
    const FT_Pos centre = -FT_MulFix(ft->underline_position, ft->size->metrics.y_scale);
    open.underlineOffset = (centre - thickness / 2) / 64.0;
    open.underlineThickness = std::max<FT_Pos>(thickness, 64) / 64.0;
    // Emboldened as the toolkit does it: never a fixed-pitch font (it would lose its pitch), a
    // face that says it is bold, nor glyphs so large they are drawn as outlines.
    open.emboldenable = !FT_IS_FIXED_WIDTH(ft) && !(ft->style_flags & FT_STYLE_FLAG_BOLD)
        && (!os2 || os2->version == 0xFFFF || os2->usWeightClass < 700) && pixelSize < OutlineSize;
    // What emboldening adds to each advance, as FreeType widens the glyph; the font's own
    // advances (light or no hinting) stay as they are.
    open.emboldenAdvance = FT_MulFix(ft->units_per_EM, ft->size->metrics.y_scale) / 24;
    return true;
}

const GlyphInk *LineRenderer::Private::glyph(OpenFace &face, const GlyphKey &key)
{
    if (const auto known = glyphCache.constFind(key); known != glyphCache.cend())
        return &*known;
    if (const auto old = olderGlyphs.constFind(key); old != olderGlyphs.cend())
        return remember(key, *old);
    FT_Face ft = face.ft;
    if (FT_Load_Glyph(ft, key.glyph, face.loadFlags) != 0)
        return nullptr;
    FT_GlyphSlot slot = ft->glyph;
    if (key.embolden)
        FT_GlyphSlot_Embolden(slot);
    if (key.oblique)
        FT_GlyphSlot_Oblique(slot);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Translate(&slot->outline, key.fraction, 0);
        if (FT_Render_Glyph(slot, face.renderMode) != 0)
            return nullptr;
    }
    const bool blueFirst = face.settings.subpixelOrder == RenderSettings::SubpixelOrder::Bgr
        || face.settings.subpixelOrder == RenderSettings::SubpixelOrder::VBgr;
    GlyphInk ink;
    if (slot->bitmap.width > 0 && slot->bitmap.rows > 0)
        ink.image = inkOf(slot->bitmap, blueFirst);
    ink.offset = QPoint(slot->bitmap_left, -slot->bitmap_top);
    if (face.bitmapScale != 1 && !ink.image.isNull()) {
        const double scale = face.bitmapScale;
        ink.image = ink.image.scaled(std::max(1, int(std::lround(ink.image.width() * scale))),
                                     std::max(1, int(std::lround(ink.image.height() * scale))),
                                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ink.offset = QPoint(int(std::lround(ink.offset.x() * scale)),
                            int(std::lround(ink.offset.y() * scale)));
    }
    return remember(key, ink);
}

const GlyphInk *LineRenderer::Private::remember(const GlyphKey &key, GlyphInk ink)
{
    if (glyphCache.size() >= MaximumCachedGlyphs / 2 || glyphBytes > MaximumGlyphBytes / 2) {
        olderGlyphs = std::move(glyphCache);
        glyphCache.clear();
        glyphBytes = 0;
    }
    glyphBytes += ink.image.sizeInBytes();
    return &*glyphCache.insert(key, std::move(ink));
}

RenderedLine LineRenderer::Private::render(const QString &family, const QString &text,
                                           const LineStyle &style, int maxWidth)
{
    RenderedLine line;
    const QList<FontFace> familyFaces = catalog.faces(family);
    const FaceChoice choice = chooseFace(familyFaces, style.bold, style.italic);
    if (choice.face < 0)
        return line;
    const FontFace &face = familyFaces[choice.face];
    OpenFace *open = this->open(face);
    if (!open || !setSize(*open, face, style.pixelSize))
        return line;
    line.drawn = true;
    line.ascent = open->ascent;
    if (open->renderMode == FT_RENDER_MODE_LCD || open->renderMode == FT_RENDER_MODE_LCD_V)
        FT_Library_SetLcdFilter(library,
                                open->settings.lcdFilter == 0       ? FT_LCD_FILTER_NONE
                                    : open->settings.lcdFilter == 2 ? FT_LCD_FILTER_LIGHT
                                    : open->settings.lcdFilter == 3 ? FT_LCD_FILTER_LEGACY
                                                                    : FT_LCD_FILTER_DEFAULT);

    // Only what can show is shaped: a glyph advances the pen by a pixel or more but for marks,
    // so a few characters per pixel are more than the width can hold.
    const qsizetype shown = std::min<qsizetype>(text.size(), 4 * qsizetype(maxWidth) + 16);
    QStringView visible = QStringView(text).first(shown);
    if (shown < text.size() && visible.back().isHighSurrogate())
        visible.chop(1);

    FT_Pos advance = 0;
    const std::vector<PlacedGlyph> glyphs
        = place(*open, choice, visible.toString().toStdU32String(), maxWidth, advance);
    const QRect underline = style.underline ? underlineBar(*open, advance, maxWidth) : QRect();
    compose(glyphs, underline, maxWidth, line);
    return line;
}

std::vector<PlacedGlyph> LineRenderer::Private::place(OpenFace &open, const FaceChoice &choice,
                                                      const std::u32string &text, int maxWidth,
                                                      FT_Pos &pen)
{
    std::vector<PlacedGlyph> glyphs;
    hb_buffer_t *buffer = hb_buffer_create();
    pen = 0; // 26.6
    const bool mono = open.renderMode == FT_RENDER_MODE_MONO;
    const bool embolden = choice.embolden && open.emboldenable;
    const FT_Pos widening = embolden && !open.designMetrics ? open.emboldenAdvance : 0;
    for (const Run &run : visualRuns(text)) {
        if (pen > FT_Pos(maxWidth) * 64)
            break;
        hb_buffer_clear_contents(buffer);
        hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t *>(text.data()),
                            int(text.size()), unsigned(run.start), int(run.length));
        hb_buffer_set_direction(buffer, run.rightToLeft() ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, run.script);
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(open.shaper, buffer, nullptr, 0);
        unsigned count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
        // A colour bitmap font's strike is drawn scaled: so are its advances.
        const auto scaled = [&open](FT_Pos value) {
            return open.bitmapScale == 1 ? value : FT_Pos(std::lround(value * open.bitmapScale));
        };
        for (unsigned i = 0; i < count; ++i) {
            const FT_Pos x = pen + scaled(positions[i].x_offset);
            const FT_Pos y = -scaled(positions[i].y_offset);
            pen += scaled(advanceOf(open, infos[i].codepoint, positions[i].x_advance, widening));
            if (x > FT_Pos(maxWidth) * 64)
                continue;
            FT_Pos whole = x & ~63;
            FT_Pos fraction = 0;
            if (open.outline)
                fraction = x - whole; // outlines are filled where they fall
            else if (open.designMetrics && !mono)
                fraction = (x - whole) * SubpixelPositions / 64 * (64 / SubpixelPositions);
            else
                whole = (x + 32) & ~63;
            const GlyphKey key {open.serial,   open.sizeKey, infos[i].codepoint,
                                int(fraction), embolden,     choice.oblique};
            const GlyphInk *ink = glyph(open, key);
            if (ink && !ink->image.isNull())
                glyphs.push_back({ink->image,
                                  QPoint(int(whole / 64) + ink->offset.x(),
                                         int((y + 32) >> 6) + ink->offset.y())});
        }
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

void LineRenderer::Private::compose(const std::vector<PlacedGlyph> &glyphs, const QRect &underline,
                                    int maxWidth, RenderedLine &line)
{
    QRect bounds = underline;
    for (const PlacedGlyph &glyph : glyphs)
        bounds |= QRect(glyph.topLeft, glyph.ink.size());
    bounds &= QRect(0, -32768, maxWidth, 65536);
    if (bounds.isEmpty())
        return;
    const bool subpixel = std::any_of(glyphs.cbegin(), glyphs.cend(), [](const PlacedGlyph &g) {
        return g.ink.format() == QImage::Format_RGB32;
    });
    QImage coverage(bounds.size(), subpixel ? QImage::Format_RGB32 : QImage::Format_Alpha8);
    coverage.fill(0);
    const QPoint origin = -bounds.topLeft();
    QImage colourInk;
    for (const PlacedGlyph &glyph : glyphs) {
        if (isColourInk(glyph.ink)) {
            if (colourInk.isNull()) {
                colourInk = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
                colourInk.fill(Qt::transparent);
            }
            QPainter painter(&colourInk);
            painter.drawImage(glyph.topLeft + origin, glyph.ink);
            continue;
        }
        const QRect target = QRect(glyph.topLeft + origin, glyph.ink.size()) & coverage.rect();
        for (int y = target.top(); y <= target.bottom(); ++y) {
            const int inkY = y - glyph.topLeft.y() - origin.y();
            const int inkX = target.left() - glyph.topLeft.x() - origin.x();
            if (subpixel) {
                auto *out = reinterpret_cast<QRgb *>(coverage.scanLine(y)) + target.left();
                for (int x = 0; x < target.width(); ++x) {
                    const QRgb in = glyph.ink.format() == QImage::Format_RGB32
                        ? reinterpret_cast<const QRgb *>(glyph.ink.constScanLine(inkY))[inkX + x]
                        : qRgb(glyph.ink.constScanLine(inkY)[inkX + x],
                               glyph.ink.constScanLine(inkY)[inkX + x],
                               glyph.ink.constScanLine(inkY)[inkX + x]);
                    out[x]
                        = qRgb(layered(qRed(out[x]), qRed(in)), layered(qGreen(out[x]), qGreen(in)),
                               layered(qBlue(out[x]), qBlue(in)));
                }
            } else {
                uchar *out = coverage.scanLine(y) + target.left();
                const uchar *in = glyph.ink.constScanLine(inkY) + inkX;
                for (int x = 0; x < target.width(); ++x)
                    out[x] = out[x] ? layered(out[x], in[x]) : in[x];
            }
        }
    }
    const QRect bar = underline.translated(origin) & coverage.rect();
    for (int y = bar.top(); y <= bar.bottom(); ++y) {
        if (subpixel)
            std::fill_n(reinterpret_cast<QRgb *>(coverage.scanLine(y)) + bar.left(), bar.width(),
                        qRgb(255, 255, 255));
        else
            std::fill_n(coverage.scanLine(y) + bar.left(), bar.width(), uchar(255));
    }
    line.coverage = std::move(coverage);
    line.colourInk = std::move(colourInk);
    line.origin = origin;
}

static qsizetype inkBytes(const RenderedLine &line)
{
    return line.coverage.sizeInBytes() + line.colourInk.sizeInBytes();
}

void LineRenderer::Private::remember(const LineKey &key, RenderedLine line)
{
    const qsizetype bytes = inkBytes(line);
    while (!lines.empty()
           && (qsizetype(lines.size()) >= MaximumCachedLines
               || lineBytes + bytes > MaximumCachedBytes)) {
        lineBytes -= inkBytes(lines.front().second);
        lineIndex.remove(lines.front().first);
        lines.pop_front();
    }
    lines.emplace_back(key, std::move(line));
    lineIndex.insert(key, std::prev(lines.end()));
    lineBytes += bytes;
}

LineRenderer::LineRenderer(const FontCatalog &catalog)
    : d(std::make_unique<Private>(catalog))
{
}

LineRenderer::~LineRenderer() = default;

const RenderedLine &LineRenderer::line(const QString &family, const QString &text,
                                       const LineStyle &style, int maxWidth)
{
    maxWidth = std::max(0, maxWidth);
    LineKey key {family, text, style, maxWidth};
    if (const auto found = d->lineIndex.constFind(key); found != d->lineIndex.cend()) {
        d->lines.splice(d->lines.end(), d->lines, *found);
        return d->lines.back().second;
    }
    RenderedLine rendered = d->render(family, text, style, maxWidth);
    // A face that could not be opened or sized this time is tried again at the next call: a
    // line kept undrawn would stay blank until its text, size or width changed.
    if (!rendered.drawn) {
        d->undrawn = std::move(rendered);
        return d->undrawn;
    }
    d->remember(key, std::move(rendered));
    return d->lines.back().second;
}

void LineRenderer::draw(QPainter &painter, QPointF penStart, const RenderedLine &line,
                        const QColor &text, const QColor &background, qreal devicePixelRatio)
{
    if (line.coverage.isNull())
        return;
    QImage ink = colour(line.coverage, text.rgb(), background.rgb());
    ink.setDevicePixelRatio(devicePixelRatio);
    const QPointF topLeft = penStart - QPointF(line.origin) / devicePixelRatio;
    painter.drawImage(topLeft, ink);
    if (!line.colourInk.isNull()) {
        QImage colourInk = line.colourInk;
        colourInk.setDevicePixelRatio(devicePixelRatio);
        painter.drawImage(topLeft, colourInk);
    }
}

QImage LineRenderer::colour(const QImage &coverage, QRgb pen, QRgb under)
{
    QImage ink(coverage.size(), QImage::Format_ARGB32_Premultiplied);
    if (coverage.format() == QImage::Format_Alpha8) {
        // The text colour at each coverage, premultiplied: blended over whatever is there.
        std::array<QRgb, 256> shades;
        for (int a = 0; a < 256; ++a)
            shades[size_t(a)]
                = qRgba(qRed(pen) * a / 255, qGreen(pen) * a / 255, qBlue(pen) * a / 255, a);
        for (int y = 0; y < coverage.height(); ++y) {
            const uchar *in = coverage.constScanLine(y);
            auto *out = reinterpret_cast<QRgb *>(ink.scanLine(y));
            for (int x = 0; x < coverage.width(); ++x)
                out[x] = shades[in[x]];
        }
        return ink;
    }
    // Each sub-pixel blends the text colour with the background by its own coverage.
    const auto mix = [](int from, int to, int amount) {
        return from + (to - from) * amount / 255;
    };
    for (int y = 0; y < coverage.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(coverage.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(ink.scanLine(y));
        for (int x = 0; x < coverage.width(); ++x) {
            const QRgb c = in[x];
            out[x] = (c & 0xffffff) == 0 ? 0
                                         : qRgb(mix(qRed(under), qRed(pen), qRed(c)),
                                                mix(qGreen(under), qGreen(pen), qGreen(c)),
                                                mix(qBlue(under), qBlue(pen), qBlue(c)));
        }
    }
    return ink;
}

qsizetype LineRenderer::cachedBytes() const
{
    return d->lineBytes;
}

qsizetype LineRenderer::cachedLines() const
{
    return qsizetype(d->lines.size());
}

void LineRenderer::clear()
{
    d->lines.clear();
    d->lineIndex.clear();
    d->lineBytes = 0;
    d->glyphCache.clear();
    d->olderGlyphs.clear();
    d->glyphBytes = 0;
}
