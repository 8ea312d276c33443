#pragma once

#include <QString>
#include <QStringList>

// The user's own font folder, and the file moves that install fonts into it and take them out.
// Nothing here is ever written over: a copy lands under a free name, or under its own name once
// the file it replaces has been set aside.
namespace FontFolder {

// What to do when the folder already holds another file of the same name.
enum class Clash {
    Replace, // "Remplacer": the old file is set aside, so that an undo can put it back
    KeepBoth, // "Garder les deux": the copy takes a new name, "Nom (2).ttf"
    Skip, // "Ignorer": the file is not installed
};

// One font file brought into the folder.
struct Placed
{
    QString font; // where the font now is in the folder; empty when skipped
    bool copied = false; // false when an identical file was there already
    QString setAside; // the replaced file, hidden in the folder until undo or forget
    QString replaced; // the name the set-aside file had
    QString error; // why the file could not be placed: nothing was left behind
};

// $XDG_DATA_HOME/fonts, where fontconfig reads the user's own fonts.
QString path();

// The user's font folders that exist: path() and ~/.fonts, which fontconfig still reads.
QStringList userFolders();

// Makes the folder when missing; the reason when it cannot be made or written to.
QString prepare(const QString &folder);

// Whether the folder holds a file of the source's name with other bytes: the user chooses.
bool clashes(const QString &folder, const QString &source);

// Copies the source into the folder: written whole to a hidden file first, then given its name.
Placed place(const QString &folder, const QString &source, Clash choice);

// Removes the copy and puts the file it replaced back; the reason when it cannot.
QString takeBack(const Placed &placed);

// Drops a replaced file kept for an undo that will not come.
void forget(const Placed &placed);

// Why the files cannot be uninstalled (the first reason), empty when they can: each must be in
// the user's font folders once symbolic links are resolved, in a folder the user may write to.
QString uninstallRefusal(const QStringList &files);

} // namespace FontFolder
