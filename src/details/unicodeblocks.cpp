#include "unicodeblocks.h"

#include <QHash>

#include <unicode/uchar.h>

namespace UnicodeBlocks {

int blockOf(char32_t character)
{
    return int(ublock_getCode(UChar32(character)));
}

QString name(int block)
{
    const char *name = u_getPropertyValueName(UCHAR_BLOCK, block, U_LONG_PROPERTY_NAME);
    return name ? QString::fromLatin1(name).replace(u'_', u' ') : QStringLiteral("?");
}

int assignedCount(int block)
{
    // Every block's count at the first question: one walk over the code space, a few
    // milliseconds.
    static const QHash<int, int> counts = [] {
        QHash<int, int> assigned;
        for (UChar32 c = 0; c <= 0x10ffff; ++c) {
            if (u_charType(c) != U_UNASSIGNED)
                ++assigned[int(ublock_getCode(c))];
        }
        return assigned;
    }();
    return counts.value(block);
}

QString characterName(char32_t character)
{
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length
        = u_charName(UChar32(character), U_EXTENDED_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return {};
    return QString::fromLatin1(name, length);
}

QString codePoint(char32_t character)
{
    return QStringLiteral("U+%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace UnicodeBlocks
