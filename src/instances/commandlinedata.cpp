#include "commandlinedata.h"

namespace CommandLineText {

QByteArray encode(const QStringList &arguments)
{
    QByteArray text;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        argument.replace(QLatin1String("\r\n"), QLatin1String(" "));
        argument.replace(QLatin1Char('\r'), QLatin1Char(' '));
        argument.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += argument.toUtf8() + "\r\n";
    }
    return text;
}

QStringList decode(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1String("\r\n"));
    // The last argument's line end leaves an empty piece behind it.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace CommandLineText
