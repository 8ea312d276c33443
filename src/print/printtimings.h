#pragma once

#include <QtGlobal>

// Where a print job's time went, in nanoseconds: finding and opening faces, shaping text, drawing
// it onto pages and writing them, and subsetting: copying the glyphs drawn out of each font as it
// goes, then at the end writing each font's subset and closing the file.
struct PrintTimings
{
    qint64 faceOpening = 0;
    qint64 shaping = 0;
    qint64 drawing = 0;
    qint64 subsetting = 0;
};
