#include "pdfcanvas.h"

#include "f26dot6.h"
#include "textruns.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <hb.h>

#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <cmath>
#include <vector>

namespace {

// Upright glyphs slanted for italic as far as FreeType slants them for the screen.
constexpr double ObliqueSlant = 0.2;

// Adds a timer's time to a figure when it goes out of scope.
class Timed
{
public:
    explicit Timed(qint64 &total)
        : m_total(total)
    {
        m_timer.start();
    }
    ~Timed() { m_total += m_timer.nsecsElapsed(); }
    Timed(const Timed &) = delete;
    Timed &operator=(const Timed &) = delete;

private:
    qint64 &m_total;
    QElapsedTimer m_timer;
};

// text in UTF-8, and where each of its UTF-16 units starts in it (one more for the end). A
// lone surrogate is written as U+FFFD, as the PDF's text must be valid UTF-8.
QByteArray utf8WithOffsets(QStringView text, std::vector<int> &offsets)
{
    QByteArray utf8;
    utf8.reserve(text.size() * 2);
    offsets.assign(size_t(text.size()) + 1, 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        offsets[size_t(i)] = int(utf8.size());
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
            offsets[size_t(i)] = int(utf8.size());
        } else if (QChar::isSurrogate(c)) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            utf8 += char(c);
        } else if (c < 0x800) {
            utf8 += char(0xC0 | (c >> 6));
            utf8 += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += char(0xE0 | (c >> 12));
            utf8 += char(0x80 | ((c >> 6) & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        } else {
            utf8 += char(0xF0 | (c >> 18));
            utf8 += char(0x80 | ((c >> 12) & 0x3F));
            utf8 += char(0x80 | ((c >> 6) & 0x3F));
            utf8 += char(0x80 | (c & 0x3F));
        }
    }
    offsets.back() = int(utf8.size());
    return utf8;
}

} // namespace

// A text shaped: its width, and for drawing, its runs' glyphs (from the pen's start on the
// baseline, in device pixels) with the stretch of UTF-8 text each cluster of glyphs stands for.
struct PdfCanvas::Shaped
{
    struct Run
    {
        PrintFaces::Face face;
        QByteArray utf8;
        std::vector<cairo_glyph_t> glyphs;
        std::vector<cairo_text_cluster_t> clusters;
        bool backward = false; // right to left: clusters map glyphs from the last one
    };
    std::vector<Run> runs;
    FT_Pos width = 0; // 26.6
};

namespace {

// The clusters of a run's glyphs as cairo takes them, in the text's order; glyphs whose
// clusters HarfBuzz gives out of order all stand for the whole run.
std::vector<cairo_text_cluster_t> clustersOf(const hb_glyph_info_t *infos, unsigned count,
                                             bool backward, qsizetype start, qsizetype end,
                                             const std::vector<int> &offsets)
{
    std::vector<cairo_text_cluster_t> clusters;
    std::vector<std::pair<qsizetype, int>> groups; // text start, glyphs
    for (unsigned k = 0; k < count; ++k) {
        const hb_glyph_info_t &info = infos[backward ? count - 1 - k : k];
        if (!groups.empty() && qsizetype(info.cluster) == groups.back().first)
            ++groups.back().second;
        else
            groups.emplace_back(qsizetype(info.cluster), 1);
    }
    if (!groups.empty())
        groups.front().first = start;
    for (size_t g = 0; g < groups.size(); ++g) {
        const qsizetype to = g + 1 < groups.size() ? groups[g + 1].first : end;
        if (to <= groups[g].first || to > end)
            return {{offsets[size_t(end)] - offsets[size_t(start)], int(count)}};
        clusters.push_back(
            {offsets[size_t(to)] - offsets[size_t(groups[g].first)], groups[g].second});
    }
    return clusters;
}

} // namespace

PdfCanvas::PdfCanvas(const QString &path, const Paper &paper, const FontCatalog &catalog)
    : m_path(path)
    , m_paper(paper)
    , m_faces(catalog)
{
}

PdfCanvas::~PdfCanvas()
{
    discard();
}

void PdfCanvas::discard()
{
    if (m_cr)
        cairo_destroy(m_cr);
    if (m_surface)
        cairo_surface_destroy(m_surface);
    m_cr = nullptr;
    m_surface = nullptr;
}

bool PdfCanvas::begin()
{
    discard();
    if (m_path.isEmpty())
        return false;
    m_surface = cairo_pdf_surface_create(QFile::encodeName(m_path).constData(),
                                         m_paper.size.width(), m_paper.size.height());
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        discard();
        return false;
    }
    if (!m_title.isEmpty())
        cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_TITLE,
                                       m_title.toUtf8().constData());
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, "Glyphor");
    m_cr = cairo_create(m_surface);
    setUpContext();
    return cairo_status(m_cr) == CAIRO_STATUS_SUCCESS;
}

void PdfCanvas::setUpContext()
{
    cairo_translate(m_cr, m_paper.printable.left(), m_paper.printable.top());
    cairo_scale(m_cr, 72.0 / Resolution, 72.0 / Resolution);
    // Paper is white: black text, whatever colours the desktop's theme gives its windows.
    cairo_set_source_rgb(m_cr, 0, 0, 0);
}

bool PdfCanvas::end()
{
    if (!m_surface)
        return false;
    cairo_destroy(m_cr);
    m_cr = nullptr;
    {
        // The fonts' subsets are made and written as the document closes.
        const Timed timed(m_timings.subsetting);
        cairo_surface_finish(m_surface);
    }
    const bool written = cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS;
    discard();
    return written;
}

void PdfCanvas::newPage()
{
    if (!m_cr)
        return;
    const Timed timed(m_timings.drawing);
    cairo_show_page(m_cr);
}

int PdfCanvas::pageWidth() const
{
    return int(std::floor(m_paper.printable.width() * Resolution / 72));
}

int PdfCanvas::pageHeight() const
{
    return int(std::floor(m_paper.printable.height() * Resolution / 72));
}

void PdfCanvas::setFont(const PrintFont &font)
{
    const Timed timed(m_timings.faceOpening);
    m_font = font;
    m_pixelSize = int(std::lround(std::max(1, font.points) * double(Resolution) / 72));
    m_face = m_faces.face(font, m_pixelSize);
}

int PdfCanvas::fontHeight() const
{
    if (!m_face.open)
        return 0;
    return int(std::lround(m_face.open->ascent + m_face.open->descent));
}

QSize PdfCanvas::measure(const QString &run) const
{
    if (!m_face.open)
        return {};
    return {int(F26Dot6::roundToPixels(shape(run, false).width)), fontHeight()};
}

std::vector<PdfCanvas::Segment> PdfCanvas::segments(const QString &text) const
{
    if (!m_font.borrowing)
        return {{0, text.size(), m_face, {}}};
    std::vector<Segment> segments;
    QString lender;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype start = i;
        char32_t character = text[i++].unicode();
        if (QChar::isHighSurrogate(character) && i < text.size() && text[i].isLowSurrogate())
            character = QChar::surrogateToUcs4(char16_t(character), text[i++].unicode());
        hb_codepoint_t glyph = 0;
        // Marks and blanks go with what they follow.
        const bool follows = !segments.empty()
            && (QChar::isMark(character) || QChar::isSpace(character)
                || QChar::category(character) == QChar::Other_Format);
        if (!follows) {
            lender = hb_font_get_nominal_glyph(m_face.open->shaper, character, &glyph)
                ? QString()
                : m_faces.lender(character, m_font);
        }
        if (segments.empty() || (!follows && lender != segments.back().lender))
            segments.push_back({start, 0, {}, lender});
        segments.back().length = i - segments.back().start;
    }
    for (Segment &segment : segments) {
        if (segment.lender.isEmpty()) {
            segment.face = m_face;
            continue;
        }
        PrintFont borrowed = m_font;
        borrowed.family = segment.lender;
        borrowed.borrowing = false;
        segment.face = m_faces.face(borrowed, m_pixelSize, true);
        if (!segment.face.open)
            segment.face = m_face;
    }
    return segments;
}

PdfCanvas::Shaped PdfCanvas::shape(const QString &text, bool forDrawing) const
{
    Shaped shaped;
    for (const Segment &segment : segments(text))
        shapeInto(shaped, text.mid(segment.start, segment.length), segment.face, forDrawing);
    return shaped;
}

void PdfCanvas::shapeInto(Shaped &shaped, const QString &text, const PrintFaces::Face &face,
                          bool forDrawing) const
{
    const Timed timed(m_timings.shaping);
    std::vector<int> offsets;
    const QByteArray utf8 = forDrawing ? utf8WithOffsets(text, offsets) : QByteArray();
    hb_buffer_t *buffer = hb_buffer_create();
    for (const TextRun &run : visualRuns(text)) {
        shapeRun(buffer, face.open->shaper, text, run);
        unsigned count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
        Shaped::Run drawn;
        // A bitmap face is shaped at its strike's size, and drawn scaled.
        const double scale
            = face.printed == PrintFaces::Printed::Bitmaps ? face.open->bitmapScale : 1;
        for (unsigned i = 0; i < count; ++i) {
            if (forDrawing)
                drawn.glyphs.push_back(
                    {infos[i].codepoint,
                     F26Dot6::toPixels(shaped.width + FT_Pos(positions[i].x_offset * scale)),
                     -F26Dot6::toPixels(FT_Pos(positions[i].y_offset * scale))});
            shaped.width += FT_Pos(std::lround(positions[i].x_advance * scale));
        }
        if (!forDrawing || count == 0)
            continue;
        const qsizetype start = run.start;
        const qsizetype end = run.start + run.length;
        drawn.face = face;
        drawn.utf8
            = utf8.mid(offsets[size_t(start)], offsets[size_t(end)] - offsets[size_t(start)]);
        drawn.backward = run.rightToLeft();
        drawn.clusters = clustersOf(infos, count, drawn.backward, start, end, offsets);
        shaped.runs.push_back(std::move(drawn));
    }
    hb_buffer_destroy(buffer);
}

bool PdfCanvas::useFace(cairo_font_face_t *face, bool oblique)
{
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, m_pixelSize, m_pixelSize);
    if (oblique)
        fontMatrix.xy = -ObliqueSlant * m_pixelSize;
    cairo_matrix_t ctm;
    cairo_get_matrix(m_cr, &ctm);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_scaled_font_t *font = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
    cairo_font_options_destroy(options);
    const bool usable = cairo_scaled_font_status(font) == CAIRO_STATUS_SUCCESS;
    if (usable)
        cairo_set_scaled_font(m_cr, font);
    cairo_scaled_font_destroy(font);
    return usable;
}

void PdfCanvas::draw(int x, int y, const QString &run)
{
    if (!m_cr || !m_face.open)
        return;
    Shaped shaped = shape(run, true);
    // The fonts the runs are drawn in: for embedding, a copy of each face holding the glyphs of
    // all its runs; for outlines, the font.
    std::vector<cairo_font_face_t *> fonts;
    {
        const Timed copying(m_timings.subsetting);
        QHash<const void *, QList<unsigned>> glyphsOf;
        for (const Shaped::Run &glyphRun : shaped.runs) {
            for (const cairo_glyph_t &glyph : glyphRun.glyphs)
                glyphsOf[glyphRun.face.style].append(unsigned(glyph.index));
        }
        for (const Shaped::Run &glyphRun : shaped.runs) {
            switch (glyphRun.face.printed) {
            case PrintFaces::Printed::Embedded:
                fonts.push_back(m_faces.embedding(glyphRun.face, glyphsOf[glyphRun.face.style]));
                break;
            case PrintFaces::Printed::Outlines:
                fonts.push_back(glyphRun.face.cairo);
                break;
            default:
                fonts.push_back(nullptr); // images of its glyphs
                break;
            }
        }
    }
    const Timed timed(m_timings.drawing);
    const double baseline = y + m_face.open->ascent;
    bool failed = false;
    for (size_t i = 0; i < shaped.runs.size(); ++i) {
        Shaped::Run &glyphRun = shaped.runs[i];
        if (glyphRun.face.printed == PrintFaces::Printed::Bitmaps) {
            for (const cairo_glyph_t &glyph : glyphRun.glyphs)
                m_bitmaps.draw(m_cr, *glyphRun.face.open, unsigned(glyph.index), x + glyph.x,
                               baseline + glyph.y);
            continue;
        }
        const bool outlines = glyphRun.face.printed == PrintFaces::Printed::Outlines;
        // A font cairo cannot read is left out, before it can spoil the page.
        if (!useFace(fonts[i], glyphRun.face.oblique)) {
            failed = true;
            break;
        }
        for (cairo_glyph_t &glyph : glyphRun.glyphs) {
            glyph.x += x;
            glyph.y += baseline;
        }
        if (outlines) {
            // The licence forbids embedding the font: its glyphs' shapes are drawn instead.
            cairo_new_path(m_cr);
            cairo_glyph_path(m_cr, glyphRun.glyphs.data(), int(glyphRun.glyphs.size()));
            cairo_fill(m_cr);
        } else {
            cairo_show_text_glyphs(m_cr, glyphRun.utf8.constData(), int(glyphRun.utf8.size()),
                                   glyphRun.glyphs.data(), int(glyphRun.glyphs.size()),
                                   glyphRun.clusters.data(), int(glyphRun.clusters.size()),
                                   glyphRun.backward ? CAIRO_TEXT_CLUSTER_FLAG_BACKWARD
                                                     : cairo_text_cluster_flags_t(0));
        }
    }
    if (cairo_status(m_cr) != CAIRO_STATUS_SUCCESS
        && cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS) {
        // The font failed cairo while drawing: the context is lost, the document is not. The
        // following lines are drawn on a new context.
        cairo_destroy(m_cr);
        m_cr = cairo_create(m_surface);
        setUpContext();
        failed = true;
    }
    if (failed) {
        m_faces.leaveOut(m_font);
        m_face = {};
    }
}
