#include "fontfilegatherer.h"

#include "fontfilemessages.h"
#include "fontfilenames.h"

#include <QDirIterator>
#include <QFileInfo>

FontFileGatherer::FontFileGatherer(QStringList paths, ArchiveUnpacker unpacker)
    : m_paths(std::move(paths))
    , m_unpacker(std::move(unpacker))
{
    std::reverse(m_paths.begin(), m_paths.end()); // taken from the end, in the order given
}

FontFileGatherer::~FontFileGatherer() = default;

bool FontFileGatherer::atEnd() const
{
    return !m_walk && m_folders.isEmpty() && m_paths.isEmpty();
}

QStringList FontFileGatherer::takeMessages()
{
    return std::exchange(m_messages, {});
}

QStringList FontFileGatherer::next(qsizetype count, const std::atomic<bool> &stop)
{
    QStringList found;
    for (qsizetype looked = 0; looked < count && !atEnd() && !stop.load(); ++looked) {
        if (m_walk && m_walk->hasNext()) {
            m_walk->next();
            look(m_walk->fileInfo(), found, stop);
        } else if (m_walk) {
            m_walk.reset();
        } else if (!m_folders.isEmpty()) {
            m_walk = std::make_unique<QDirIterator>(
                m_folders.takeLast(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        } else {
            look(QFileInfo(m_paths.takeLast()), found, stop);
        }
    }
    return found;
}

void FontFileGatherer::look(const QFileInfo &entry, QStringList &found,
                            const std::atomic<bool> &stop)
{
    // QFileInfo answers for what a link leads to.
    const QString path = entry.filePath();
    if (!entry.exists()) {
        m_messages.append(FontFileMessages::notFound(path));
        return;
    }
    const QString canonical = entry.canonicalFilePath();
    if (m_seen.contains(canonical))
        return;
    m_seen.insert(canonical);
    if (!entry.isDir() && !entry.isFile()) {
        ++m_skipped; // reading a pipe would wait for ever
        return;
    }
    if (!entry.isReadable() || (entry.isDir() && !entry.isExecutable())) {
        m_messages.append(FontFileMessages::unreadable(path));
        return;
    }
    if (entry.isDir()) {
        m_folders.append(canonical);
    } else if (FontFileNames::isZipArchive(entry.fileName())) {
        ArchiveUnpacker::Result unpacked = m_unpacker.unpack(canonical, stop);
        found += unpacked.files;
        m_skipped += unpacked.skipped;
        m_messages += unpacked.messages;
    } else {
        found.append(path);
    }
}
