#pragma once

#include "printfont.h"

#include <QSize>

class QString;

// Where the printer text stream draws: pages of a fixed size in device pixels, with text drawn
// and measured in a current font. The printer is one such canvas; tests record on another.
class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    // Starts the document and its first page; false when the device cannot start one.
    virtual bool begin() = 0;
    // Ends the current page and the document; false when the device could not finish it.
    virtual bool end() = 0;
    virtual void newPage() = 0;

    // The printable area's size; (0, 0) is its top-left corner.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    virtual void setFont(const PrintFont &font) = 0;
    // The current font's full character height.
    virtual int fontHeight() const = 0;
    // A run's width in the current font, and its height (the font's, whatever the characters).
    virtual QSize measure(const QString &run) const = 0;
    // Draws a run with the top-left corner of its line at (x, y).
    virtual void draw(int x, int y, const QString &run) = 0;
};
