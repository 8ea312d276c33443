#include "windows1252.h"

#include <QStringDecoder>

namespace Windows1252 {

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    // Without ICU only Latin-1 is at hand; it differs from Windows-1252 in 0x80..0x9F alone.
    return QString::fromLatin1(bytes);
}

QString charactersOfCodes(int first, int last)
{
    QByteArray bytes;
    for (int code = first; code <= last; ++code)
        bytes.append(static_cast<char>(code));
    return decode(bytes);
}

} // namespace Windows1252
