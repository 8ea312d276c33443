#pragma once

#include "fontcatalog.h"

#include <QList>

// The face of a family that draws a request for bold and italic, as fontconfig chooses it: the
// nearest slant first, then the nearest weight, then the nearest width, then, among bitmap faces
// of one size each (X11's fonts), the one nearest the pixel size asked for, as the toolkit picks
// a strike; the first face listed on a tie. A pixel size of 0 leaves the strikes unweighed. What
// the face lacks is made up, as fontconfig's rules ask: emboldened when bold is asked of a face no
// heavier than medium, slanted when italic is asked of an upright face.
struct FaceChoice
{
    qsizetype face = -1; // index in the family's faces; -1 when it has none
    bool embolden = false;
    bool oblique = false;
};

FaceChoice chooseFace(const QList<FontFace> &faces, bool bold, bool italic, double pixelSize = 0);
