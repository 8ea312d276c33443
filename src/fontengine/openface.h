#pragma once

#include "facetypography.h"
#include "fontcatalog.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <QByteArray>
#include <QPair>

#include <list>
#include <memory>
#include <optional>
#include <vector>

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
    // A colour bitmap font (emoji) is drawn from its strike scaled to the size asked for; so is
    // any bitmap font on paper.
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
    // What the face offers a line's typography, read when first asked for.
    std::optional<FaceTypography> offered;
    // A variable face's coordinates as opened (a named instance's) and as set now, 16.16. The
    // face is shared by lines of different settings: each sets the coordinates it needs.
    std::vector<FT_Fixed> openedDesign;
    std::vector<FT_Fixed> design;
    // The designs drawn so far; the place of the current one in it tells glyphs of one design
    // from another's in the glyph cache.
    std::vector<std::vector<FT_Fixed>> designs;
    int designIndex = 0;

    OpenFace() = default;
    OpenFace(const OpenFace &) = delete;
    OpenFace &operator=(const OpenFace &) = delete;
    ~OpenFace();
};

// The faces kept open while lines are drawn (lines already drawn come from the line cache), the
// least recently used closed first. Each is sized and set up to draw as the toolkit draws it:
// the user's rendering settings for that face and size, its metrics as the toolkit reads them.
class FaceCache
{
public:
    // Paper: glyphs as designed, unhinted at every size, whatever the screen's settings ask.
    enum class Target { Screen, Paper };

    explicit FaceCache(const FontCatalog &catalog, Target target = Target::Screen);
    ~FaceCache();
    FaceCache(const FaceCache &) = delete;
    FaceCache &operator=(const FaceCache &) = delete;

    // face open at pixelSize, ready to shape and rasterise; null when it cannot be opened or
    // sized. A variable face is set to the axes given, each clamped to its range, its optical
    // size following opticalSize (points; 0: as opened) unless given. Valid until the next call.
    OpenFace *sized(const FontFace &face, double pixelSize, const Typography &typography = {},
                    double opticalSize = 0);

    // What open offers a line's typography.
    const FaceTypography &offered(OpenFace &open) const;

    static constexpr qsizetype MaximumOpenFaces = 24;
    // Designs told apart per face before its glyphs start again under a new serial.
    static constexpr int MaximumDesigns = 64;

private:
    OpenFace *open(const FontFace &face);
    bool setSize(OpenFace &open, const FontFace &face, double pixelSize);
    void setDesign(OpenFace &open, const Typography &typography, double opticalSize);

    const FontCatalog &m_catalog;
    Target m_target;
    FT_Library m_library = nullptr;
    // Least recently used at the front.
    std::list<std::pair<QPair<QByteArray, int>, std::unique_ptr<OpenFace>>> m_faces;
    quint64 m_nextSerial = 1;
};
