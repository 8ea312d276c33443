#include "printertextstream.h"

#include "printcanvas.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QTextBoundaryFinder>

PrinterTextStream::PrinterTextStream(PrintCanvas &canvas)
    : m_canvas(canvas)
{
}

bool PrinterTextStream::open()
{
    if (m_open)
        return true;
    m_x = m_y = m_h = 0;
    m_pageBreakDue = false;
    m_open = m_canvas.begin();
    return m_open;
}

bool PrinterTextStream::close()
{
    if (!m_open)
        return true;
    m_open = false;
    return m_canvas.end();
}

void PrinterTextStream::moveTo(int x)
{
    if (x > m_x && x <= m_canvas.pageWidth())
        m_x = x;
}

int PrinterTextStream::width(const QString &text) const
{
    return m_canvas.measure(text).width();
}

void PrinterTextStream::setFont(const PrintFont &font)
{
    m_canvas.setFont(font);
}

qsizetype PrinterTextStream::fittingLength(const QString &piece, QSize &size) const
{
    const int room = m_canvas.pageWidth() - m_x;
    size = m_canvas.measure(piece);
    if (size.width() <= room)
        return piece.size();

    // The longest run of whole characters that fits (a surrogate pair, a letter and its accents
    // are never split), found by halving between character boundaries: dropping one character at
    // a time would measure a line of 10,000 characters 10,000 times.
    QList<qsizetype> boundaries;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, piece);
    for (qsizetype at = characters.toNextBoundary(); at > 0; at = characters.toNextBoundary())
        boundaries.append(at);
    qsizetype kept = 0;
    QSize keptSize;
    qsizetype low = 0;
    qsizetype high = boundaries.size() - 1; // the whole piece is known not to fit
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        const QSize middleSize = m_canvas.measure(piece.first(boundaries[middle]));
        if (middleSize.width() <= room) {
            kept = boundaries[middle];
            keptSize = middleSize;
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    size = kept > 0 ? keptSize : m_canvas.measure(QString());
    if (kept == 0 && m_x == 0 && !piece.isEmpty()) {
        // Not one character fits even on an empty line: it gets the line to itself, cut at the
        // page's edge, rather than being put off to the next line for ever.
        characters.toStart();
        kept = std::max<qsizetype>(characters.toNextBoundary(), 1);
        size = m_canvas.measure(piece.first(kept));
    }
    return kept;
}

void PrinterTextStream::draw(const QString &run)
{
    if (run.isEmpty())
        return;
    if (m_pageBreakDue) {
        m_pageBreakDue = false;
        m_canvas.newPage();
    }
    m_canvas.draw(m_x, m_y, run);
}

void PrinterTextStream::write(const QString &text)
{
    QString piece = text;
    for (;;) {
        QSize size;
        const qsizetype kept = fittingLength(piece, size);
        draw(kept == piece.size() ? piece : piece.first(kept));
        if (size.height() > m_h)
            m_h = size.height() + 2;
        if (kept == piece.size()) {
            m_x += size.width();
            return;
        }
        endLine();
        piece.remove(0, kept);
    }
}

void PrinterTextStream::endLine()
{
    m_x = 0;
    const int height = m_h > 0 ? m_h : m_canvas.fontHeight();
    m_y += height;
    if (m_y > m_canvas.pageHeight() - 2 * height) {
        m_pageBreakDue = true;
        m_y = 0;
    }
    m_h = 0;
}
