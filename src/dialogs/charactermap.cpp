#include "charactermap.h"

#include <QProcess>
#include <QStandardPaths>

namespace CharacterMap {

QStringList programs()
{
    return {QStringLiteral("gucharmap"), QStringLiteral("kcharselect"),
            QStringLiteral("gnome-characters")};
}

bool start()
{
    const QStringList names = programs();
    for (const QString &name : names) {
        // Looked up here rather than by QProcess, so that a program found but not startable
        // gives way to the next one.
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    return false;
}

QString notFoundMessage()
{
    return QStringLiteral("Programme ") + programs().constFirst()
        + QStringLiteral(" introuvable...");
}

} // namespace CharacterMap
