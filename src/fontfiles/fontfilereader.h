#pragma once

#include "archiveunpacker.h"
#include "facepatterns.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <memory>

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

    // Starts reading the paths; false, doing nothing, while a reading runs.
    bool start(const QStringList &paths);
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
    void run(const QStringList &paths);

    const QString m_cacheFolder;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_stop = false;
};

Q_DECLARE_METATYPE(FontFileReader::Summary)
