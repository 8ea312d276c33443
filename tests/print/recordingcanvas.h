#pragma once

#include "printcanvas.h"

#include <QString>

#include <vector>

// A canvas that records what is drawn where. On its own it has simple metrics: each UTF-16 unit
// of text is as wide as its font's point size, and a font is twice its point size high. Over
// another canvas it takes that one's metrics and draws on it too, in a page of its own size.
class RecordingCanvas : public PrintCanvas
{
public:
    struct Drawn
    {
        int page;
        int x;
        int y;
        QString text;
        PrintFont font;
    };

    explicit RecordingCanvas(PrintCanvas *over = nullptr)
        : m_over(over)
    {
    }

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
        const bool started = starts && (!m_over || m_over->begin());
        if (started)
            pages = 1;
        return started;
    }
    bool end() override
    {
        ++ended;
        return !m_over || m_over->end();
    }
    void newPage() override
    {
        ++pages;
        if (m_over)
            m_over->newPage();
    }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void setFont(const PrintFont &font) override
    {
        m_font = font;
        if (m_over)
            m_over->setFont(font);
    }
    int fontHeight() const override { return m_over ? m_over->fontHeight() : 2 * m_font.points; }
    QSize measure(const QString &run) const override
    {
        measuredCharacters += run.size();
        if (m_over)
            return m_over->measure(run);
        return {int(run.size()) * m_font.points, fontHeight()};
    }
    void draw(int x, int y, const QString &run) override
    {
        drawn.push_back({pages, x, y, run, m_font});
        if (m_over)
            m_over->draw(x, y, run);
    }

    // How much text was measured in all: what wrapping costs.
    mutable qint64 measuredCharacters = 0;

private:
    PrintCanvas *m_over;
    PrintFont m_font;
};
