#pragma once

#include <QString>

// How stored text becomes numbers and switches, the way the settings file has always read them.
namespace ProfileValue {

// "0x"/"0X" followed by hexadecimal digits (text longer than 2 characters); otherwise leading
// blanks, then either an optional sign and decimal digits, or "$", "x" or "X" followed by at most
// 8 hexadecimal digits taken as a 32-bit pattern. Anything else, an empty text or a value outside
// the 32-bit signed range gives defaultValue.
qint32 toInt(const QString &text, qint32 defaultValue);

// An integer read with the default 1 or 0; any non-zero value is true.
bool toBool(const QString &text, bool defaultValue);

// Decimal, with a leading "-" when negative.
QString fromInt(qint32 value);

// "1" or "0".
QString fromBool(bool value);

} // namespace ProfileValue
