#pragma once

#include <QtGlobal>

#include <map>
#include <tuple>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
struct OpenFace;

// The glyphs of a face that has bitmaps only (X11's bitmap fonts, colour emoji), drawn on a PDF
// as images of its strike scaled to the size asked for: there are no outlines to embed. Each
// glyph's image is made once per job, so that a glyph drawn again is one image in the document.
class BitmapGlyphs
{
public:
    BitmapGlyphs() = default;
    ~BitmapGlyphs();
    BitmapGlyphs(const BitmapGlyphs &) = delete;
    BitmapGlyphs &operator=(const BitmapGlyphs &) = delete;

    // Draws a glyph of face with its origin at x on the baseline (the context's units: device
    // pixels), scaled by the face's bitmapScale: in the context's colour, or a colour glyph in
    // its own colours.
    void draw(cairo_t *cr, const OpenFace &face, unsigned glyph, double x, double baseline);

private:
    struct Image
    {
        cairo_surface_t *surface = nullptr; // null: the glyph has no ink
        int left = 0; // from the origin to the image's left edge, in the strike's pixels
        int top = 0; // from the baseline up to the image's top edge
        bool colour = false;
    };
    const Image &image(const OpenFace &face, unsigned glyph);

    std::map<std::tuple<quint64, qint64, unsigned>, Image> m_images; // face, size, glyph
};
