#pragma once

#include "fontfolder.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QThread;
struct FontJobOutcome;

// Installs a family's files into the user's font folder, undoes the last install, and
// uninstalls families of that folder to the trash. The work (copies, fc-cache) runs in a thread
// of its own: each call returns at once, and finished() says how it went, in French, for the
// status line or a message box. One job at a time.
class FontInstaller : public QObject
{
    Q_OBJECT

public:
    using Clash = FontFolder::Clash;
    // The user's answer for each file that clashes(), by the path given to install().
    using Choices = QHash<QString, Clash>;

    explicit FontInstaller(QObject *parent = nullptr);
    ~FontInstaller() override; // waits for a job in progress; a replaced file is dropped

    // The files whose name the folder already holds with other bytes: ask the user about each
    // ("Remplacer", "Garder les deux", "Ignorer") before install(). An identical file counts as
    // installed and is not among them.
    static QStringList clashes(const QStringList &files);

    // Whether an install is undone alone, or with the installs before it (families installed
    // at once are undone at once).
    enum class Undo { Alone, WithPrevious };
    // Copies the family's files into the folder, brings fontconfig up to date and checks that it
    // lists the family from them. A clash left out of the choices keeps both files. On failure
    // the folder is left as it was. False, and nothing done, while a job is in progress.
    bool install(const QString &family, const QStringList &files, const Choices &choices = {},
                 Undo undo = Undo::Alone);

    // Whether the last installs copied or replaced something.
    bool canUndo() const;
    // Removes the files the last installs copied, puts back those they replaced, and brings
    // fontconfig up to date.
    bool undo();

    // Why the family's files cannot be uninstalled (for a tooltip), empty when they can.
    static QString uninstallRefusal(const QStringList &files);
    // Moves the files to the desktop's trash, where the user can restore them, and brings
    // fontconfig up to date. When a file is refused, none is moved.
    bool uninstall(const QString &family, const QStringList &files);

    bool isBusy() const { return m_thread != nullptr; }

Q_SIGNALS:
    // The job is over: "Installée : Famille", or the reason it failed. Fonts installed or
    // removed are in SystemFonts' configuration by then.
    void finished(bool ok, const QString &message);

private:
    bool start(std::function<FontJobOutcome()> job);
    void forgetUndo();

    QThread *m_thread = nullptr; // the job's, while it runs
    std::shared_ptr<FontJobOutcome> m_outcome; // written by the job, read once it has ended
    QStringList m_families; // of the installs the placed files belong to
    QList<FontFolder::Placed> m_placed;
};
