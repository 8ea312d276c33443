#pragma once

#include "printcanvas.h"

#include <QFont>
#include <QString>

#include <vector>

// A canvas with simple metrics that records what is drawn where: each UTF-16 unit of text is as
// wide as its font's point size, and a font is twice its point size high.
class RecordingCanvas : public PrintCanvas
{
public:
    struct Drawn
    {
        int page;
        int x;
        int y;
        QString text;
        QFont font;
    };

    int width = 1000;
    int height = 1000;
    bool starts = true; // whether begin() succeeds

    std::vector<Drawn> drawn;
    int pages = 0;
    int begun = 0;
    int ended = 0;

    bool begin() override
    {
        ++begun;
        if (starts)
            pages = 1;
        return starts;
    }
    bool end() override
    {
        ++ended;
        return true;
    }
    void newPage() override { ++pages; }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void setFont(const QFont &font) override { m_font = font; }
    int fontHeight() const override { return 2 * m_font.pointSize(); }
    QSize measure(const QString &run) const override
    {
        measuredCharacters += run.size();
        return {int(run.size()) * m_font.pointSize(), fontHeight()};
    }
    void draw(int x, int y, const QString &run) override
    {
        drawn.push_back({pages, x, y, run, m_font});
    }

    // How much text was measured in all: what wrapping costs.
    mutable qint64 measuredCharacters = 0;

private:
    QFont m_font;
};

// A font of the recording canvas, by its point size.
inline QFont sized(int points)
{
    QFont font;
    font.setPointSize(points);
    return font;
}
