#pragma once

#include "colorref.h"

// The display state shared by the font list, the Text page and the bottom panel's controls.
// Module-level, as the window's handlers read and write it directly; all zero when the program
// loads.
namespace Enmain {

inline bool AttrGras = false; // bold
inline bool AttrItal = false; // italic
inline bool AttrSoul = false; // underline
inline qint32 Taille = 0; // sample size, points
inline ColorRef CouleurTexte = 0;
inline ColorRef CouleurFond = 0;
inline qint32 LargeurNoms = 0; // name column width in pixels; 0: still to be measured

// Back to the state of a program just loaded (for tests that build several windows).
inline void resetDisplayState()
{
    AttrGras = AttrItal = AttrSoul = false;
    Taille = 0;
    CouleurTexte = CouleurFond = 0;
    LargeurNoms = 0;
}

// The fixed height of every line of the font list for a sample size. In 64 bits: a stored size
// near the limits of 32 bits must not overflow.
constexpr qint64 lineHeightFor(qint32 taille)
{
    return qint64(taille) + taille / 2 + 4;
}

} // namespace Enmain
