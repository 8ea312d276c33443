#include "instancenames.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QGuiApplication>

#include <unistd.h>

namespace {

// The display's own name: the same desktop under two spellings is rare enough to count twice.
QByteArray displayIdentity()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return "x11:" + qgetenv("DISPLAY");
    if (platform.startsWith(QLatin1String("wayland"))) {
        QByteArray display = qgetenv("WAYLAND_DISPLAY");
        if (display.isEmpty())
            display = "wayland-0";
        // A relative display name lies in the runtime folder.
        if (!display.startsWith('/'))
            display = qgetenv("XDG_RUNTIME_DIR") + '/' + display;
        return "wayland:" + display;
    }
    return platform.toUtf8();
}

} // namespace

InstanceNames InstanceNames::forThisProgram()
{
    // /proc/self/exe names the file this process runs, links resolved.
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (program.isEmpty())
        program = QCoreApplication::applicationFilePath();
    return InstanceNames(QFile::encodeName(program) + '\n' + displayIdentity());
}

InstanceNames::InstanceNames(const QByteArray &key)
    : m_base("glyphor-" + QByteArray::number(geteuid()) + '-'
             + QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20))
{
}

QByteArray InstanceNames::registryName() const
{
    return '/' + m_base;
}

QString InstanceNames::serverName(quint32 pid) const
{
    return QString::fromLatin1(m_base) + QLatin1Char('-') + QString::number(pid);
}
