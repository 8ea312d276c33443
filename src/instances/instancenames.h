#pragma once

#include <QByteArray>
#include <QString>

// The names copies of one program file find each other by. The key is the canonical path of the
// running executable and the display it shows on: two program files run side by side, and so do
// two desktops of one user. Each name carries the user ID, since shared-memory and abstract
// socket names are seen by every user.
class InstanceNames
{
public:
    // The key of this process (needs the GUI application, for its display).
    static InstanceNames forThisProgram();
    explicit InstanceNames(const QByteArray &key);

    // The shared-memory object of the registry and its lock.
    QByteArray registryName() const;
    // The local socket (abstract namespace) on which the copy with this process ID listens.
    QString serverName(quint32 pid) const;

private:
    QByteArray m_base;
};
