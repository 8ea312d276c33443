#pragma once

#include <QString>

// A font the catalogue asks a print canvas for: an installed family (as the font list names it),
// a size in points, and the style asked of it.
struct PrintFont
{
    QString family;
    int points = 10;
    bool bold = false;
    bool italic = false;
    // Characters the family lacks may be drawn from another font, as the toolkit would (the
    // header, the names); a sample never borrows.
    bool borrowing = false;
    bool operator==(const PrintFont &) const = default;
};
