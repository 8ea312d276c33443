#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>

class FontCatalog;
struct _FcPattern;

// The faces the list's lines draw a family in, one per bold and italic, as fontconfig would
// choose them, looked up once per family; whether the family has a bold and an italic face of its
// own (rather than one made up), and a variable font. Only fontconfig's records are read.
class LineFaces
{
public:
    explicit LineFaces(const FontCatalog &catalog);

    const FontCatalog &catalog() const { return m_catalog; }

    // The lines' size in device pixels: a family of bitmap faces of one size each is drawn from
    // the one nearest it, whose characters and languages differ. Only such families are looked
    // up again when it changes.
    void setPixelSize(double pixelSize);

    // fontconfig's record of the face, owned by the catalogue's configuration; null when the
    // family has no face.
    _FcPattern *face(const QString &family, bool bold, bool italic) const;
    bool hasRealBold(const QString &family) const;
    bool hasRealItalic(const QString &family) const;
    bool hasVariableFont(const QString &family) const;
    // What fontconfig says of the face: fixed pitch (character cells included), colour glyphs.
    struct Kind
    {
        bool monospaced = false;
        bool colour = false;
    };
    Kind kind(const QString &family, bool bold, bool italic) const;
    // The file and index of that face, as fontconfig lists it; an empty file when it has none.
    std::pair<QByteArray, int> faceFile(const QString &family, bool bold, bool italic) const;
    // Looks the family up now, so that a later question costs a hash lookup.
    void prepare(const QString &family) const { this->family(family); }

private:
    struct Style
    {
        _FcPattern *face = nullptr;
        bool madeUp = false; // emboldened or slanted to draw the style asked for
        Kind kind;
        QByteArray file; // fontconfig's string, valid while the catalogue lives
        int index = 0;
    };
    struct Family
    {
        std::array<Style, 4> styles; // by bold * 2 + italic
        bool variable = false;
        bool strikes = false; // bitmap faces of one size each: the choice follows the size
    };
    // The family's faces are listed once for all four styles: listing them is what costs.
    const Family &family(const QString &name) const;
    const Style &style(const QString &name, bool bold, bool italic) const
    {
        return family(name).styles[size_t(int(bold) * 2 + int(italic))];
    }

    const FontCatalog &m_catalog;
    double m_pixelSize = 0;
    mutable QHash<QString, Family> m_families;
};
