#pragma once

#include "fontindex.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>

// What the families shown offer to set: each OpenType feature with how many of them have it, and
// each variation axis over the union of their ranges. Counted from what the font index has read
// of their faces, so a family not read yet offers nothing.
struct TypographyInventory
{
    struct Axis
    {
        double minimum = 0;
        double defaultValue = 0; // the first family's that has the axis
        double maximum = 0;
        bool operator==(const Axis &) const = default;
    };
    QMap<QByteArray, int> features; // tag to the number of families that have it
    QMap<QByteArray, Axis> axes;

    // The faces of a family the index has read, each with its features and axes.
    using FacesOf = std::function<QList<FontIndex::LayoutTags>(const QString &family)>;
    // A family counts once for a feature, however many of its faces have it.
    static TypographyInventory count(const QStringList &families, const FacesOf &facesOf);

    bool operator==(const TypographyInventory &) const = default;
};
