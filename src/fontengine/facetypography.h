#pragma once

#include "typography.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

typedef struct hb_face_t hb_face_t;

// One axis a variable face varies along, in the axis's own units.
struct VariationAxis
{
    QByteArray tag;
    double minimum = 0;
    double defaultValue = 0;
    double maximum = 0;
    QString name; // as the font names it ("Weight"); empty when it does not
    bool operator==(const VariationAxis &) const = default;
};

// What one face offers a line's typography: the features its layout tables name, and the axes
// it varies along.
struct FaceTypography
{
    QList<QByteArray> features; // sorted, each once
    QList<VariationAxis> axes; // in the font's order, which its coordinates follow

    // Read from face's GSUB and GPOS feature lists ('kern' for a kerning table too) and its
    // fvar axes; variable: whether the rasteriser accepted those axes (none when it did not).
    static FaceTypography of(hb_face_t *face, bool variable);
};

// The features and axes set in typography that face lacks, features first, each in tag order.
// A feature set off counts as well as one set on: either way the face draws as without it.
QList<QByteArray> lackingTags(const Typography &typography, const FaceTypography &face);

// The design coordinate of each of axes (one for each, in their order) for typography at that
// optical size in points: a value set, clamped to the axis's range; the optical size, clamped,
// for an 'opsz' axis not set; otherwise the coordinate the face was opened at (opened: a named
// instance's, or the axes' defaults when empty). An optical size of 0 leaves 'opsz' as opened.
QList<double> axisCoordinates(const Typography &typography, const QList<VariationAxis> &axes,
                              const QList<double> &opened, double opticalSize);
