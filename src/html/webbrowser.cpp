#include "webbrowser.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace WebBrowser {

QString program(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (!name.contains(u'/'))
        return QStandardPaths::findExecutable(name);
    const QFileInfo file(name);
    return file.exists() && !file.isDir() ? file.absoluteFilePath() : QString();
}

bool start(const QString &name, const QString &page)
{
    const QString browser = program(name);
    return !browser.isEmpty()
        && QProcess::startDetached(browser, {QFileInfo(page).absoluteFilePath()});
}

} // namespace WebBrowser
