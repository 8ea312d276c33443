#pragma once

#include "archiveunpacker.h"

#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class QDirIterator;
class QFileInfo;

// The files to read from the paths a user opened: a file as it is, a folder with everything in
// it, a ZIP archive as the font files it holds (ArchiveUnpacker). Symbolic links are followed,
// and each folder and file taken once by its canonical path, so a link loop ends. Walked a few
// entries at a time, so the first files can be read while a folder of 100,000 is still listed.
class FontFileGatherer
{
public:
    FontFileGatherer(QStringList paths, ArchiveUnpacker unpacker);
    ~FontFileGatherer();
    FontFileGatherer(const FontFileGatherer &) = delete;
    FontFileGatherer &operator=(const FontFileGatherer &) = delete;

    // The next files found, after looking at about count entries at most (an archive counts as
    // one): fewer, or none, when entries are no files to read. Returns at once once stop is true.
    QStringList next(qsizetype count, const std::atomic<bool> &stop);
    bool atEnd() const;

    // Entries passed over that are no files to read: special files (pipes, devices), and files
    // in archives that are archives themselves or encrypted.
    int skipped() const { return m_skipped; }
    // Why entries could not be read (missing, unreadable, a damaged archive), in French, since the
    // last call.
    QStringList takeMessages();

private:
    void look(const QFileInfo &entry, QStringList &found, const std::atomic<bool> &stop);

    QStringList m_paths; // those given, not looked at yet
    QStringList m_folders; // found, not walked yet
    std::unique_ptr<QDirIterator> m_walk; // the folder being walked
    QSet<QString> m_seen; // canonical paths of the folders and files taken
    ArchiveUnpacker m_unpacker;
    int m_skipped = 0;
    QStringList m_messages;
};
