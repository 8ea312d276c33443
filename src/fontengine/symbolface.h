#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

// What makes a face a symbol font, for the engine that draws it and the filter that finds it.
namespace SymbolFace {

// The face's character map in a symbol encoding (Adobe's custom one of a Type 1 or CFF font,
// Microsoft's symbol one), through which its glyphs are reached; null when it has none.
FT_CharMap symbolCharmap(FT_Face face);

// A symbol font: it has a symbol character map, or its OS/2 class says it is symbolic, or more
// than half of its characters are symbols or private-use icons.
bool isSymbolFont(FT_Face face);

} // namespace SymbolFace
