#pragma once

#include "fontcatalog.h"
#include "fontcollectionfile.h"
#include "openface.h"
#include "printfont.h"

#include <QHash>
#include <QSet>

#include <map>
#include <memory>
#include <vector>

typedef struct _cairo_font_face cairo_font_face_t;

// The faces a print job draws with, found as the font list finds them: the family's faces from
// fontconfig, the one the list would choose for the style, shaped with HarfBuzz at design
// metrics. Each face is also a cairo font face, which cairo embeds in the PDF as a subset of the
// font. A face whose licence forbids embedding is drawn as outlines; a face with no outlines
// (bitmap strikes only) is drawn as images of its glyphs.
//
// cairo embeds a TrueType font's subset with its hinting instructions, which paper has no use
// for and which make up half of many fonts' glyph data. A face is therefore embedded from a copy
// of its font that holds only the glyphs drawn with it so far, without hinting, glyph numbers
// kept (HarfBuzz's subsetter); drawing a glyph the copy lacks makes a new copy. A font that
// cannot be copied so (not OpenType, or refused by the subsetter) is embedded as it is.
class PrintFaces
{
    struct Chosen;

public:
    enum class Printed { Embedded, Outlines, Bitmaps, LeftOut };

    struct Face
    {
        OpenFace *open = nullptr; // sized, for shaping and metrics; null when left out
        cairo_font_face_t *cairo = nullptr; // the font itself; null for bitmaps
        Printed printed = Printed::LeftOut;
        bool oblique = false; // an upright face slanted for italic
        Chosen *style = nullptr;
    };

    explicit PrintFaces(const FontCatalog &catalog);
    ~PrintFaces();
    PrintFaces(const PrintFaces &) = delete;
    PrintFaces &operator=(const PrintFaces &) = delete;

    // font at pixelSize; open is valid until the next call. A font that cannot print counts
    // among the families left out, unless it is only lending characters.
    Face face(const PrintFont &font, double pixelSize, bool lending = false);

    // The cairo face that embeds these glyphs of face: the current copy of its font when it has
    // them all, else a new one.
    cairo_font_face_t *embedding(const Face &face, const QList<unsigned> &glyphs);

    // The family that draws a character font's family lacks, for a font that may borrow; empty
    // when none has it.
    QString lender(char32_t character, const PrintFont &font);

    // A cairo face that could not be drawn with after all (its font broke in cairo's hands):
    // its family is left out from now on.
    void leaveOut(const PrintFont &font);

    // The families whose text was asked for and could not be printed.
    const QSet<QString> &familiesLeftOut() const { return m_leftOut; }

private:
    struct Chosen
    {
        FontFace face;
        bool embolden = false;
        bool oblique = false;
        bool found = false;
        bool broken = false;
        cairo_font_face_t *cairo = nullptr;
        // The copy of the font cairo embeds, and the glyphs it holds; null before the first
        // glyph is drawn, or when the font cannot be copied.
        cairo_font_face_t *copy = nullptr;
        QSet<unsigned> copied;
        bool uncopiable = false;
    };

    // The face for font, chosen at its first use; a family of bitmap faces of one size each
    // takes the one nearest pixelSize (the largest, on paper).
    Chosen &chosen(const PrintFont &font, double pixelSize = 0);
    // A cairo face over a font file, the face at index of it.
    static cairo_font_face_t *cairoFace(const QByteArray &file, int index, bool embolden);
    // The font's copy with these glyphs, without hinting, added to the job's collection of
    // copies: its place there, or an empty file name when it cannot be made.
    std::pair<QByteArray, int> copyFont(const FontFace &face, const QSet<unsigned> &glyphs);

    const FontCatalog &m_catalog;
    FaceCache m_faces;
    std::map<QString, Chosen> m_chosen; // by family and style; kept where they are
    std::vector<std::unique_ptr<FontCollectionFile>> m_copies; // the last one is filled
    std::vector<cairo_font_face_t *> m_retired; // copies replaced by larger ones

    QSet<QString> m_leftOut;
    QHash<QPair<char32_t, QString>, QString> m_lenders;
};
