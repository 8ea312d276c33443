#pragma once

#include <QString>

class FacePatterns;

// The faces of one font file as fontconfig reads them for its own lists: one record per face of
// a collection and per named instance of a variable font, beside the variable font's own.
namespace FontFileFaces {

enum class Outcome { Read, NotAFont, Missing };

// Appends the file's faces to faces.
Outcome read(const QString &file, FacePatterns &faces);

} // namespace FontFileFaces
