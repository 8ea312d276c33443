#pragma once

#include "fontcatalog.h"
#include "glyphcache.h"
#include "linerenderer.h"
#include "openface.h"

#include <QString>

// Lays a line out as the toolkit would draw it: the face fontconfig would choose for the style,
// opened and sized; the text split into runs of one script and direction in their visual order;
// each run shaped by HarfBuzz; each glyph rasterised and placed where the toolkit places it; the
// glyphs' coverage and the underline composed into one image.
class LineLayout
{
public:
    explicit LineLayout(const FontCatalog &catalog);

    // text in family, inked at most maxWidth pixels right of the pen's start; not drawn when
    // the family has no face that can be opened and sized.
    RenderedLine render(const QString &family, const QString &text, const LineStyle &style,
                        int maxWidth);
    void clearGlyphs() { m_glyphs.clear(); }

private:
    const FontCatalog &m_catalog;
    FaceCache m_faces;
    GlyphCache m_glyphs;
};
