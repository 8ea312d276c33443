#pragma once

#include "facemetadata.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>

class FontCatalog;

// What the font files say of their faces beyond fontconfig's records (FaceMetadata), read on a
// thread of its own at low priority and kept between runs in a file, keyed by the face's file
// path, index, size and modification time: a changed or removed file is read again, a damaged
// or unreadable index file is rebuilt. Nobody waits for it: questions about a face not read yet
// have no answer.
class FontIndex : public QObject
{
    Q_OBJECT

public:
    // cachePath: the index file, read at start() and written when the reading ends or stops.
    FontIndex(const FontCatalog &catalog, QString cachePath, QObject *parent = nullptr);
    // Stops the reading, keeping what was read for the next run.
    ~FontIndex() override;

    // $XDG_CACHE_HOME/glyphor/fontindex (~/.cache when unset or empty).
    static QString defaultCachePath();

    // Reads the index file, then every face of every family of the catalogue it lacks.
    void start();
    // Stops the reading and waits for it, keeping what was read in the index file: the catalogue
    // may change then, and start() reads on from there.
    void stop();

    // How many families have been read, of how many.
    int familiesRead() const { return m_familiesRead.load(); }
    int familyCount() const { return m_familyCount.load(); }

    // The face's metadata, when read.
    std::optional<FaceMetadata> metadata(const QByteArray &file, int index) const;
    // The face's class, when read: what a filter asks of thousands of faces, without copying
    // their texts.
    std::optional<FontClass> fontClass(const QByteArray &file, int index) const;
    // Whether the face is a symbol font, when read.
    std::optional<bool> isSymbolFont(const QByteArray &file, int index) const;
    // What a face offers to set, when read: its OpenType features and its variation axes.
    struct LayoutTags
    {
        QStringList features;
        QList<FaceMetadata::Axis> axes;
    };
    std::optional<LayoutTags> layoutTags(const QByteArray &file, int index) const;
    // How many faces the index holds.
    qsizetype faceCount() const;

Q_SIGNALS:
    // From the reading thread, queued: what the index file held is in place (each face is then
    // checked against its file).
    void loaded();
    // Every few hundred families, and once at the end.
    void progressed(int familiesRead, int familyCount);
    void finished();

private:
    struct Entry
    {
        qint64 size = 0;
        qint64 modified = 0; // ns since the epoch
        FaceMetadata metadata;
    };
    static QByteArray key(const QByteArray &file, int index);
    // What answer() takes from the face's metadata, when read.
    template<typename Answer>
    auto ask(const QByteArray &file, int index, Answer answer) const
        -> std::optional<decltype(answer(FaceMetadata()))>;
    void run();
    QHash<QByteArray, Entry> readCache() const;
    void writeCache() const;

    const FontCatalog &m_catalog;
    const QString m_cachePath;
    mutable QMutex m_mutex; // guards m_entries
    QHash<QByteArray, Entry> m_entries;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_familiesRead = 0;
    std::atomic<int> m_familyCount = 0;
    std::unique_ptr<QThread> m_thread;
};
