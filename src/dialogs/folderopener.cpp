#include "folderopener.h"

#include <QProcess>
#include <QStandardPaths>

FolderOpener::FolderOpener(QObject *parent)
    : QObject(parent)
{
}

void FolderOpener::open(const QString &folder)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        Q_EMIT failed(failureMessage(folder));
        return;
    }
    // Not detached: xdg-open's exit code is the only word that it found no file manager.
    auto *process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::errorOccurred, this,
            [this, process, folder](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart) {
                    Q_EMIT failed(failureMessage(folder));
                    process->deleteLater();
                }
            });
    connect(process, &QProcess::finished, this,
            [this, process, folder](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0)
                    Q_EMIT failed(failureMessage(folder));
                process->deleteLater();
            });
    process->start(opener, {folder});
}

QString FolderOpener::failureMessage(const QString &folder)
{
    return QStringLiteral("Aucun gestionnaire de fichiers n'a pu ouvrir le dossier ") + folder;
}
