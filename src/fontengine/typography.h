#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The OpenType settings every line is drawn with, beyond its family, size and attributes:
// features switched on or off, variation axes set, the text's language for shaping, and letter
// spacing. Nothing set: each font draws as it does by default.
struct Typography
{
    static constexpr int MinimumSpacing = -100; // thousandths of an em
    static constexpr int MaximumSpacing = 500;

    // A feature's tag ("smcp") to on or off; a tag absent keeps the font's default.
    QMap<QByteArray, bool> features;
    // An axis's tag ("wght") to its value in the axis's own units, clamped to each font's range;
    // a tag absent keeps the font's default, and the optical size follows the point size.
    QMap<QByteArray, double> axes;
    QString language; // fontconfig's code ("tr", "sr"), for the shaping; empty: none given
    int letterSpacing = 0; // thousandths of an em, added after each character

    bool isDefault() const
    {
        return features.isEmpty() && axes.isEmpty() && language.isEmpty() && letterSpacing == 0;
    }
    bool operator==(const Typography &) const = default;

    // Whether tag is an OpenType tag: four characters from the space to the tilde.
    static bool isValidTag(const QByteArray &tag)
    {
        if (tag.size() != 4)
            return false;
        for (const char c : tag) {
            if (c < ' ' || c > '~')
                return false;
        }
        return true;
    }
};
