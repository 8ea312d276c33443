#pragma once

#include "bitmapglyphs.h"
#include "printcanvas.h"
#include "printfaces.h"
#include "printtimings.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

// A PDF file as a canvas, written by cairo: text shaped by HarfBuzz in the font list's own faces,
// each font embedded as a subset of its outlines along with the characters each glyph stands for,
// so that the text can be searched and copied. Positions are device pixels at Resolution from the
// printable area's top-left corner, font sizes points on paper.
class PdfCanvas : public PrintCanvas
{
public:
    static constexpr int Resolution = 1200;

    // The sheet and the part of it printed on, in points.
    struct Paper
    {
        QSizeF size;
        QRectF printable;
    };

    PdfCanvas(const QString &path, const Paper &paper,
              const FontCatalog &catalog = FontCatalog::system());
    ~PdfCanvas() override;
    PdfCanvas(const PdfCanvas &) = delete;
    PdfCanvas &operator=(const PdfCanvas &) = delete;

    // The document's title, set before begin().
    void setTitle(const QString &title) { m_title = title; }

    bool begin() override;
    bool end() override;
    void newPage() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void setFont(const PrintFont &font) override;
    int fontHeight() const override;
    QSize measure(const QString &run) const override;
    void draw(int x, int y, const QString &run) override;

    // The families some text was asked of and that could not print it: no face, no outlines, a
    // font cairo could not read.
    const QSet<QString> &familiesLeftOut() const { return m_faces.familiesLeftOut(); }
    const PrintTimings &timings() const { return m_timings; }

private:
    struct Shaped;
    // A stretch of text drawn in one face: the font's own, or one it borrows from.
    struct Segment
    {
        qsizetype start = 0;
        qsizetype length = 0;
        PrintFaces::Face face;
        QString lender; // empty: the font's own family
    };
    std::vector<Segment> segments(const QString &text) const;
    Shaped shape(const QString &text, bool forDrawing) const;
    void shapeInto(Shaped &shaped, const QString &text, const PrintFaces::Face &face,
                   bool forDrawing) const;
    // Makes the face at the current size cairo's font; false when cairo cannot read it.
    bool useFace(cairo_font_face_t *face, bool oblique);
    void setUpContext();
    void discard();

    QString m_path;
    Paper m_paper;
    QString m_title;
    cairo_surface_t *m_surface = nullptr;
    cairo_t *m_cr = nullptr;
    mutable PrintFaces m_faces; // measuring opens the faces it borrows from
    BitmapGlyphs m_bitmaps;
    PrintFont m_font;
    PrintFaces::Face m_face;
    int m_pixelSize = 0;
    mutable PrintTimings m_timings;
};
