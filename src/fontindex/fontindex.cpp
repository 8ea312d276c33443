#include "fontindex.h"

#include "fontcatalog.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <sys/stat.h>

namespace {

constexpr char Magic[] = "GLYPHIDX";
constexpr quint32 FormatVersion = 1;
constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_4;
// Far more faces than any machine has: a damaged count beyond it is no index.
constexpr quint32 MaximumFaces = 10'000'000;
constexpr qint64 ProgressEveryMs = 250;

// Many faces carry the same long texts (a foundry's copyright, the licence of a whole
// collection): each is kept once.
class TextPool
{
public:
    void share(FaceMetadata &m)
    {
        for (QString *text : {&m.copyright, &m.trademark, &m.manufacturer, &m.designer,
                              &m.vendorUrl, &m.designerUrl, &m.licence, &m.licenceUrl, &m.format})
            share(*text);
    }

private:
    void share(QString &text)
    {
        if (text.isEmpty())
            return;
        const auto known = m_texts.constFind(text);
        if (known != m_texts.cend())
            text = *known;
        else
            m_texts.insert(text);
    }
    QSet<QString> m_texts;
};

} // namespace

FontIndex::FontIndex(const FontCatalog &catalog, QString cachePath, QObject *parent)
    : QObject(parent)
    , m_catalog(catalog)
    , m_cachePath(std::move(cachePath))
{
}

FontIndex::~FontIndex()
{
    m_stop = true;
    if (m_thread)
        m_thread->wait();
}

QString FontIndex::defaultCachePath()
{
    QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cacheHome.isEmpty())
        cacheHome = QDir::homePath() + QStringLiteral("/.cache");
    return cacheHome + QStringLiteral("/glyphor/fontindex");
}

QByteArray FontIndex::key(const QByteArray &file, int index)
{
    return file + '\0' + QByteArray::number(index);
}

void FontIndex::start()
{
    if (m_thread)
        return;
    m_thread.reset(QThread::create([this] { run(); }));
    // Only while a core would idle: the list is drawn on the other one.
    m_thread->start(QThread::IdlePriority);
}

bool FontIndex::running() const
{
    return m_thread && m_thread->isRunning();
}

std::optional<FaceMetadata> FontIndex::metadata(const QByteArray &file, int index) const
{
    const QMutexLocker locked(&m_mutex);
    const auto found = m_entries.constFind(key(file, index));
    if (found == m_entries.cend())
        return std::nullopt;
    return found->metadata;
}

std::optional<FontClass> FontIndex::fontClass(const QByteArray &file, int index) const
{
    const QMutexLocker locked(&m_mutex);
    const auto found = m_entries.constFind(key(file, index));
    if (found == m_entries.cend())
        return std::nullopt;
    return found->metadata.fontClass();
}

qsizetype FontIndex::faceCount() const
{
    const QMutexLocker locked(&m_mutex);
    return m_entries.size();
}

void FontIndex::run()
{
    TextPool pool;
    QHash<QByteArray, Entry> cached = readCache();
    for (Entry &entry : cached)
        pool.share(entry.metadata);
    const QStringList families = m_catalog.families();
    m_familyCount = int(families.size());
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (qsizetype i = 0; i < families.size() && !m_stop; ++i) {
        for (const FontFace &face : m_catalog.faces(families[i])) {
            const QByteArray faceKey = key(face.file, face.index);
            {
                const QMutexLocker locked(&m_mutex);
                if (m_entries.contains(faceKey))
                    continue; // a face listed under two names
            }
            struct stat status;
            if (::stat(face.file.constData(), &status) != 0)
                continue;
            Entry entry;
            entry.size = status.st_size;
            entry.modified = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
            const auto known = cached.constFind(faceKey);
            if (known != cached.cend() && known->size == entry.size
                && known->modified == entry.modified) {
                entry.metadata = known->metadata;
            } else {
                // A face FreeType cannot open is kept as known and empty: not tried again
                // until its file changes.
                entry.metadata = readFaceMetadata(face.file, face.index).value_or(FaceMetadata());
                pool.share(entry.metadata);
            }
            const QMutexLocker locked(&m_mutex);
            m_entries.insert(faceKey, std::move(entry));
        }
        m_familiesRead = int(i + 1);
        if (sinceProgress.hasExpired(ProgressEveryMs)) {
            sinceProgress.restart();
            Q_EMIT progressed(m_familiesRead, m_familyCount);
        }
    }
    writeCache();
    Q_EMIT progressed(m_familiesRead, m_familyCount);
    if (!m_stop)
        Q_EMIT finished();
}

QHash<QByteArray, FontIndex::Entry> FontIndex::readCache() const
{
    QHash<QByteArray, Entry> entries;
    QFile file(m_cachePath);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QDataStream in(&file);
    in.setVersion(StreamVersion);
    char magic[sizeof Magic - 1];
    quint32 version = 0;
    quint32 count = 0;
    if (in.readRawData(magic, sizeof magic) != int(sizeof magic)
        || QByteArrayView(magic, sizeof magic) != QByteArrayView(Magic))
        return entries;
    in >> version >> count;
    if (in.status() != QDataStream::Ok || version != FormatVersion || count > MaximumFaces)
        return entries;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray path;
        qint32 index = 0;
        Entry entry;
        in >> path >> index >> entry.size >> entry.modified >> entry.metadata;
        if (in.status() != QDataStream::Ok)
            return {}; // damaged: read every face again
        entries.insert(key(path, index), std::move(entry));
    }
    return entries;
}

void FontIndex::writeCache() const
{
    // A cache: when it cannot be written, the next run reads the faces again.
    if (!QDir().mkpath(QFileInfo(m_cachePath).absolutePath()))
        return;
    QSaveFile file(m_cachePath);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&file);
    out.setVersion(StreamVersion);
    out.writeRawData(Magic, sizeof Magic - 1);
    const QMutexLocker locked(&m_mutex);
    out << FormatVersion << quint32(m_entries.size());
    for (auto entry = m_entries.cbegin(); entry != m_entries.cend(); ++entry) {
        const qsizetype nul = entry.key().lastIndexOf('\0');
        out << entry.key().left(nul) << qint32(entry.key().mid(nul + 1).toInt()) << entry->size
            << entry->modified << entry->metadata;
    }
    if (out.status() == QDataStream::Ok)
        file.commit();
}
