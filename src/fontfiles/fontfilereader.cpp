#include "fontfilereader.h"

#include "fontfilefaces.h"
#include "fontfilegatherer.h"
#include "fontfilemessages.h"

#include <QElapsedTimer>
#include <QFile>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

namespace {

// Each turn finds files for at most this long, then reads them for at most this long, then hands
// over what was read: the first faces come within 0.2 s, and the count of files is known once
// a folder of 100,000 entries has been listed in a few turns.
constexpr qint64 GatheringMilliseconds = 50;
constexpr qint64 ReadingMilliseconds = 150;
constexpr qsizetype EntriesPerStep = 64;

} // namespace

FontFileReader::FontFileReader(QString cacheFolder, QObject *parent)
    : QObject(parent)
    , m_cacheFolder(std::move(cacheFolder))
{
}

FontFileReader::~FontFileReader()
{
    if (m_thread) {
        m_stop = true;
        m_thread->wait();
    }
}

bool FontFileReader::start(const QStringList &paths)
{
    if (m_thread)
        return false;
    m_stop = false;
    if (m_forget.exchange(false))
        m_read.clear();
    m_thread.reset(QThread::create([this, paths] { run(paths); }));
    m_thread->start();
    return true;
}

void FontFileReader::stop()
{
    m_stop = true;
}

void FontFileReader::forget()
{
    if (m_thread)
        m_forget = true; // once the reading ends
    else
        m_read.clear();
}

FontFileReader::ReadFile::Stamp FontFileReader::ReadFile::stampOf(const QString &file)
{
    Stamp stamp;
    struct stat info = {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return stamp;
    const auto ns = [](const timespec &time) {
        return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
    };
    stamp.size = info.st_size;
    stamp.modified = ns(info.st_mtim);
    stamp.changed = ns(info.st_ctim);
    stamp.inode = info.st_ino;
    return stamp;
}

void FontFileReader::readOrRecall(const QString &file, FacePatterns &faces, ReadFiles &read,
                                  Summary &summary)
{
    ReadFile now;
    now.stamp = ReadFile::stampOf(file);
    if (const auto known = m_read.find(file);
        known != m_read.end() && now.stamp.size >= 0 && known->second.stamp == now.stamp) {
        for (const FacePatterns::Owned &face : known->second.faces) {
            FcPatternReference(face.get());
            faces.append(face.get());
        }
        read.insert_or_assign(file, std::move(known->second));
        return;
    }
    const qsizetype before = faces.size();
    switch (FontFileFaces::read(file, faces)) {
    case FontFileFaces::Outcome::Read:
        break;
    case FontFileFaces::Outcome::NotAFont:
        ++summary.skipped;
        return;
    case FontFileFaces::Outcome::Missing:
        summary.messages.append(FontFileMessages::removedSinceListed(file));
        return;
    }
    for (qsizetype i = before; i < faces.size(); ++i) {
        FcPatternReference(faces.at(i));
        now.faces.emplace_back(faces.at(i));
    }
    read.insert_or_assign(file, std::move(now));
}

void FontFileReader::run(const QStringList &paths)
{
    ArchiveUnpacker unpacker(m_cacheFolder);
    unpacker.forgetUnused();
    FontFileGatherer gatherer(paths, std::move(unpacker));
    Summary summary;
    ReadFiles readFiles;
    QStringList files;
    qsizetype read = 0;
    QElapsedTimer turn;
    while (!m_stop.load() && (!gatherer.atEnd() || read < files.size())) {
        turn.start();
        while (!gatherer.atEnd() && !m_stop.load() && turn.elapsed() < GatheringMilliseconds)
            files += gatherer.next(EntriesPerStep, m_stop);
        turn.start();
        FacePatterns faces;
        for (; read < files.size() && !m_stop.load() && turn.elapsed() < ReadingMilliseconds;
             ++read) {
            readOrRecall(files.at(read), faces, readFiles, summary);
            files[read].clear(); // read: its name is no longer needed
        }
        if (!faces.isEmpty())
            Q_EMIT facesRead(faces);
        Q_EMIT progressed(int(read), gatherer.atEnd() ? int(files.size()) : -1);
    }
    summary.skipped += gatherer.skipped();
    summary.messages = gatherer.takeMessages() + summary.messages;
    summary.stopped = m_stop.load();
    // A stopped reading keeps what it did not reach as well, for the reading that follows.
    if (summary.stopped)
        readFiles.merge(m_read);
    m_read = m_forget.exchange(false) ? ReadFiles() : std::move(readFiles);
    QMetaObject::invokeMethod(
        this,
        [this, summary] {
            m_thread->wait(); // it is returning
            m_thread.reset();
            Q_EMIT finished(summary);
        },
        Qt::QueuedConnection);
}
