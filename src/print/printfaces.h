#pragma once

#include "fontcatalog.h"
#include "openface.h"
#include "printfont.h"

#include <QHash>
#include <QSet>

typedef struct _cairo_font_face cairo_font_face_t;

// The faces a print job draws with, found as the font list finds them: the family's faces from
// fontconfig, the one the list would choose for the style, shaped with HarfBuzz at design
// metrics. Each face is also a cairo font face, which cairo embeds in the PDF as a subset of the
// font. A face whose licence forbids embedding is drawn as outlines; a face with no outlines
// (bitmap strikes only) cannot be printed as vectors and is left out.
class PrintFaces
{
public:
    enum class Printed { Embedded, Outlines, LeftOut };

    struct Face
    {
        OpenFace *open = nullptr; // sized, for shaping and metrics; null when left out
        cairo_font_face_t *cairo = nullptr;
        Printed printed = Printed::LeftOut;
        bool oblique = false; // an upright face slanted for italic
    };

    explicit PrintFaces(const FontCatalog &catalog);
    ~PrintFaces();
    PrintFaces(const PrintFaces &) = delete;
    PrintFaces &operator=(const PrintFaces &) = delete;

    // font at pixelSize; open is valid until the next call.
    Face face(const PrintFont &font, double pixelSize);

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
    };

    Chosen &chosen(const PrintFont &font);

    const FontCatalog &m_catalog;
    FaceCache m_faces;
    QHash<QString, Chosen> m_chosen; // by family and style
    QSet<QString> m_leftOut;
    QHash<QPair<char32_t, QString>, QString> m_lenders;
};
