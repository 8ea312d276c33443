#include "printertextstream.h"

#include "printcanvas.h"

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

void PrinterTextStream::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_canvas.end();
}

void PrinterTextStream::setFont(const QFont &font)
{
    m_canvas.setFont(font);
}

qsizetype PrinterTextStream::fittingLength(const QString &piece, QSize &size) const
{
    const int room = m_canvas.pageWidth() - m_x;
    size = m_canvas.measure(piece);
    if (size.width() <= room)
        return piece.size();

    // Characters dropped from the end one at a time; a character is never split (a surrogate
    // pair, a letter and its accents).
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, piece);
    characters.toEnd();
    qsizetype kept = piece.size();
    while (kept > 0) {
        kept = std::max<qsizetype>(characters.toPreviousBoundary(), 0);
        size = m_canvas.measure(piece.first(kept));
        if (size.width() <= room)
            break;
    }
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
