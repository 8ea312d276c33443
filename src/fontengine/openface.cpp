#include "openface.h"

#include "f26dot6.h"
#include "fontfilestream.h"
#include "symbolface.h"

#include FT_LCD_FILTER_H
#include FT_MULTIPLE_MASTERS_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>

#include <algorithm>
#include <cmath>

OpenFace::~OpenFace()
{
    if (shaper && shaper != hb)
        hb_font_destroy(shaper);
    if (hb)
        hb_font_destroy(hb);
    if (ft)
        FT_Done_Face(ft);
}

namespace {

// From this size on the toolkit draws glyphs as unhinted outlines, not from its glyph cache.
constexpr double OutlineSize = 64;

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

// Selects the size: whole pixels for a scalable face (Qt sizes its fonts so); a strike for a
// bitmap face, scaled to the size asked for when scaleStrikes (paper) or for a colour font.
bool selectSize(OpenFace &open, double pixelSize, bool scaleStrikes)
{
    FT_Face ft = open.ft;
    open.bitmapScale = 1;
    if (FT_IS_SCALABLE(ft))
        return FT_Set_Char_Size(ft, 0, F26Dot6::fromPixels(std::lround(pixelSize)), 72, 72) == 0;
    if (FT_HAS_COLOR(ft) && ft->num_fixed_sizes > 0) {
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
        const bool selected = FT_Select_Size(ft, best) == 0;
        open.colour = true;
        open.bitmapScale = double(wanted) / ft->available_sizes[best].height;
        return selected;
    }
    if (ft->num_fixed_sizes > 0) {
        // A bitmap font draws at the strike nearest the size asked for.
        const auto distance = [&](int strike) {
            return std::abs(F26Dot6::toPixels(ft->available_sizes[strike].y_ppem) - pixelSize);
        };
        int nearest = 0;
        for (int i = 1; i < ft->num_fixed_sizes; ++i) {
            if (distance(i) < distance(nearest))
                nearest = i;
        }
        const double strike = F26Dot6::toPixels(ft->available_sizes[nearest].y_ppem);
        if (scaleStrikes && strike > 0)
            open.bitmapScale = pixelSize / strike;
        return FT_Select_Size(ft, nearest) == 0;
    }
    return false;
}

// How glyphs are loaded, rendered and advanced under the user's settings at this size.
void setDrawing(OpenFace &open, const RenderSettings &s, double pixelSize)
{
    open.settings = s;
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
    // The toolkit draws a scalable face's embedded bitmaps only for text without antialiasing;
    // antialiased, it draws the outlines beside them. A colour font's bitmaps are its glyphs.
    if (!open.colour && FT_IS_SCALABLE(open.ft) && open.renderMode != FT_RENDER_MODE_MONO)
        open.loadFlags |= FT_LOAD_NO_BITMAP;
    // Light or no hinting keeps the font's own advances and places glyphs between pixels.
    open.designMetrics
        = FT_IS_SCALABLE(open.ft) && (!hinted || s.hintStyle == RenderSettings::HintStyle::Slight);
    hb_ft_font_set_load_flags(open.hb,
                              (open.designMetrics ? FT_LOAD_NO_HINTING : hintedFlags)
                                  | (open.loadFlags & FT_LOAD_NO_BITMAP));
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
    open.sizeKey = (qint64(F26Dot6::fromFractionalPixels(pixelSize)) << 24)
        ^ (qint64(open.loadFlags) << 4) ^ qint64(open.renderMode);
}

// Ascent, descent, underline and emboldening at the selected size.
void setMetrics(OpenFace &open, double pixelSize)
{
    // Vertical metrics as the toolkit takes them: an OpenType or TrueType font's design values
    // scaled, not the rasteriser's values rounded to whole pixels; the rasteriser's for another
    // format (Type 1), which has no such tables.
    FT_Face ft = open.ft;
    const FT_Fixed yScale = ft->size->metrics.y_scale;
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    FT_Pos ascent = ft->size->metrics.ascender;
    FT_Pos descent = -ft->size->metrics.descender;
    if (FT_IS_SCALABLE(ft) && FT_IS_SFNT(ft)) {
        ascent = FT_MulFix(ft->ascender, yScale);
        descent = -FT_MulFix(ft->descender, yScale);
        // The font asks for its typographic metrics to be used (fsSelection bit 7).
        if (os2 && os2->version != 0xFFFF && (os2->fsSelection & (1 << 7))) {
            ascent = FT_MulFix(os2->sTypoAscender, yScale);
            descent = -FT_MulFix(os2->sTypoDescender, yScale);
        }
    }
    ascent = FT_Pos(ascent * open.bitmapScale);
    descent = FT_Pos(descent * open.bitmapScale);
    open.ascent = int(F26Dot6::roundToPixels(ascent));
    open.descent = F26Dot6::toPixels(descent);

    // The underline's top edge and thickness, in 1/64 pixel as the toolkit works them out from
    // FreeType's centre line; never thinner than a pixel.
    const FT_Pos thickness = FT_MulFix(ft->underline_thickness, yScale);
    const FT_Pos centre = -FT_MulFix(ft->underline_position, yScale);
    open.underlineOffset = F26Dot6::toPixels(centre - thickness / 2);
    open.underlineThickness = F26Dot6::toPixels(std::max(thickness, F26Dot6::OnePixel));
    // Emboldened as the toolkit does it: never a fixed-pitch font (it would lose its pitch), a
    // face that says it is bold, nor glyphs so large they are drawn as outlines.
    open.emboldenable = !FT_IS_FIXED_WIDTH(ft) && !(ft->style_flags & FT_STYLE_FLAG_BOLD)
        && (!os2 || os2->version == 0xFFFF || os2->usWeightClass < 700) && pixelSize < OutlineSize;
    // What emboldening adds to each advance, as FreeType widens the glyph; the font's own
    // advances (light or no hinting) stay as they are.
    open.emboldenAdvance = FT_MulFix(ft->units_per_EM, yScale) / 24;
}

FT_LcdFilter lcdFilter(int fontconfigFilter)
{
    switch (fontconfigFilter) {
    case 0:
        return FT_LCD_FILTER_NONE;
    case 2:
        return FT_LCD_FILTER_LIGHT;
    case 3:
        return FT_LCD_FILTER_LEGACY;
    default:
        return FT_LCD_FILTER_DEFAULT;
    }
}

} // namespace

FaceCache::FaceCache(const FontCatalog &catalog, Target target)
    : m_catalog(catalog)
    , m_target(target)
{
    if (FT_Init_FreeType(&m_library) != 0)
        m_library = nullptr;
}

FaceCache::~FaceCache()
{
    m_faces.clear();
    if (m_library)
        FT_Done_FreeType(m_library);
}

OpenFace *FaceCache::sized(const FontFace &face, double pixelSize, const Typography &typography,
                           double opticalSize)
{
    OpenFace *open = this->open(face);
    if (!open || !setSize(*open, face, pixelSize))
        return nullptr;
    setDesign(*open, typography, opticalSize);
    // The filter is the library's, not the face's: set again for each line.
    if (open->renderMode == FT_RENDER_MODE_LCD || open->renderMode == FT_RENDER_MODE_LCD_V)
        FT_Library_SetLcdFilter(m_library, lcdFilter(open->settings.lcdFilter));
    return open;
}

OpenFace *FaceCache::open(const FontFace &face)
{
    const QPair<QByteArray, int> key {face.file, face.index};
    auto found = std::find_if(m_faces.begin(), m_faces.end(),
                              [&](const auto &entry) { return entry.first == key; });
    if (found != m_faces.end()) {
        m_faces.splice(m_faces.end(), m_faces, found);
        return m_faces.back().second.get();
    }
    if (!m_library)
        return nullptr;
    auto opened = std::make_unique<OpenFace>();
    if (openFaceFromFile(m_library, face.file, face.index, &opened->ft) != 0) {
        opened->ft = nullptr;
        return nullptr;
    }
    // A font with only a symbol character map: FreeType selects none by itself.
    if (!opened->ft->charmap)
        FT_Select_Charmap(opened->ft, FT_ENCODING_MS_SYMBOL);
    opened->hb = hb_ft_font_create_referenced(opened->ft);
    opened->shaper = opened->hb;
    if (const FT_CharMap map = SymbolFace::symbolCharmap(opened->ft);
        map && map != opened->ft->charmap) {
        opened->symbolMap = map;
        opened->shaper = hb_font_create_sub_font(opened->hb);
        hb_font_set_funcs(opened->shaper, symbolFontFuncs(), opened.get(), nullptr);
    }
    opened->serial = m_nextSerial++;
    if (qsizetype(m_faces.size()) >= MaximumOpenFaces)
        m_faces.pop_front();
    m_faces.emplace_back(key, std::move(opened));
    return m_faces.back().second.get();
}

bool FaceCache::setSize(OpenFace &open, const FontFace &face, double pixelSize)
{
    if (open.pixelSize == pixelSize)
        return open.sized;
    open.pixelSize = pixelSize;
    open.sized = selectSize(open, pixelSize, m_target == Target::Paper);
    if (!open.sized)
        return false;
    RenderSettings settings;
    if (m_target == Target::Screen)
        settings = m_catalog.renderSettings(face, pixelSize);
    else
        settings.hinting = false;
    setDrawing(open, settings, pixelSize);
    setMetrics(open, pixelSize);
    return true;
}

const FaceTypography &FaceCache::offered(OpenFace &open) const
{
    if (open.offered)
        return *open.offered;
    FT_MM_Var *master = nullptr;
    if (FT_HAS_MULTIPLE_MASTERS(open.ft) && FT_Get_MM_Var(open.ft, &master) == 0) {
        open.openedDesign.resize(master->num_axis);
        if (FT_Get_Var_Design_Coordinates(open.ft, master->num_axis, open.openedDesign.data()) != 0)
            open.openedDesign.clear();
        FT_Done_MM_Var(m_library, master);
    }
    open.offered = FaceTypography::of(hb_font_get_face(open.hb), !open.openedDesign.empty());
    // Axes FreeType and HarfBuzz do not read alike (a damaged table) are not set at all.
    if (size_t(open.offered->axes.size()) != open.openedDesign.size()) {
        open.offered->axes.clear();
        open.openedDesign.clear();
    }
    open.design = open.openedDesign;
    open.designs = {open.openedDesign};
    open.designIndex = 0;
    return *open.offered;
}

void FaceCache::setDesign(OpenFace &open, const Typography &typography, double opticalSize)
{
    if (!FT_HAS_MULTIPLE_MASTERS(open.ft))
        return;
    const FaceTypography &offered = this->offered(open);
    if (offered.axes.isEmpty())
        return;
    QList<double> opened;
    for (const FT_Fixed coordinate : open.openedDesign)
        opened.append(coordinate / 65536.0);
    std::vector<FT_Fixed> design;
    for (const double coordinate : axisCoordinates(typography, offered.axes, opened, opticalSize))
        design.push_back(FT_Fixed(std::lround(coordinate * 65536)));
    if (design == open.design)
        return;
    // Back to the face as opened exactly, not to coordinates that round alike.
    const bool opening = design == open.openedDesign;
    if (FT_Set_Var_Design_Coordinates(open.ft, opening ? 0 : FT_UInt(design.size()),
                                      opening ? nullptr : design.data())
        != 0)
        return;
    open.design = design;
    hb_ft_font_changed(open.hb);
    if (open.shaper != open.hb) {
        unsigned length = 0;
        const int *normalized = hb_font_get_var_coords_normalized(open.hb, &length);
        hb_font_set_var_coords_normalized(open.shaper, normalized, length);
    }
    setMetrics(open, open.pixelSize);
    const auto known = std::find(open.designs.cbegin(), open.designs.cend(), design);
    if (known != open.designs.cend()) {
        open.designIndex = int(known - open.designs.cbegin());
        return;
    }
    // Glyphs of designs forgotten must never be taken for another's: the face's glyphs start
    // again under a new serial.
    if (qsizetype(open.designs.size()) >= MaximumDesigns) {
        open.designs.clear();
        open.serial = m_nextSerial++;
    }
    open.designs.push_back(design);
    open.designIndex = int(open.designs.size()) - 1;
}
