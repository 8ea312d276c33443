#pragma once

#include <QByteArray>
#include <QString>

// Text where bytes meet the program: files copied from Windows and characters built from byte
// codes are Windows-1252.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// The characters of the byte codes first..last, in increasing order.
QString charactersOfCodes(int first, int last);

} // namespace Windows1252
