#pragma once

// What changes how a line's text is drawn, beyond its family and text.
struct LineStyle
{
    double pixelSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // A face of the family by its place in FontCatalog::faces(), drawn as it is (nothing made
    // up), instead of the face chosen for bold and italic; -1: the face chosen.
    int face = -1;
    bool operator==(const LineStyle &) const = default;
};
