#include "profilevalue.h"

#include "textforms.h"

#include <optional>

namespace ProfileValue {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// "$", "x" or "X" already passed: 1 to 8 hexadecimal digits to the end, as a 32-bit pattern.
std::optional<qint32> parseHex(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | quint32(digit);
    }
    return qint32(value);
}

// An optional sign, then decimal digits to the end, within the 32-bit signed range.
std::optional<qint32> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 magnitude = 0;
    bool outOfRange = false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        // Keep scanning once out of range: trailing junk still makes the text malformed.
        if (!outOfRange) {
            magnitude = magnitude * 10 + (c.unicode() - u'0');
            outOfRange = magnitude > limit;
        }
    }
    if (outOfRange)
        return std::nullopt;
    return qint32(negative ? -magnitude : magnitude);
}

} // namespace

qint32 toInt(const QString &text, qint32 defaultValue)
{
    QStringView rest = text;
    if (rest.size() > 2 && (rest.startsWith(u"0x") || rest.startsWith(u"0X")))
        return parseHex(rest.sliced(2)).value_or(defaultValue);
    while (!rest.isEmpty() && TextForms::isBlank(rest.front()))
        rest = rest.sliced(1);
    if (!rest.isEmpty() && (rest.front() == u'$' || rest.front() == u'x' || rest.front() == u'X'))
        return parseHex(rest.sliced(1)).value_or(defaultValue);
    return parseDecimal(rest).value_or(defaultValue);
}

bool toBool(const QString &text, bool defaultValue)
{
    return toInt(text, defaultValue ? 1 : 0) != 0;
}

QString fromInt(qint32 value)
{
    return QString::number(value);
}

QString fromBool(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace ProfileValue
