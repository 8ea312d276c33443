#pragma once

#include "fontlanguages.h"

#include <QHash>
#include <QString>

#include <vector>

class LineFaces;
struct _FcLangSet;
struct _FcPattern;

// What the filters test of a family besides its name, from fontconfig's records only: the
// languages and the kind of the face a line draws it in, and whether the family has a variable
// font and faces of its own for bold and italic.
class FamilyTraits
{
public:
    enum Property : unsigned {
        Monospaced = 1, // the face on the line
        Variable = 2, // any font of the family
        Colour = 4, // the face on the line has colour glyphs
        // The face on the line is a symbol font: its file tells (SymbolFace), not fontconfig,
        // so properties() never gives it; the font index answers.
        Symbol = 8,
        RealBold = 16, // the family has a bold face, not a made-up one
        RealItalic = 32, // the family has an italic face, not a slanted one
    };

    explicit FamilyTraits(const LineFaces &faces);

    unsigned properties(const QString &family, bool bold, bool italic) const;

    // The languages fontconfig says the face on the line supports; none for a family without one.
    const FontLanguages::Set &languages(const QString &family, bool bold, bool italic) const;

private:
    const LineFaces &m_faces;
    // Faces share language sets (every face of a family, every Latin font alike): each distinct
    // set is worked out once.
    mutable QHash<_FcPattern *, int> m_setOfFace;
    mutable QMultiHash<unsigned, int> m_setsByHash;
    mutable std::vector<FontLanguages::Set> m_sets;
    mutable std::vector<const _FcLangSet *> m_fontconfigSets; // each set as fontconfig holds it
};
