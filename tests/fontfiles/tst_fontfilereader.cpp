#include "archiveunpacker.h"
#include "facepatterns.h"
#include "fontcatalog.h"
#include "fontfilefaces.h"
#include "fontfilemessages.h"
#include "fontfilereader.h"
#include "fontfilestestdata.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Font files read on the reader's thread into a catalogue of opened files, as fontconfig's own
// fc-scan reads them.
class TestFontFileReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void faces_data();
    void faces();
    void readsWhatFcScanReads();
    void archiveUnpackedInTheUsersCache();
    void stoppedAndStartedAgain();
    void hugeFolderReadInSteps();
    void unchangedFilesNotReadAgain();

private:
    QString path(const QString &relative) const { return m_folder.filePath(relative); }
    QTemporaryDir m_folder;
};

namespace {

const QString Type1 = QStringLiteral("/usr/share/fonts/type1/urw-base35/C059-Roman.t1");

struct Read
{
    std::unique_ptr<FontCatalog> catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    FontFileReader::Summary summary;
    QList<QPair<int, int>> progress;
    qsizetype faces = 0; // fontconfig's records, a variable font's own included
};

// Everything the reader sends for paths, until it has finished.
void readAll(FontFileReader &reader, const QStringList &paths, Read &read)
{
    const QMetaObject::Connection faces = QObject::connect(
        &reader, &FontFileReader::facesRead, &reader, [&read](const FacePatterns &batch) {
            read.faces += batch.size();
            read.catalog->addFaces(batch);
        });
    const QMetaObject::Connection progress = QObject::connect(
        &reader, &FontFileReader::progressed, &reader, [&read](int files, int count) {
            read.progress.append({files, count});
        });
    QSignalSpy finished(&reader, &FontFileReader::finished);
    QVERIFY(reader.start(paths));
    QVERIFY(finished.wait(120000));
    read.summary = finished.at(0).at(0).value<FontFileReader::Summary>();
    QObject::disconnect(faces);
    QObject::disconnect(progress);
}

} // namespace

void TestFontFileReader::initTestCase()
{
    // The test fonts, the hostile ones, the web fonts and a Type 1 font, with a text file.
    QVERIFY(m_folder.isValid());
    makeFontFiles(path("made"));
    QVERIFY(QDir().mkpath(path("fonts/hostile")));
    const QList<QPair<QString, QString>> copied {
        {QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files"), path("fonts/")},
        {QStringLiteral(GLYPHOR_HOSTILE_FONTS), path("fonts/hostile/")}};
    for (const auto &[from, into] : copied) {
        for (const QFileInfo &file : QDir(from).entryInfoList(QDir::Files))
            QVERIFY(QFile::copy(file.filePath(), into + file.fileName()));
    }
    for (const char *web : {"Web.woff", "Web.woff2"})
        QVERIFY(QFile::copy(path("made/web/") + web, path("fonts/") + web));
    if (QFileInfo::exists(Type1))
        QVERIFY(QFile::copy(Type1, path("fonts/C059-Roman.pfa")));
    writeBytes(path("fonts/notes.txt"), "not a font");
}

void TestFontFileReader::faces_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<FontFileFaces::Outcome>("outcome");
    QTest::addColumn<int>("faces");
    QTest::newRow("font") << "fonts/DejaVuSans.ttf" << FontFileFaces::Outcome::Read << 1;
    QTest::newRow("collection") << "fonts/hostile/collection.ttc" << FontFileFaces::Outcome::Read
                                << 2;
    // The variable font itself and its two named instances.
    QTest::newRow("variable") << "fonts/hostile/variable.ttf" << FontFileFaces::Outcome::Read << 3;
    QTest::newRow("WOFF2") << "fonts/Web.woff2" << FontFileFaces::Outcome::Read << 1;
    QTest::newRow("bitmap") << "fonts/hostile/bitmap.bdf" << FontFileFaces::Outcome::Read << 1;
    QTest::newRow("cut") << "fonts/Broken-Truncated.ttf" << FontFileFaces::Outcome::NotAFont << 0;
    QTest::newRow("text") << "fonts/notes.txt" << FontFileFaces::Outcome::NotAFont << 0;
    QTest::newRow("gone since listed") << "fonts/gone.ttf" << FontFileFaces::Outcome::Missing << 0;
}

void TestFontFileReader::faces()
{
    QFETCH(QString, file);
    QFETCH(FontFileFaces::Outcome, outcome);
    QFETCH(int, faces);
    FacePatterns read;
    QCOMPARE(FontFileFaces::read(path(file), read), outcome);
    QCOMPARE(read.size(), faces);
}

void TestFontFileReader::readsWhatFcScanReads()
{
    FontFileReader reader(path("cache"));
    Read read;
    readAll(reader, {path("fonts")}, read);

    QProcess scan;
    scan.start(
        QStringLiteral("fc-scan"),
        {QStringLiteral("--format"), QStringLiteral("%{file}\t%{family[0]}\n"), path("fonts")});
    QVERIFY(scan.waitForFinished(120000));
    QSet<QString> fontFiles;
    QSet<QString> families;
    int faces = 0;
    for (const QByteArray &line : scan.readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split('\t');
        fontFiles.insert(QString::fromUtf8(fields.at(0)));
        families.insert(QString::fromUtf8(fields.value(1)));
        ++faces;
    }
    QCOMPARE(read.faces, faces);
    const QStringList listed = read.catalog->families();
    for (const QString &family : families)
        QVERIFY2(listed.contains(family), qPrintable(family));
    QVERIFY(listed.contains(QStringLiteral("Collected Two")));
    if (QFileInfo::exists(Type1))
        QVERIFY(listed.contains(QStringLiteral("C059")));

    QDirIterator walk(path("fonts"), QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    for (; walk.hasNext(); walk.next())
        ++files;
    QCOMPARE(read.summary.skipped, files - int(fontFiles.size()));
    QVERIFY(read.summary.skipped >= 3); // the text, the cut and the empty fonts
    QCOMPARE(read.summary.messages, QStringList());
    QVERIFY(!read.summary.stopped);
    // The count of files, once known, stays; the last word is that all were read.
    QCOMPARE(read.progress.last(), qMakePair(files, files));
    for (qsizetype i = 1; i < read.progress.size(); ++i) {
        QVERIFY(read.progress.at(i).first >= read.progress.at(i - 1).first);
        QVERIFY(read.progress.at(i - 1).second == -1
                || read.progress.at(i).second == read.progress.at(i - 1).second);
    }
}

void TestFontFileReader::archiveUnpackedInTheUsersCache()
{
    // The user's cache is the test's own (XDG_CACHE_HOME).
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    QVERIFY(!cache.isEmpty());
    QCOMPARE(ArchiveUnpacker::defaultCacheFolder(), cache + "/glyphor/opened");
    FontFileReader reader;
    Read read;
    readAll(reader, {path("made/archives/real.zip"), path("made/archives/damaged.zip")}, read);
    const QList<FontFace> faces = read.catalog->faces(QStringLiteral("DejaVu Sans"));
    QCOMPARE(faces.size(), 1);
    QVERIFY(faces.at(0).file.startsWith(QFile::encodeName(cache + "/glyphor/opened/")));
    // The part of the damaged archive before the damage is no font either.
    QCOMPARE(read.summary.skipped, 1);
    QCOMPARE(read.summary.messages,
             QStringList {FontFileMessages::damagedArchive(path("made/archives/damaged.zip"))});
}

void TestFontFileReader::stoppedAndStartedAgain()
{
    FontFileReader reader(path("cache"));
    QSignalSpy finished(&reader, &FontFileReader::finished);
    QVERIFY(reader.start({path("fonts"), path("fonts"), path("fonts")}));
    QVERIFY(!reader.start({path("fonts")}));
    reader.stop();
    QVERIFY(finished.wait(120000));
    QVERIFY(finished.at(0).at(0).value<FontFileReader::Summary>().stopped);
    QVERIFY(!reader.isRunning());
    Read read;
    readAll(reader, {path("fonts/DejaVuSans.ttf")}, read);
    QCOMPARE(read.catalog->families(), QStringList {"DejaVu Sans"});
}

// A folder of 100,000 entries is said in steps, from before all its files are found to the end,
// and stops when asked while it is still being listed.
void TestFontFileReader::hugeFolderReadInSteps()
{
    constexpr int Entries = 100000;
    QVERIFY(QDir().mkpath(path("huge")));
    for (int i = 0; i < Entries; ++i) {
        // Empty: skipped at once, so nothing but the turns keeps the progress coming.
        QFile file(path("huge/%1.ttf").arg(i));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    FontFileReader reader(path("cache"));
    QSignalSpy finished(&reader, &FontFileReader::finished);
    int firstCount = 0;
    QObject::connect(&reader, &FontFileReader::progressed, &reader,
                     [&reader, &firstCount](int, int count) {
                         if (firstCount == 0)
                             firstCount = count;
                         reader.stop();
                     });
    QVERIFY(reader.start({path("huge")}));
    QVERIFY(finished.wait(60000));
    QCOMPARE(firstCount, -1); // still listing
    QVERIFY(finished.at(0).at(0).value<FontFileReader::Summary>().stopped);
    QObject::disconnect(&reader, &FontFileReader::progressed, &reader, nullptr);

    Read read;
    readAll(reader, {path("huge")}, read);
    QVERIFY(!read.summary.stopped);
    QCOMPARE(read.summary.skipped, Entries);
    QVERIFY(read.progress.size() > 2);
    QCOMPARE(read.progress.last(), qMakePair(Entries, Entries));
    for (qsizetype i = 1; i < read.progress.size(); ++i)
        QVERIFY(read.progress.at(i).first >= read.progress.at(i - 1).first);
}

// Reading the same folder again takes the faces of its unchanged files from the last reading
// (the same records), reads a rewritten file anew, leaves a removed one out; forgotten, every file
// is read again.
void TestFontFileReader::unchangedFilesNotReadAgain()
{
    QVERIFY(QDir().mkpath(path("again")));
    const QString fonts = QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/");
    for (const char *file :
         {"DejaVuSans.ttf", "LiberationMono-Regular.ttf", "LiberationSerif-Regular.ttf"})
        QVERIFY(QFile::copy(fonts + file, path("again/") + file));
    const auto faceOf = [](const Read &read, const char *family) {
        const QList<FontFace> faces = read.catalog->faces(QString::fromUtf8(family));
        return faces.isEmpty() ? nullptr : faces.first().pattern;
    };
    FontFileReader reader(path("cache"));
    Read first;
    readAll(reader, {path("again")}, first);
    QVERIFY(QFile::remove(path("again/LiberationSerif-Regular.ttf")));
    QVERIFY(QFile::remove(path("again/LiberationMono-Regular.ttf")));
    QVERIFY(QFile::copy(fonts + "LiberationSans-Regular.ttf",
                        path("again/LiberationMono-Regular.ttf")));
    Read second;
    readAll(reader, {path("again")}, second);
    QCOMPARE(second.catalog->families(), QStringList({"DejaVu Sans", "Liberation Sans"}));
    QCOMPARE(faceOf(second, "DejaVu Sans"), faceOf(first, "DejaVu Sans"));

    reader.forget();
    Read third;
    readAll(reader, {path("again")}, third);
    QCOMPARE(third.catalog->families(), second.catalog->families());
    QVERIFY(faceOf(third, "DejaVu Sans") != faceOf(first, "DejaVu Sans"));
}

QTEST_GUILESS_MAIN(TestFontFileReader)
#include "tst_fontfilereader.moc"
