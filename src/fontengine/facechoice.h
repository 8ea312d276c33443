#pragma once

#include "fontcatalog.h"

#include <QList>

// The face of a family that draws a request for bold and italic, as fontconfig chooses it: the
// nearest slant first, then the nearest weight, then the nearest width, the first face listed on a
// tie. What the face lacks is made up, as fontconfig's rules ask: emboldened when bold is asked of
// a face no heavier than medium, slanted when italic is asked of an upright face.
struct FaceChoice
{
    qsizetype face = -1; // index in the family's faces; -1 when it has none
    bool embolden = false;
    bool oblique = false;
};

FaceChoice chooseFace(const QList<FontFace> &faces, bool bold, bool italic);
