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

} // namespace CommandLineText
