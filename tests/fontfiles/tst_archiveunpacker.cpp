#include "archiveunpacker.h"
#include "fontfilemessages.h"
#include "fontfilestestdata.h"
#include "testfiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

// ZIP archives unpacked into the cache whatever their entries' names, within the limits.
class TestArchiveUnpacker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unpack_data();
    void unpack();
    void nothingWrittenOutsideTheCache();
    void unchangedArchiveReused();
    void changedArchiveUnpackedAgain();
    void unusedFoldersForgotten();

private:
    QString archive(const QString &name) const
    {
        return m_files.filePath(QStringLiteral("archives/") + name);
    }
    QTemporaryDir m_files;
    QTemporaryDir m_cache;
    const std::atomic<bool> m_going = false;
};

void TestArchiveUnpacker::initTestCase()
{
    QVERIFY(m_files.isValid());
    QVERIFY(m_cache.isValid());
    makeFontFiles(m_files.path());
}

void TestArchiveUnpacker::unpack_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<int>("entries"); // the limit on the number of entries
    QTest::addColumn<qint64>("entryBytes"); // the limit on one entry's size
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("message");

    const ArchiveUnpacker::Limits usual;
    const auto row = [&](const char *name, const QString &archive, const QStringList &files,
                         int skipped = 0, const QString &message = {}) {
        QTest::newRow(name) << archive << usual.entries << usual.entryBytes << files << skipped
                            << message;
    };
    row("fonts only, by extension", "plain.zip", {"a.ttf", "b.OTF", "c.pcf.gz"});
    row("names that climb out", "climbing.zip",
        {"evil.ttf", "absolute.ttf", "windows.ttf", "drive.ttf"});
    row("same name twice", "same-names.zip", {"x.ttf", "2_x.ttf", "3_x.ttf"});
    row("line breaks, tabs, bad bytes, long name", "odd-names.zip",
        {"line_break_.ttf", "tab_here.otf", "bad-\uFFFD\uFFFD.ttf", QString(74, u'x') + ".woff2"});
    row("archive in the archive", "nested.zip", {"a.ttf"}, 2);
    row("bomb", "bomb.zip", {"small.ttf"}, 0,
        FontFileMessages::archiveTooLarge(archive("bomb.zip")));
    row("damaged", "damaged.zip", {"first.ttf"}, 0,
        FontFileMessages::damagedArchive(archive("damaged.zip")));
    row("no archive", "not-a-zip.zip", {}, 0,
        FontFileMessages::damagedArchive(archive("not-a-zip.zip")));
    QTest::newRow("too many entries")
        << "many.zip" << 3 << usual.entryBytes << QStringList {"f0.ttf", "f1.ttf", "f2.ttf"} << 0
        << FontFileMessages::tooManyEntries(archive("many.zip"));
    QTest::newRow("entry too large")
        << "large-entry.zip" << usual.entries << qint64(1000) << QStringList {"small.ttf"} << 0
        << FontFileMessages::entryTooLarge(archive("large-entry.zip"), "large.ttf");
}

void TestArchiveUnpacker::unpack()
{
    QFETCH(QString, archive);
    QFETCH(int, entries);
    QFETCH(qint64, entryBytes);
    QFETCH(QStringList, files);
    QFETCH(int, skipped);
    QFETCH(QString, message);

    ArchiveUnpacker::Limits limits;
    limits.entries = entries;
    limits.entryBytes = entryBytes;
    const ArchiveUnpacker unpacker(m_cache.path(), limits);
    const QString path = this->archive(archive);
    const ArchiveUnpacker::Result result = unpacker.unpack(path, m_going);
    QCOMPARE(fileNames(result.files), files);
    const QString folder = unpacker.folderFor(QFileInfo(path));
    for (const QString &file : result.files) {
        QCOMPARE(QFileInfo(file).absolutePath(), folder);
        QVERIFY(QFileInfo(file).isFile());
    }
    QCOMPARE(result.skipped, skipped);
    QCOMPARE(result.messages, message.isEmpty() ? QStringList() : QStringList {message});
}

void TestArchiveUnpacker::nothingWrittenOutsideTheCache()
{
    // Every file of the test's folder is one it made, or in an archive's own folder.
    QDirIterator made(m_files.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (made.hasNext()) {
        const QString file = made.next();
        QVERIFY2(file.startsWith(m_files.filePath(QStringLiteral("archives/")))
                     || file.startsWith(m_files.filePath(QStringLiteral("web/"))),
                 qPrintable(file));
    }
    QDirIterator cached(m_cache.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (cached.hasNext()) {
        const QString relative = QDir(m_cache.path()).relativeFilePath(cached.next());
        QCOMPARE(relative.count(u'/'), 1);
    }
    QVERIFY(!QFileInfo::exists(QStringLiteral("/evil.ttf")));
}

void TestArchiveUnpacker::unchangedArchiveReused()
{
    QTemporaryDir cache;
    const ArchiveUnpacker unpacker(cache.path());
    const ArchiveUnpacker::Result first = unpacker.unpack(archive("nested.zip"), m_going);
    // A file left in its folder shows the folder was not made again.
    const QString left = unpacker.folderFor(QFileInfo(archive("nested.zip"))) + "/left";
    writeBytes(left, "x");
    const ArchiveUnpacker::Result again = unpacker.unpack(archive("nested.zip"), m_going);
    QCOMPARE(again.files, first.files);
    QCOMPARE(again.skipped, first.skipped);
    QVERIFY(QFileInfo::exists(left));
    // And says again what it said.
    const ArchiveUnpacker::Result damaged = unpacker.unpack(archive("damaged.zip"), m_going);
    QCOMPARE(unpacker.unpack(archive("damaged.zip"), m_going).messages, damaged.messages);
}

void TestArchiveUnpacker::changedArchiveUnpackedAgain()
{
    const ArchiveUnpacker unpacker(m_cache.path());
    const QString path = archive("plain.zip");
    const QString before = unpacker.folderFor(QFileInfo(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime));
    file.close();
    QVERIFY(unpacker.folderFor(QFileInfo(path)) != before);
    QCOMPARE(fileNames(unpacker.unpack(path, m_going).files),
             QStringList({"a.ttf", "b.OTF", "c.pcf.gz"}));
}

// Folders of archives not opened for a month go, and folders left half made; an archive opened
// again keeps its folder, however old its first unpacking.
void TestArchiveUnpacker::unusedFoldersForgotten()
{
    QTemporaryDir cache;
    const ArchiveUnpacker unpacker(cache.path());
    const QString plain = unpacker.folderFor(QFileInfo(archive("plain.zip")));
    const QString nested = unpacker.folderFor(QFileInfo(archive("nested.zip")));
    unpacker.unpack(archive("plain.zip"), m_going);
    unpacker.unpack(archive("nested.zip"), m_going);
    const QString halfMade = cache.filePath(QStringLiteral("0123.abcdef"));
    QVERIFY(QDir().mkpath(halfMade));
    const QDateTime longAgo
        = QDateTime::currentDateTime().addDays(-ArchiveUnpacker::UnusedDays - 1);
    for (const QString &file :
         QStringList {plain + "/.unpacked", nested + "/.unpacked", halfMade}) {
        const timespec when {longAgo.toSecsSinceEpoch(), 0};
        const timespec times[2] = {when, when};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0) == 0);
    }
    unpacker.unpack(archive("nested.zip"), m_going);
    unpacker.forgetUnused();
    QVERIFY(!QFileInfo::exists(plain));
    QVERIFY(!QFileInfo::exists(halfMade));
    QVERIFY(QFileInfo::exists(nested));
    QCOMPARE(QDir(cache.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
}

QTEST_GUILESS_MAIN(TestArchiveUnpacker)
#include "tst_archiveunpacker.moc"
