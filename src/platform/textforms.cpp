#include "textforms.h"

#include <QLocale>
#include <QTime>

namespace TextForms {

QString timeWithSeconds(const QLocale &locale, const QTime &time)
{
    // The long format ends in the time zone ("t"); quoted literal text is kept as it is.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            withoutZone += c;
    }
    return locale.toString(time, withoutZone.trimmed());
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace TextForms
