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
constexpr quint32 FormatVersion = 4;
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
            share(*text, m_texts);
        share(m.features, m_lists);
        share(m.scripts, m_lists);
    }

private:
    template<typename T> static void share(T &value, QSet<T> &pool)
    {
        if (value.isEmpty())
            return;
        const auto known = pool.constFind(value);
        if (known != pool.cend())
            value = *known;
        else
            pool.insert(value);
    }
    QSet<QString> m_texts;
    QSet<QStringList> m_lists;
};

// The file's strings, each written once and named by its place; 0 is the empty string.
class StringTable
{
public:
    quint32 add(const QString &text)
    {
        if (text.isEmpty())
            return 0;
        const auto known = m_places.constFind(text);
        if (known != m_places.cend())
            return *known;
        m_strings.append(text);
        m_places.insert(text, quint32(m_strings.size()));
        return quint32(m_strings.size());
    }
    QList<quint32> add(const QStringList &texts)
    {
        QList<quint32> places;
        for (const QString &text : texts)
            places.append(add(text));
        return places;
    }
    const QStringList &strings() const { return m_strings; }

private:
    QStringList m_strings; // from place 1
    QHash<QString, quint32> m_places;
};

// The string fields of a face's metadata, in the file's order.
std::array<QString *, 12> textsOf(FaceMetadata &m)
{
    return {&m.family,   &m.style,     &m.version,     &m.copyright, &m.trademark,  &m.manufacturer,
            &m.designer, &m.vendorUrl, &m.designerUrl, &m.licence,   &m.licenceUrl, &m.format};
}

} // namespace

FontIndex::FontIndex(const FontCatalog &catalog, QString cachePath, QObject *parent)
    : QObject(parent)
    , m_catalog(catalog)
    , m_cachePath(std::move(cachePath))
{
}

FontIndex::~FontIndex()
{
    stop();
}

void FontIndex::stop()
{
    if (!m_thread)
        return;
    m_stop = true;
    // An idle-priority thread may not run at all while the machine is busy: the program's end
    // must not wait for a moment of idleness.
    if (m_thread->isRunning())
        m_thread->setPriority(QThread::NormalPriority);
    m_thread->wait();
    m_thread.reset();
    m_stop = false;
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

template<typename Answer>
auto FontIndex::ask(const QByteArray &file, int index, Answer answer) const
    -> std::optional<decltype(answer(FaceMetadata()))>
{
    const QMutexLocker locked(&m_mutex);
    const auto found = m_entries.constFind(key(file, index));
    if (found == m_entries.cend())
        return std::nullopt;
    return answer(found->metadata);
}

std::optional<FaceMetadata> FontIndex::metadata(const QByteArray &file, int index) const
{
    return ask(file, index, [](const FaceMetadata &m) { return m; });
}

std::optional<FontClass> FontIndex::fontClass(const QByteArray &file, int index) const
{
    return ask(file, index, [](const FaceMetadata &m) { return m.fontClass(); });
}

std::optional<bool> FontIndex::isSymbolFont(const QByteArray &file, int index) const
{
    return ask(file, index, [](const FaceMetadata &m) { return m.symbol; });
}

std::optional<FontIndex::LayoutTags> FontIndex::layoutTags(const QByteArray &file, int index) const
{
    return ask(file, index, [](const FaceMetadata &m) { return LayoutTags {m.features, m.axes}; });
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
    {
        // What the last run read answers at once; each face is checked against its file below.
        const QMutexLocker locked(&m_mutex);
        m_entries = cached;
    }
    Q_EMIT loaded();
    QSet<QByteArray> seen;
    const QStringList families = m_catalog.families();
    m_familyCount = int(families.size());
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (qsizetype i = 0; i < families.size() && !m_stop; ++i) {
        for (const FontFace &face : m_catalog.faces(families[i])) {
            const QByteArray faceKey = key(face.file, face.index);
            if (seen.contains(faceKey))
                continue; // a face listed under two names
            seen.insert(faceKey);
            struct stat status;
            if (::stat(face.file.constData(), &status) != 0)
                continue;
            Entry entry;
            entry.size = status.st_size;
            entry.modified = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
            const auto known = cached.constFind(faceKey);
            if (known != cached.cend() && known->size == entry.size
                && known->modified == entry.modified) {
                continue; // in place since the start
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
    if (!m_stop) {
        // Faces no longer installed (or gone with their file) leave the index.
        const QMutexLocker locked(&m_mutex);
        m_entries.removeIf([&seen](const auto &entry) { return !seen.contains(entry.key()); });
    }
    writeCache();
    Q_EMIT progressed(m_familiesRead, m_familyCount);
    if (!m_stop)
        Q_EMIT finished();
}

QHash<QByteArray, FontIndex::Entry> FontIndex::readCache() const
{
    QHash<QByteArray, Entry> entries;
    // Only a regular file is read: opening a pipe would wait for a writer for ever, and the
    // program's end with it.
    QFile file(m_cachePath);
    if (!QFileInfo(m_cachePath).isFile() || !file.open(QIODevice::ReadOnly))
        return entries;
    QDataStream in(&file);
    in.setVersion(StreamVersion);
    char magic[sizeof Magic - 1];
    quint32 version = 0;
    quint32 stringCount = 0;
    if (in.readRawData(magic, sizeof magic) != int(sizeof magic)
        || QByteArrayView(magic, sizeof magic) != QByteArrayView(Magic))
        return entries;
    in >> version >> stringCount;
    if (in.status() != QDataStream::Ok || version != FormatVersion || stringCount > MaximumFaces)
        return entries;
    QStringList strings {QString()};
    for (quint32 i = 0; i < stringCount && in.status() == QDataStream::Ok; ++i) {
        QString text;
        in >> text;
        strings.append(text);
    }
    const auto text = [&](quint32 place) {
        return strings.value(qsizetype(place));
    };
    // Lists read once each, then shared by every face that has the same.
    QHash<QList<quint32>, QStringList> lists;
    const auto list = [&](const QList<quint32> &places) {
        auto known = lists.constFind(places);
        if (known == lists.cend()) {
            QStringList texts;
            for (const quint32 place : places)
                texts.append(text(place));
            known = lists.insert(places, texts);
        }
        return *known;
    };
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > MaximumFaces)
        return entries;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray path;
        qint32 index = 0;
        Entry entry;
        FaceMetadata &m = entry.metadata;
        in >> path >> index >> entry.size >> entry.modified;
        for (QString *field : textsOf(m)) {
            quint32 place = 0;
            in >> place;
            *field = text(place);
        }
        quint32 axes = 0;
        in >> m.embedding >> m.hasOs2 >> m.familyClass >> m.panoseFamily >> m.panoseSerif
            >> m.colour >> m.symbol >> m.glyphs >> axes;
        // A damaged count stops at the stream's end, not at a huge allocation.
        for (quint32 a = 0; a < axes && in.status() == QDataStream::Ok; ++a) {
            FaceMetadata::Axis axis;
            quint32 name = 0;
            in >> axis.tag >> axis.minimum >> axis.defaultValue >> axis.maximum >> name;
            axis.name = text(name);
            m.axes.append(axis);
        }
        quint32 instances = 0;
        in >> instances;
        for (quint32 n = 0; n < instances && in.status() == QDataStream::Ok; ++n) {
            FaceMetadata::Instance instance;
            quint32 name = 0;
            in >> name >> instance.coordinates;
            instance.name = text(name);
            m.instances.append(instance);
        }
        QList<quint32> features;
        QList<quint32> scripts;
        QList<quint32> featureNames; // tag, name, tag, name...
        in >> features >> scripts >> featureNames;
        if (in.status() != QDataStream::Ok)
            return {}; // damaged: read every face again
        m.features = list(features);
        m.scripts = list(scripts);
        for (qsizetype n = 0; n + 1 < featureNames.size(); n += 2)
            m.featureNames.insert(text(featureNames[n]), text(featureNames[n + 1]));
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
    // The faces, each with its strings named by their places in the table written first.
    const QMutexLocker locked(&m_mutex);
    StringTable table;
    QByteArray faces;
    QDataStream out(&faces, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << quint32(m_entries.size());
    for (auto entry = m_entries.cbegin(); entry != m_entries.cend(); ++entry) {
        const qsizetype nul = entry.key().lastIndexOf('\0');
        out << entry.key().left(nul) << qint32(entry.key().mid(nul + 1).toInt()) << entry->size
            << entry->modified;
        FaceMetadata m = entry->metadata;
        for (QString *field : textsOf(m))
            out << table.add(*field);
        out << m.embedding << m.hasOs2 << m.familyClass << m.panoseFamily << m.panoseSerif
            << m.colour << m.symbol << m.glyphs << quint32(m.axes.size());
        for (const FaceMetadata::Axis &axis : m.axes)
            out << axis.tag << axis.minimum << axis.defaultValue << axis.maximum
                << table.add(axis.name);
        out << quint32(m.instances.size());
        for (const FaceMetadata::Instance &instance : m.instances)
            out << table.add(instance.name) << instance.coordinates;
        QList<quint32> featureNames;
        for (auto named = m.featureNames.cbegin(); named != m.featureNames.cend(); ++named)
            featureNames << table.add(named.key()) << table.add(named.value());
        out << table.add(m.features) << table.add(m.scripts) << featureNames;
    }
    QDataStream header(&file);
    header.setVersion(StreamVersion);
    header.writeRawData(Magic, sizeof Magic - 1);
    header << FormatVersion << quint32(table.strings().size());
    for (const QString &text : table.strings())
        header << text;
    header.writeRawData(faces.constData(), int(faces.size()));
    if (header.status() == QDataStream::Ok && out.status() == QDataStream::Ok)
        file.commit();
}
