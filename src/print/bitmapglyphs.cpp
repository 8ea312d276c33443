#include "bitmapglyphs.h"

#include "openface.h"

#include <cairo.h>

#include <algorithm>

BitmapGlyphs::~BitmapGlyphs()
{
    for (const auto &[key, image] : m_images) {
        if (image.surface)
            cairo_surface_destroy(image.surface);
    }
}

const BitmapGlyphs::Image &BitmapGlyphs::image(const OpenFace &face, unsigned glyph)
{
    const auto key = std::make_tuple(face.serial, face.sizeKey, glyph);
    if (const auto known = m_images.find(key); known != m_images.end())
        return known->second;
    Image &made = m_images[key];
    FT_Int32 flags = FT_LOAD_RENDER;
    if (face.colour)
        flags |= FT_LOAD_COLOR;
    if (FT_Load_Glyph(face.ft, glyph, flags) != 0)
        return made;
    const FT_GlyphSlot slot = face.ft->glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0)
        return made;
    made.colour = bitmap.pixel_mode == FT_PIXEL_MODE_BGRA;
    if (!made.colour && bitmap.pixel_mode != FT_PIXEL_MODE_MONO
        && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return made; // no other mode is found in bitmap fonts
    const int width = int(bitmap.width);
    const int rows = int(bitmap.rows);
    cairo_surface_t *surface = cairo_image_surface_create(
        made.colour ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_A8, width, rows);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return made;
    }
    cairo_surface_flush(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < rows; ++y) {
        const unsigned char *in = bitmap.buffer + y * bitmap.pitch;
        unsigned char *out = data + y * stride;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < width; ++x)
                out[x] = (in[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
        } else {
            // Grey levels as they are; premultiplied blue, green, red and alpha bytes are a
            // premultiplied ARGB pixel in memory, as cairo keeps it.
            std::copy_n(in, made.colour ? width * 4 : width, out);
        }
    }
    cairo_surface_mark_dirty(surface);
    made.surface = surface;
    made.left = slot->bitmap_left;
    made.top = slot->bitmap_top;
    return made;
}

void BitmapGlyphs::draw(cairo_t *cr, const OpenFace &face, unsigned glyph, double x,
                        double baseline)
{
    const Image &ink = image(face, glyph);
    if (!ink.surface)
        return;
    const double scale = face.bitmapScale;
    cairo_save(cr);
    cairo_translate(cr, x + ink.left * scale, baseline - ink.top * scale);
    cairo_scale(cr, scale, scale);
    cairo_pattern_t *pattern = cairo_pattern_create_for_surface(ink.surface);
    // A bitmap font's pixels stay sharp squares, as the list shows them at its size; colour
    // glyphs are pictures, scaled smoothly.
    cairo_pattern_set_filter(pattern, ink.colour ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    if (ink.colour) {
        cairo_set_source(cr, pattern);
        cairo_paint(cr);
    } else {
        cairo_mask(cr, pattern);
    }
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}
