#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>

struct OpenFace;

// A glyph as rasterised: for one face at one size and design (a variable face's coordinates), at
// one fraction of a pixel, made up or not.
struct GlyphKey
{
    quint64 face = 0; // OpenFace::serial
    qint64 size = 0; // OpenFace::sizeKey
    int design = 0; // OpenFace::designIndex
    quint32 glyph = 0;
    int fraction = 0; // 26.6
    bool embolden = false;
    bool oblique = false;
    bool operator==(const GlyphKey &) const = default;
};

size_t qHash(const GlyphKey &key, size_t seed = 0);

// A glyph's coverage and where it sits from its origin on the baseline.
struct GlyphInk
{
    // Null for a glyph with no ink (a blank). Alpha8 for greyscale or bilevel coverage, RGB32
    // for sub-pixel coverage, premultiplied ARGB32 for a colour glyph in its own colours.
    QImage image;
    QPoint offset;
};

inline bool isColourInk(const QImage &ink)
{
    return ink.format() == QImage::Format_ARGB32_Premultiplied;
}

// Glyphs rasterised, kept across lines: a new sample in the same fonts reuses most of them.
// Two generations: when the recent one is full it becomes the old one, and the old one is
// dropped; a glyph found among the old ones moves back to the recent ones.
class GlyphCache
{
public:
    // The glyph key names, rasterised from face (a colour bitmap scaled to the face's size);
    // null when FreeType cannot load or render it. Valid until the next call.
    const GlyphInk *glyph(OpenFace &face, const GlyphKey &key);
    void clear();

    // Several pages of lines' worth.
    static constexpr qsizetype MaximumGlyphs = 4096;
    static constexpr qsizetype MaximumBytes = 4 * 1024 * 1024;

private:
    const GlyphInk *remember(const GlyphKey &key, GlyphInk ink); // a copy: ink may be an old one

    QHash<GlyphKey, GlyphInk> m_recent;
    QHash<GlyphKey, GlyphInk> m_older;
    qsizetype m_bytes = 0;
};
