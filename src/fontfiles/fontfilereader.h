#pragma once

#include "archiveunpacker.h"
#include "facepatterns.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <memory>
#include <unordered_map>

// Reads the faces of font files, folders and ZIP archives a user opened, on a thread of its own:
// the files are gathered (FontFileGatherer) and read (FontFileFaces) a little of each in turn, so
// the first faces come within a fraction of a second however many files there are. The faces
// come in batches for a catalogue of opened files (FontCatalog::addFaces).
class FontFileReader : public QObject
{
    Q_OBJECT

public:
    struct Summary
    {
        int skipped = 0; // files that are no fonts (FontFileMessages::skippedCaption)
        QStringList messages; // what could not be read and why, in French
        bool stopped = false;
    };

    // cacheFolder: where archives are unpacked (ArchiveUnpacker).
    explicit FontFileReader(QString cacheFolder = ArchiveUnpacker::defaultCacheFolder(),
                            QObject *parent = nullptr);
    // Stops the reading and waits for it.
    ~FontFileReader() override;

    // Starts reading the paths; false, doing nothing, while a reading runs. A file unchanged
    // since the last reading (same size, times and inode) is not read again: its faces are the
    // ones read then, so that reading an opened folder again for one changed file takes no
    // longer than listing it.
    bool start(const QStringList &paths);
    // Forgets the files read (they were closed): the next reading reads every file.
    void forget();
    // Asks the reading to stop soon; finished() still comes.
    void stop();
    bool isRunning() const { return m_thread != nullptr; }

Q_SIGNALS:
    // A batch of faces read, for FontCatalog::addFaces to take; what nobody takes is freed.
    void facesRead(const FacePatterns &faces);
    // Files read so far, of fileCount; fileCount is -1 while files are still being found.
    void progressed(int filesRead, int fileCount);
    // The reading is over: isRunning() is false and start() can be called again.
    void finished(const FontFileReader::Summary &summary);

private:
    // A file as it was read, and the faces read from it (a reference to each).
    struct ReadFile
    {
        struct Stamp
        {
            qint64 size = -1;
            qint64 modified = 0; // ns
            qint64 changed = 0; // ns
            quint64 inode = 0;
            bool operator==(const Stamp &) const = default;
        };
        Stamp stamp;
        std::vector<FacePatterns::Owned> faces;
        static Stamp stampOf(const QString &file);
    };
    using ReadFiles = std::unordered_map<QString, ReadFile>;

    void run(const QStringList &paths);
    // Reads the file, or takes its faces from the last reading; what comes of it is kept in read.
    void readOrRecall(const QString &file, FacePatterns &faces, ReadFiles &read, Summary &summary);

    const QString m_cacheFolder;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_stop = false;
    // The last reading's files: only its thread uses them while it runs.
    ReadFiles m_read;
    std::atomic<bool> m_forget = false;
};

Q_DECLARE_METATYPE(FontFileReader::Summary)
