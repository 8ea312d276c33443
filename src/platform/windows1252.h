#pragma once

#include <QByteArray>
#include <QString>

// Text where bytes meet the program: files copied from Windows and characters built from byte
// codes are Windows-1252.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// The text as Windows-1252 bytes; a character outside Windows-1252 becomes a numeric character
// reference, "&#N;" with its code point in decimal, so that an HTML page loses nothing.
QByteArray encodeWithReferences(QStringView text);

// The characters of the byte codes first..last, in increasing order.
QString charactersOfCodes(int first, int last);

} // namespace Windows1252
