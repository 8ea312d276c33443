#pragma once

#include <QColor>

// Colours as Glyphor stores them: a 32-bit 0x00BBGGRR value (0x000000 black, 0xFFFFFF white).
using ColorRef = quint32;

inline QColor toQColor(ColorRef value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline ColorRef toColorRef(const QColor &color)
{
    return ColorRef(color.red()) | (ColorRef(color.green()) << 8) | (ColorRef(color.blue()) << 16);
}
