#pragma once

#include "typography.h"

// What changes how a line's text is drawn, beyond its family and text.
struct LineStyle
{
    double pixelSize = 16;
    // The size in points the line stands for, which a variable font's optical size follows once
    // a typography is set; 0: the pixel size at the screen's 96 dots per inch.
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // A face of the family by its place in FontCatalog::faces(), drawn as it is (nothing made
    // up), instead of the face chosen for bold and italic; -1: the face chosen.
    int face = -1;
    Typography typography;
    bool operator==(const LineStyle &) const = default;

    double opticalSize() const { return points > 0 ? points : pixelSize * 72 / 96; }
};
