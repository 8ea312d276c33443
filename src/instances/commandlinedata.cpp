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
    QStringList arguments = QString::fromUtf8(text).split(QStringLiteral("\r\n"));
    // Each argument ends with a line break: nothing follows the last.
    if (!arguments.isEmpty() && arguments.constLast().isEmpty())
        arguments.removeLast();
    return arguments;
}

} // namespace CommandLineText
