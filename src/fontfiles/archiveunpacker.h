#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

class QFileInfo;

// Unpacks the font files of a ZIP archive into a folder of its own in the user's cache, named
// after the archive's canonical path, size and time, so that opening the unchanged archive again
// finds them there. Nothing is ever written outside that folder, whatever the entries' names: an
// entry is unpacked under its file name alone, made safe (FontFileNames::safeFileName). Limits
// keep an archive that unpacks into far more than it holds (or a damaged one) from filling the
// disk: the archive stops at the first limit passed, with a message, and what was unpacked
// before stays.
class ArchiveUnpacker
{
public:
    struct Limits
    {
        qint64 bytesPerArchiveByte = 20; // fonts compress to a third at best
        qint64 totalBytes = qint64(2) << 30;
        qint64 entryBytes = qint64(256) << 20; // no font comes near it
        int entries = 50000;
    };

    struct Result
    {
        QStringList files; // the font files unpacked
        int skipped = 0; // archives and encrypted files inside it, not followed
        QStringList messages; // why the archive stopped, in French
    };

    // cacheFolder: where each archive gets its folder.
    explicit ArchiveUnpacker(QString cacheFolder);
    ArchiveUnpacker(QString cacheFolder, Limits limits);

    // $XDG_CACHE_HOME/glyphor/opened (~/.cache when unset or empty).
    static QString defaultCacheFolder();

    // The folder the archive's files go to.
    QString folderFor(const QFileInfo &archive) const;

    // The archive's font files, unpacked now or found from an earlier run. Gives up, with no
    // files, when stop turns true.
    Result unpack(const QString &archive, const std::atomic<bool> &stop) const;

    // Removes the folders of archives not opened for this many days, and folders left half made:
    // an archive changed or no longer opened would otherwise keep its copies for ever.
    static constexpr int UnusedDays = 30;
    void forgetUnused(int days = UnusedDays) const;

private:
    Result reuse(const QString &folder) const;
    Result extract(const QString &archive, const QString &folder,
                   const std::atomic<bool> &stop) const;

    QString m_cacheFolder;
    Limits m_limits;
};
