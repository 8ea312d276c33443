#pragma once

#include <QtGlobal>

class PrintCanvas;
class QSize;
struct PrintFont;
class QString;

// Text written line by line onto printed pages. Each piece is drawn at once after the previous
// one of its line, all pieces of a line sharing its top; what does not fit the page's width
// breaks at any character and goes on at the left edge; a page is full once the next line could
// not fit below the last, judged by that line's height.
class PrinterTextStream
{
public:
    explicit PrinterTextStream(PrintCanvas &canvas);

    // Starts the job; false (and nothing started) when the device cannot start a document.
    bool open();
    // Ends the job; false when the device could not finish it. Does nothing (and says true) when
    // the job was not started or has already ended.
    bool close();
    bool isOpen() const { return m_open; }

    // The font of the pieces written next.
    void setFont(const PrintFont &font);

    // Draws a piece without ending the line.
    void write(const QString &text);
    void endLine();
    // The next piece of this line starts at x, unless the line has already passed it or x lies
    // beyond the page: lines up columns whatever the widths of what came before.
    void moveTo(int x);
    // A text's width in the current font.
    int width(const QString &text) const;
    void writeLine(const QString &text)
    {
        write(text);
        endLine();
    }

    // The position of the next piece and the current line's height, in device pixels.
    int x() const { return m_x; }
    int y() const { return m_y; }
    int lineHeight() const { return m_h; }

private:
    // How much of a piece to draw on this line (in UTF-16 units, whole characters), and its size.
    qsizetype fittingLength(const QString &piece, QSize &size) const;
    void draw(const QString &run);

    PrintCanvas &m_canvas;
    int m_x = 0;
    int m_y = 0;
    int m_h = 0;
    bool m_open = false;
    // The last line filled its page: the next page starts at the next drawing, so that a job
    // ending there leaves no blank sheet behind.
    bool m_pageBreakDue = false;
};
