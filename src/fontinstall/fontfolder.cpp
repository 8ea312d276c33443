#include "fontfolder.h"

#include "installtexts.h"
#include "systemerror.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FontFolder {

namespace {

// fontconfig passes over files whose name starts with a dot: a copy in progress and a replaced
// file kept for an undo stay out of the font list.
const QString HiddenCopy = QStringLiteral("/.glyphor-XXXXXX");

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Gives a file a new name in the same folder unless that name is taken; errno on failure. Falls
// back to a hard link where the file system cannot refuse to replace in a rename.
int moveWithoutReplacing(const QString &from, const QString &to)
{
    if (::renameat2(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(),
                    RENAME_NOREPLACE)
        == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(encoded(from).constData(), encoded(to).constData()) != 0)
        return errno;
    ::unlink(encoded(from).constData());
    return 0;
}

bool sameBytes(const QString &one, const QString &other)
{
    QFile a(one);
    QFile b(other);
    if (a.size() != b.size() || !a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return false;
    while (!a.atEnd()) {
        if (a.read(1 << 20) != b.read(1 << 20))
            return false;
    }
    return true;
}

// "Nom (2).ttf", "Nom (3).ttf"...: the first name not taken.
QString freeName(const QString &folder, const QString &name, int from)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = from;; ++n) {
        const QString candidate = QStringLiteral("%1/%2 (%3)%4")
                                      .arg(folder, info.completeBaseName())
                                      .arg(n)
                                      .arg(suffix);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

// ".Nom.ttf.ancien-1": hidden, and no font name fontconfig would look at.
QString asideName(const QString &folder, const QString &name)
{
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1/.%2.ancien-%3").arg(folder, name).arg(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

// Writes the source whole into an open file; errno on failure, with the side it happened on.
int copyBytes(int from, int to, bool *readFailed)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            *readFailed = true;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = ::write(to, buffer + done, size_t(got - done));
            if (written < 0 && errno != EINTR)
                return errno;
            done += std::max<ssize_t>(written, 0);
        }
    }
}

// The source written whole to a hidden file of the folder, readable as installed fonts are.
QString writeCopy(const QString &source, QTemporaryFile &copy)
{
    const int from = ::open(encoded(source).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return InstallTexts::Unreadable.arg(source, SystemError::reason(errno));
    if (!copy.open()) {
        ::close(from);
        return InstallTexts::NotCopied.arg(source, SystemError::reason(errno));
    }
    bool readFailed = false;
    int error = copyBytes(from, copy.handle(), &readFailed);
    ::close(from);
    if (!error && ::fchmod(copy.handle(), 0644) != 0)
        error = errno;
    if (!error && ::fsync(copy.handle()) != 0)
        error = errno;
    copy.close();
    if (!error)
        return {};
    return readFailed ? InstallTexts::Unreadable.arg(source, SystemError::reason(error))
                      : InstallTexts::NotCopied.arg(source, SystemError::reason(error));
}

bool isInside(const QString &file, const QString &folder)
{
    return !folder.isEmpty() && file.startsWith(folder + u'/');
}

} // namespace

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/fonts");
}

QStringList userFolders()
{
    QStringList folders;
    for (const QString &folder : {path(), QString(QDir::homePath() + QStringLiteral("/.fonts"))}) {
        if (QFileInfo(folder).isDir())
            folders << folder;
    }
    return folders;
}

QString prepare(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return InstallTexts::FolderNotMade.arg(folder);
    if (!QFileInfo(folder).isWritable())
        return InstallTexts::ReadOnlyFolder.arg(folder);
    return {};
}

bool clashes(const QString &folder, const QString &source)
{
    const QString target = folder + u'/' + QFileInfo(source).fileName();
    return QFileInfo::exists(target) && !sameBytes(source, target);
}

Placed place(const QString &folder, const QString &source, Clash choice)
{
    Placed placed;
    const QString name = QFileInfo(source).fileName();
    QString target = folder + u'/' + name;
    if (QFileInfo::exists(target)) {
        if (sameBytes(source, target)) {
            placed.font = target;
            return placed;
        }
        if (choice == Clash::Skip)
            return placed;
    }
    QTemporaryFile copy(folder + HiddenCopy);
    if (QString error = writeCopy(source, copy); !error.isEmpty()) {
        placed.error = error;
        return placed;
    }
    if (choice == Clash::Replace && QFileInfo::exists(target)) {
        const QString aside = asideName(folder, name);
        if (const int error = moveWithoutReplacing(target, aside)) {
            placed.error = InstallTexts::NotMoved.arg(target, SystemError::reason(error));
            return placed;
        }
        placed.setAside = aside;
        placed.replaced = target;
    }
    // A file that appears meanwhile under the name keeps it: the copy takes the next free one.
    for (int next = 2; const int error = moveWithoutReplacing(copy.fileName(), target);
         target = freeName(folder, name, next++)) {
        if (error != EEXIST) {
            placed.error = InstallTexts::NotCopied.arg(source, SystemError::reason(error));
            takeBack(placed);
            return placed;
        }
    }
    copy.setAutoRemove(false);
    placed.font = target;
    placed.copied = true;
    return placed;
}

QString takeBack(const Placed &placed)
{
    if (placed.copied && !QFile::remove(placed.font) && QFileInfo::exists(placed.font))
        return InstallTexts::NotMoved.arg(placed.font, SystemError::reason(errno));
    if (placed.setAside.isEmpty())
        return {};
    if (const int error = moveWithoutReplacing(placed.setAside, placed.replaced))
        return InstallTexts::NotMoved.arg(placed.setAside, SystemError::reason(error));
    return {};
}

void forget(const Placed &placed)
{
    if (!placed.setAside.isEmpty())
        QFile::remove(placed.setAside);
}

QString uninstallRefusal(const QStringList &files)
{
    QStringList folders;
    for (const QString &folder : userFolders())
        folders << QFileInfo(folder).canonicalFilePath();
    for (const QString &file : files) {
        const QString real = QFileInfo(file).canonicalFilePath();
        if (real.isEmpty())
            return InstallTexts::MissingFile.arg(file);
        if (!std::any_of(folders.cbegin(), folders.cend(),
                         [&](const QString &folder) { return isInside(real, folder); }))
            return InstallTexts::SystemFont;
        if (const QString folder = QFileInfo(real).path(); !QFileInfo(folder).isWritable())
            return InstallTexts::ReadOnlyFontFolder.arg(folder);
    }
    return {};
}

} // namespace FontFolder
