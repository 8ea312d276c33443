#pragma once

#include "fontcatalog.h"
#include "linestyle.h"
#include "renderedline.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <memory>

class QPainter;

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
