#pragma once

#include <QHash>
#include <QString>

#include <array>

class FontCatalog;
struct _FcPattern;

// The faces the list's lines draw a family in, one per bold and italic, as fontconfig would
// choose them, looked up once per family and style; and whether the family has a bold and an
// italic face of its own (rather than one made up). Only fontconfig's records are read.
class LineFaces
{
public:
    explicit LineFaces(const FontCatalog &catalog);

    const FontCatalog &catalog() const { return m_catalog; }

    // fontconfig's record of the face, owned by the catalogue's configuration; null when the
    // family has no face.
    _FcPattern *face(const QString &family, bool bold, bool italic) const;
    bool hasRealBold(const QString &family) const;
    bool hasRealItalic(const QString &family) const;

private:
    struct Style
    {
        _FcPattern *face = nullptr;
        bool madeUp = false; // emboldened or slanted to draw the style asked for
        bool known = false;
    };
    const Style &style(const QString &family, bool bold, bool italic) const;

    const FontCatalog &m_catalog;
    mutable QHash<QString, std::array<Style, 4>> m_families; // by bold * 2 + italic
};
