#include "windows1252.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace Windows1252 {

namespace {

// The characters of bytes 0x80 to 0x9F, the only ones that are not their own code point; a byte
// with no character there holds 0, which no text character matches below.
std::array<char16_t, 32> charactersOfHighControls()
{
    std::array<char16_t, 32> characters {};
    const QString decoded = charactersOfCodes(0x80, 0x9F);
    if (decoded.size() != 32)
        return characters;
    for (int i = 0; i < 32; ++i) {
        const char16_t c = decoded[i].unicode();
        if (c != QChar::ReplacementCharacter && c != 0x1A)
            characters[i] = c;
    }
    return characters;
}

std::optional<char> byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    static const std::array<char16_t, 32> highControls = charactersOfHighControls();
    for (int i = 0; i < 32; ++i) {
        if (highControls[i] != 0 && highControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder.decode(bytes);
    // Without ICU only Latin-1 is at hand; it differs from Windows-1252 in 0x80..0x9F alone.
    return QString::fromLatin1(bytes);
}

QByteArray encodeWithReferences(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (QChar::isHighSurrogate(codePoint) && i + 1 < text.size()
            && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        if (const std::optional<char> byte = byteOf(codePoint)) {
            bytes += *byte;
        } else {
            bytes += "&#";
            bytes += QByteArray::number(static_cast<uint>(codePoint));
            bytes += ';';
        }
    }
    return bytes;
}

QString charactersOfCodes(int first, int last)
{
    QByteArray bytes;
    for (int code = first; code <= last; ++code)
        bytes.append(static_cast<char>(code));
    return decode(bytes);
}

} // namespace Windows1252
