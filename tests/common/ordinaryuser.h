#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

// Root reads and writes every file, so a test of refused access means nothing as root. Such a
// test runs itself again as user nobody, from a copy of the test program in a folder nobody owns
// (also its temporary folder), and passes when that run passes.
namespace OrdinaryUser {

inline bool isRoot()
{
    return geteuid() == 0;
}

// The exit code of the test function run as nobody; -1 when it could not be run.
inline int runAgain(const QString &testFunction)
{
    QTemporaryDir dir;
    const QString self = dir.filePath(QCoreApplication::applicationName());
    if (!QFile::copy(QCoreApplication::applicationFilePath(), self)
        || QProcess::execute(QStringLiteral("chown"),
                             {QStringLiteral("-R"), QStringLiteral("65534:65534"), dir.path()})
            != 0)
        return -1;
    QProcess asNobody;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), dir.path());
    asNobody.setProcessEnvironment(environment);
    asNobody.setProcessChannelMode(QProcess::ForwardedChannels);
    asNobody.start(QStringLiteral("setpriv"),
                   {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                    QStringLiteral("--clear-groups"), QStringLiteral("--"), self, testFunction});
    if (!asNobody.waitForFinished(60000) || asNobody.exitStatus() != QProcess::NormalExit)
        return -1;
    return asNobody.exitCode();
}

} // namespace OrdinaryUser
