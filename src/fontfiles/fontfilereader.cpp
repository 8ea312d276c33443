#include "fontfilereader.h"

#include "fontfilefaces.h"
#include "fontfilegatherer.h"
#include "fontfilemessages.h"

#include <QElapsedTimer>

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
    m_thread.reset(QThread::create([this, paths] { run(paths); }));
    m_thread->start();
    return true;
}

void FontFileReader::stop()
{
    m_stop = true;
}

void FontFileReader::run(const QStringList &paths)
{
    ArchiveUnpacker unpacker(m_cacheFolder);
    unpacker.forgetUnused();
    FontFileGatherer gatherer(paths, std::move(unpacker));
    Summary summary;
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
            switch (FontFileFaces::read(files.at(read), faces)) {
            case FontFileFaces::Outcome::Read:
                break;
            case FontFileFaces::Outcome::NotAFont:
                ++summary.skipped;
                break;
            case FontFileFaces::Outcome::Missing:
                summary.messages.append(FontFileMessages::removedSinceListed(files.at(read)));
                break;
            }
            files[read].clear(); // read: its name is no longer needed
        }
        if (!faces.isEmpty())
            Q_EMIT facesRead(faces);
        Q_EMIT progressed(int(read), gatherer.atEnd() ? int(files.size()) : -1);
    }
    summary.skipped += gatherer.skipped();
    summary.messages = gatherer.takeMessages() + summary.messages;
    summary.stopped = m_stop.load();
    QMetaObject::invokeMethod(
        this,
        [this, summary] {
            m_thread->wait(); // it is returning
            m_thread.reset();
            Q_EMIT finished(summary);
        },
        Qt::QueuedConnection);
}
