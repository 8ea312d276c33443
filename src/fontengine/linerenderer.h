#pragma once

#include "fontcatalog.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <memory>

class QPainter;

// What changes how a line's text is drawn, beyond its family and text.
struct LineStyle
{
    double pixelSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // A face of the family by its place in FontCatalog::faces(), drawn as it is (nothing made
    // up), instead of the face chosen for bold and italic; -1: the face chosen.
    int face = -1;
    bool operator==(const LineStyle &) const = default;
};

// A line of text drawn in one family, as coverage: how much ink covers each pixel.
struct RenderedLine
{
    // Format_Alpha8 for greyscale or bilevel drawing; Format_RGB32 with a coverage for each
    // sub-pixel (red, green, blue as the screen orders them) for sub-pixel drawing. Null when
    // nothing is inked (blanks, an empty text).
    QImage coverage;
    // Colour glyphs (emoji) in their own colours, premultiplied, laid over the coverage: the same
    // size and origin. Null when the line has none.
    QImage colourInk;
    QPoint origin; // the pen's start on the baseline, in the image's coordinates
    int ascent = 0; // the font's ascent in pixels: the baseline's distance below the line's top
    bool drawn = false; // false: the family has no face that could be opened and sized
};

// Shapes lines of text with HarfBuzz and rasterises them with FreeType, straight from the font
// files fontconfig lists; no toolkit font lookup, so a line costs the same however many fonts
// are installed. Faces opened and lines drawn are kept in bounded caches.
class LineRenderer
{
public:
    explicit LineRenderer(const FontCatalog &catalog = FontCatalog::system());
    ~LineRenderer();
    LineRenderer(const LineRenderer &) = delete;
    LineRenderer &operator=(const LineRenderer &) = delete;

    // text in family, inked at most maxWidth pixels right of the pen's start. The reference stays
    // valid until the next call.
    const RenderedLine &line(const QString &family, const QString &text, const LineStyle &style,
                             int maxWidth);

    // Draws a line with its pen start at penStart, in colour text over the colour background
    // (which sub-pixel coverage blends with; greyscale coverage blends with whatever is there);
    // colour glyphs keep their own colours.
    // A line rendered for a device pixel ratio is drawn with that ratio.
    static void draw(QPainter &painter, QPointF penStart, const RenderedLine &line,
                     const QColor &text, const QColor &background, qreal devicePixelRatio = 1);

    // Coverage in colour text over background, premultiplied: greyscale coverage as the text
    // colour's transparency, sub-pixel coverage blended with the background.
    static QImage colour(const QImage &coverage, QRgb text, QRgb background);

    // The fonts the lines are drawn from.
    const FontCatalog &catalog() const;

    // Bytes of coverage held by the line cache, and the number of lines in it.
    qsizetype cachedBytes() const;
    qsizetype cachedLines() const;
    void clear();

    // The cache's limits: at most this many lines and about this many bytes of coverage.
    static constexpr qsizetype MaximumCachedLines = 256;
    static constexpr qsizetype MaximumCachedBytes = 8 * 1024 * 1024;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
