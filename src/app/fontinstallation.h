#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <utility>

class FontInstaller;
class QWidget;

// Installing opened families and uninstalling the user's own, from the lists: the user is asked
// about each name taken in the font folder, the outcome is said in a message box that can undo a
// single family's install, and the installed fonts are to be listed again after each change.
class FontInstallation : public QObject
{
    Q_OBJECT

public:
    // A family and its files.
    using Family = std::pair<QString, QStringList>;

    explicit FontInstallation(QWidget *window);

    // Installs the families one after the other; nothing while a job runs.
    void install(const QList<Family> &families);
    // Moves the family's files to the trash; nothing while a job runs.
    void uninstall(const Family &family);
    // Why a family's files cannot be uninstalled, for a tooltip; empty when they can.
    static QString uninstallRefusal(const QStringList &files);
    bool isBusy() const;

Q_SIGNALS:
    // Fonts were installed or removed: the desktop's configuration has them.
    void installedFontsChanged();

private:
    void installNext();
    void jobFinished(bool ok, const QString &message);
    void report();

    QWidget *m_window;
    FontInstaller *m_installer;
    QList<Family> m_queue;
    qsizetype m_asked = 0; // families in the request being worked through
    QStringList m_installed;
    QStringList m_failures;
    bool m_undoing = false;
};
