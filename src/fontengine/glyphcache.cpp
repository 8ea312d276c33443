#include "glyphcache.h"

#include "openface.h"

#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>

size_t qHash(const GlyphKey &key, size_t seed)
{
    return qHashMulti(seed, key.face, key.size, key.design, key.glyph, key.fraction, key.embolden,
                      key.oblique);
}

namespace {

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

// A colour bitmap font's strike is drawn scaled to the size asked for, as the toolkit scales it.
void scale(GlyphInk &ink, double scale)
{
    ink.image = ink.image.scaled(std::max(1, int(std::lround(ink.image.width() * scale))),
                                 std::max(1, int(std::lround(ink.image.height() * scale))),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ink.offset = QPoint(int(std::lround(ink.offset.x() * scale)),
                        int(std::lround(ink.offset.y() * scale)));
}

} // namespace

const GlyphInk *GlyphCache::glyph(OpenFace &face, const GlyphKey &key)
{
    if (const auto known = m_recent.constFind(key); known != m_recent.cend())
        return &*known;
    if (const auto old = m_older.constFind(key); old != m_older.cend())
        return remember(key, *old);
    FT_Face ft = face.ft;
    // Only outlines can be slanted: a scalable face's italic is drawn from them, not from its
    // embedded bitmaps, as the toolkit draws it.
    const FT_Int32 flags
        = key.oblique && FT_IS_SCALABLE(ft) ? face.loadFlags | FT_LOAD_NO_BITMAP : face.loadFlags;
    if (FT_Load_Glyph(ft, key.glyph, flags) != 0)
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
    if (face.bitmapScale != 1 && !ink.image.isNull())
        scale(ink, face.bitmapScale);
    return remember(key, ink);
}

const GlyphInk *GlyphCache::remember(const GlyphKey &key, GlyphInk ink)
{
    if (m_recent.size() >= MaximumGlyphs / 2 || m_bytes > MaximumBytes / 2) {
        m_older = std::move(m_recent);
        m_recent.clear();
        m_bytes = 0;
    }
    m_bytes += ink.image.sizeInBytes();
    return &*m_recent.insert(key, std::move(ink));
}

void GlyphCache::clear()
{
    m_recent.clear();
    m_older.clear();
    m_bytes = 0;
}
