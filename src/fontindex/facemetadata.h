#pragma once

#include "facetypography.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// How a face says it should be classed: by its OS/2 family class, else its PANOSE family kind.
enum class FontClass : quint8 { Unclassified, Serif, SansSerif, Script, Decorative };

// What a face's file says of itself beyond fontconfig's records: its names table, OS/2 and
// PANOSE classification, embedding rights, format and OpenType layout. Strings are plain text as
// the file gives them, control characters removed and cut to a length a window can show.
struct FaceMetadata
{
    QString family;
    QString style;
    QString version;
    QString copyright;
    QString trademark;
    QString manufacturer;
    QString designer;
    QString vendorUrl;
    QString designerUrl;
    QString licence;
    QString licenceUrl;
    QString format; // "TrueType", "CFF", "Type 1"...
    quint16 embedding = 0; // OS/2 fsType
    bool hasOs2 = false;
    quint8 familyClass = 0; // OS/2 sFamilyClass, its class (high byte)
    quint8 panoseFamily = 0; // PANOSE bFamilyType
    quint8 panoseSerif = 0; // PANOSE bSerifStyle
    bool colour = false; // COLR, CBDT, sbix or SVG glyphs
    bool symbol = false; // a symbol font (SymbolFace::isSymbolFont)
    quint32 glyphs = 0;
    using Axis = VariationAxis;
    QList<Axis> axes; // a variable font's
    struct Instance
    {
        QString name; // "Bold Condensed"
        QList<double> coordinates; // one for each axis, in their order
        bool operator==(const Instance &) const = default;
    };
    QList<Instance> instances; // a variable font's named instances
    // The names the font gives its stylistic sets and character variants, by tag: "ss01" to
    // "Alternate a".
    QMap<QString, QString> featureNames;
    QStringList features; // OpenType feature tags, each once, sorted
    QStringList scripts; // OpenType script tags

    FontClass fontClass() const;
    bool operator==(const FaceMetadata &) const = default;
};

// Reads a face (its index within a collection); nullopt when FreeType cannot open it.
std::optional<FaceMetadata> readFaceMetadata(const QByteArray &file, int index);
