#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

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
    // The features and axes set for the line that its face lacks (see lackingTags()): the line
    // is drawn as without them.
    QList<QByteArray> lacking;
};
