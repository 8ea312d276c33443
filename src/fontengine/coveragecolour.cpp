// A rendered line's coverage turned into colours and painted: the drawing half of LineRenderer.
#include "linerenderer.h"

#include <QPainter>

#include <array>

void LineRenderer::draw(QPainter &painter, QPointF penStart, const RenderedLine &line,
                        const QColor &text, const QColor &background, qreal devicePixelRatio)
{
    if (line.coverage.isNull())
        return;
    QImage ink = colour(line.coverage, text.rgb(), background.rgb());
    ink.setDevicePixelRatio(devicePixelRatio);
    const QPointF topLeft = penStart - QPointF(line.origin) / devicePixelRatio;
    painter.drawImage(topLeft, ink);
    if (!line.colourInk.isNull()) {
        QImage colourInk = line.colourInk;
        colourInk.setDevicePixelRatio(devicePixelRatio);
        painter.drawImage(topLeft, colourInk);
    }
}

QImage LineRenderer::colour(const QImage &coverage, QRgb pen, QRgb under)
{
    QImage ink(coverage.size(), QImage::Format_ARGB32_Premultiplied);
    if (coverage.format() == QImage::Format_Alpha8) {
        // The text colour at each coverage, premultiplied: blended over whatever is there.
        std::array<QRgb, 256> shades;
        for (int a = 0; a < 256; ++a)
            shades[size_t(a)]
                = qRgba(qRed(pen) * a / 255, qGreen(pen) * a / 255, qBlue(pen) * a / 255, a);
        for (int y = 0; y < coverage.height(); ++y) {
            const uchar *in = coverage.constScanLine(y);
            auto *out = reinterpret_cast<QRgb *>(ink.scanLine(y));
            for (int x = 0; x < coverage.width(); ++x)
                out[x] = shades[in[x]];
        }
        return ink;
    }
    // Each sub-pixel blends the text colour with the background by its own coverage.
    const auto mix = [](int from, int to, int amount) {
        return from + (to - from) * amount / 255;
    };
    for (int y = 0; y < coverage.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(coverage.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(ink.scanLine(y));
        for (int x = 0; x < coverage.width(); ++x) {
            const QRgb c = in[x];
            out[x] = (c & 0xffffff) == 0 ? 0
                                         : qRgb(mix(qRed(under), qRed(pen), qRed(c)),
                                                mix(qGreen(under), qGreen(pen), qGreen(c)),
                                                mix(qBlue(under), qBlue(pen), qBlue(c)));
        }
    }
    return ink;
}
