#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

class QByteArray;

// Opens a face of a font file by reading it, where FreeType would map the file into memory: a file
// cut short while its face is open (a font rewritten in place, an opened file replaced) then makes
// the face's reads fail, or keeps the bytes read, where the mapping would end the program with a
// bus error. Anything but a regular file (a pipe, a device) is refused rather than waited on.
FT_Error openFaceFromFile(FT_Library library, const QByteArray &file, FT_Long index, FT_Face *face);
