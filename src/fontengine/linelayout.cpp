#include "linelayout.h"

#include "f26dot6.h"
#include "facechoice.h"
#include "facetypography.h"
#include "textruns.h"

#include FT_ADVANCES_H
#include <hb.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Glyph origins are kept to a quarter of a pixel, as the toolkit places them.
constexpr int SubpixelPositions = 4;

// One glyph's ink, placed on the line.
struct PlacedGlyph
{
    QImage ink; // as GlyphInk::image
    QPoint topLeft; // relative to the pen's start on the baseline
};

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
    if (!open.designMetrics)
        return F26Dot6::round(F26Dot6::round(nominal + widening) + shaped - nominal);
    FT_Fixed unhinted = 0;
    if (FT_Get_Advance(open.ft, glyph, FT_LOAD_NO_HINTING, &unhinted) != 0)
        return shaped + widening;
    return F26Dot6::fromFixed(unhinted) + widening + shaped - nominal;
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
    const int width = int(std::min<FT_Pos>(F26Dot6::floorToPixels(advance), maxWidth));
    return width > 0 ? QRect(0, top, width, bottom - top + 1) : QRect();
}

// The glyphs of text shaped and rasterised, placed from the pen's start; pen ends after the last
// advance (26.6).
std::vector<PlacedGlyph> place(GlyphCache &glyphs, OpenFace &open, const FaceChoice &choice,
                               const RunShaping &shaping, QStringView text, int maxWidth,
                               FT_Pos &pen)
{
    std::vector<PlacedGlyph> placed;
    hb_buffer_t *buffer = hb_buffer_create();
    pen = 0;
    const FT_Pos limit = F26Dot6::fromPixels(maxWidth);
    const bool mono = open.renderMode == FT_RENDER_MODE_MONO;
    const bool embolden = choice.embolden && open.emboldenable;
    const FT_Pos widening = embolden && !open.designMetrics ? open.emboldenAdvance : 0;
    // A colour bitmap font's strike is drawn scaled: so are its advances.
    const auto scaled = [&open](FT_Pos value) {
        return open.bitmapScale == 1 ? value : FT_Pos(std::lround(value * open.bitmapScale));
    };
    for (const TextRun &run : visualRuns(text)) {
        if (pen > limit)
            break;
        shapeRun(buffer, open.shaper, text, run, shaping);
        unsigned count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
        for (unsigned i = 0; i < count; ++i) {
            const FT_Pos x = pen + scaled(positions[i].x_offset);
            const FT_Pos y = -scaled(positions[i].y_offset);
            pen += scaled(advanceOf(open, infos[i].codepoint, positions[i].x_advance, widening));
            if (x > limit)
                continue;
            FT_Pos whole = F26Dot6::floor(x);
            FT_Pos fraction = 0;
            if (open.outline)
                fraction = x - whole; // outlines are filled where they fall
            else if (open.designMetrics && !mono)
                fraction = (x - whole) * SubpixelPositions / F26Dot6::OnePixel
                    * (F26Dot6::OnePixel / SubpixelPositions);
            else
                whole = F26Dot6::round(x);
            const GlyphKey key {open.serial,   open.sizeKey, open.designIndex, infos[i].codepoint,
                                int(fraction), embolden,     choice.oblique};
            const GlyphInk *ink = glyphs.glyph(open, key);
            if (ink && !ink->image.isNull())
                placed.push_back({ink->image,
                                  QPoint(int(F26Dot6::floorToPixels(whole)) + ink->offset.x(),
                                         int(F26Dot6::roundToPixels(y)) + ink->offset.y())});
        }
    }
    hb_buffer_destroy(buffer);
    return placed;
}

// Lays one glyph's coverage into the line's, over what is there.
void layGlyph(const PlacedGlyph &glyph, QPoint origin, bool subpixel, QImage &coverage)
{
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
                out[x] = qRgb(layered(qRed(out[x]), qRed(in)), layered(qGreen(out[x]), qGreen(in)),
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

// The glyphs' coverage and the underline in one image, cut at maxWidth; colour glyphs in an
// image of their own over it.
void compose(const std::vector<PlacedGlyph> &glyphs, const QRect &underline, int maxWidth,
             RenderedLine &line)
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
        if (!isColourInk(glyph.ink)) {
            layGlyph(glyph, origin, subpixel, coverage);
            continue;
        }
        if (colourInk.isNull()) {
            colourInk = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
            colourInk.fill(Qt::transparent);
        }
        QPainter painter(&colourInk);
        painter.drawImage(glyph.topLeft + origin, glyph.ink);
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

} // namespace

LineLayout::LineLayout(const FontCatalog &catalog)
    : m_catalog(catalog)
    , m_faces(catalog)
{
}

RenderedLine LineLayout::render(const QString &family, const QString &text, const LineStyle &style,
                                int maxWidth)
{
    RenderedLine line;
    const QList<FontFace> familyFaces = m_catalog.faces(family);
    const FaceChoice choice = style.face >= 0
        ? FaceChoice {style.face < familyFaces.size() ? style.face : -1, false, false}
        : chooseFace(familyFaces, style.bold, style.italic, style.pixelSize);
    if (choice.face < 0)
        return line;
    const Typography &typography = style.typography;
    // With no typography set a face draws as it always has: at the optical size it opens at.
    const double opticalSize = typography.isDefault() ? 0 : style.opticalSize();
    OpenFace *open
        = m_faces.sized(familyFaces[choice.face], style.pixelSize, typography, opticalSize);
    if (!open)
        return line;
    line.drawn = true;
    line.ascent = open->ascent;
    if (!typography.features.isEmpty() || !typography.axes.isEmpty())
        line.lacking = lackingTags(typography, m_faces.offered(*open));

    // Only what can show is shaped: a glyph advances the pen by a pixel or more but for marks,
    // so a few characters per pixel are more than the width can hold.
    const qsizetype shown = std::min<qsizetype>(text.size(), 4 * qsizetype(maxWidth) + 16);
    QStringView visible = QStringView(text).first(shown);
    if (shown < text.size() && visible.back().isHighSurrogate())
        visible.chop(1);

    FT_Pos advance = 0;
    const std::vector<PlacedGlyph> glyphs
        = place(m_glyphs, *open, choice, RunShaping(typography), visible, maxWidth, advance);
    const QRect underline = style.underline ? underlineBar(*open, advance, maxWidth) : QRect();
    compose(glyphs, underline, maxWidth, line);
    return line;
}
