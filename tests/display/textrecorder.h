#pragma once

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QTextItem>

#include <memory>
#include <vector>

// A paint device that records where text is drawn, in which font, and where images are drawn,
// instead of drawing them: the tests read back the exact positions a delegate chose.
class TextRecorder : public QPaintDevice
{
public:
    struct DrawnText
    {
        QPointF baseline;
        QString text;
        QFont font;
    };

    struct DrawnImage
    {
        QPointF topLeft;
        QImage image;
    };

    TextRecorder();
    ~TextRecorder() override;

    const std::vector<DrawnText> &texts() const { return m_texts; }
    const std::vector<DrawnImage> &images() const { return m_images; }
    QPaintEngine *paintEngine() const override { return m_engine.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    std::vector<DrawnText> m_texts;
    std::vector<DrawnImage> m_images;
    std::unique_ptr<QPaintEngine> m_engine;
};

class TextRecorder::Engine : public QPaintEngine
{
public:
    Engine(std::vector<DrawnText> &texts, std::vector<DrawnImage> &images)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_texts(texts)
        , m_images(images)
    {
    }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override { }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawPath(const QPainterPath &) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawRects(const QRectF *, int) override { }
    void drawLines(const QLineF *, int) override { }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QPointF origin = painter()->transform().map(p);
        m_texts.push_back({origin, item.text(), item.font()});
    }
    void drawImage(const QRectF &rect, const QImage &image, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        m_images.push_back({painter()->transform().map(rect.topLeft()), image});
    }
    Type type() const override { return QPaintEngine::User; }

private:
    std::vector<DrawnText> &m_texts;
    std::vector<DrawnImage> &m_images;
};

inline TextRecorder::TextRecorder()
    : m_engine(std::make_unique<Engine>(m_texts, m_images))
{
}

inline TextRecorder::~TextRecorder() = default;

inline int TextRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
    case PdmHeight:
        return 1000;
    case PdmWidthMM:
    case PdmHeightMM:
        return 264;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return 0;
    }
}
