#pragma once

#include <QByteArray>
#include <QString>

// A TrueType or OpenType font file given another family name, for toolkits that cannot ask for
// the family by its own name (Qt 6.4 reads "Name [Text]" as a family and a foundry).
namespace FontRename {

// The font with its family names (legacy and typographic) replaced by family; every other table
// and name is kept. Empty when the data is no single-font sfnt file (a collection, a Type 1 or
// bitmap font) or is damaged.
QByteArray withFamily(const QByteArray &font, const QString &family);

} // namespace FontRename
