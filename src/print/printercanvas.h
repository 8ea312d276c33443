#pragma once

#include "printcanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <optional>

class QPrinter;

// The printer as a canvas: a painter on it, font sizes in points at the printer's resolution,
// positions in its device pixels from the printable area's top-left corner.
class PrinterCanvas : public PrintCanvas
{
public:
    explicit PrinterCanvas(QPrinter &printer);
    ~PrinterCanvas() override;

    bool begin() override;
    bool end() override;
    void newPage() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void setFont(const QFont &font) override;
    int fontHeight() const override;
    QSize measure(const QString &run) const override;
    void draw(int x, int y, const QString &run) override;

private:
    QPrinter &m_printer;
    QPainter m_painter;
    // The current font's metrics on the printer, worked out once per font.
    std::optional<QFontMetrics> m_metrics;
};
