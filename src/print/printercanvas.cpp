#include "printercanvas.h"

#include <QPrinter>

PrinterCanvas::PrinterCanvas(QPrinter &printer)
    : m_printer(printer)
{
}

PrinterCanvas::~PrinterCanvas()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PrinterCanvas::begin()
{
    if (!m_painter.begin(&m_printer))
        return false;
    // Paper is white: black text, whatever colours the desktop's theme gives its windows.
    m_painter.setPen(Qt::black);
    setFont(m_painter.font());
    return true;
}

bool PrinterCanvas::end()
{
    return m_painter.end();
}

void PrinterCanvas::newPage()
{
    m_printer.newPage();
}

int PrinterCanvas::pageWidth() const
{
    return m_printer.width();
}

int PrinterCanvas::pageHeight() const
{
    return m_printer.height();
}

void PrinterCanvas::setFont(const QFont &font)
{
    m_painter.setFont(font);
    m_metrics.emplace(m_painter.fontMetrics());
}

int PrinterCanvas::fontHeight() const
{
    return m_metrics ? m_metrics->height() : 0;
}

QSize PrinterCanvas::measure(const QString &run) const
{
    if (!m_metrics)
        return {};
    return {m_metrics->horizontalAdvance(run), m_metrics->height()};
}

void PrinterCanvas::draw(int x, int y, const QString &run)
{
    m_painter.drawText(x, y + (m_metrics ? m_metrics->ascent() : 0), run);
}
