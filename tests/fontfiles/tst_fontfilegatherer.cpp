#include "fontfilegatherer.h"
#include "fontfilemessages.h"
#include "fontfilestestdata.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The files a user's paths lead to: folders walked through links without looping, archives
// unpacked, what cannot be read said.
class TestFontFileGatherer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void folderWalkedOnce();
    void stepByStepAsAtOnce();
    void unreadableFileSaid();

private:
    QString path(const QString &relative) const { return m_folder.filePath(relative); }
    QTemporaryDir m_folder;
    QTemporaryDir m_cache;
    const std::atomic<bool> m_going = false;
};

namespace {

QStringList sortedNames(const QStringList &paths)
{
    QStringList names = fileNames(paths);
    names.sort();
    return names;
}

QStringList gatherAll(FontFileGatherer &gatherer, qsizetype step, const std::atomic<bool> &going)
{
    QStringList found;
    while (!gatherer.atEnd())
        found += gatherer.next(step, going);
    return found;
}

} // namespace

void TestFontFileGatherer::initTestCase()
{
    // fonts/a.ttf, fonts/notes.txt, fonts/deeper/b.otf, a loop back up, a second way to a.ttf,
    // a link to nothing, a pipe, a hidden file, an archive of three fonts and a nested archive.
    makeFontFiles(path("made"));
    QVERIFY(QDir().mkpath(path("fonts/deeper")));
    writeBytes(path("fonts/a.ttf"), "a");
    writeBytes(path("fonts/notes.txt"), "n");
    writeBytes(path("fonts/deeper/b.otf"), "b");
    writeBytes(path("fonts/.hidden.ttf"), "h");
    QVERIFY(QFile::link(path("fonts"), path("fonts/deeper/loop")));
    QVERIFY(QFile::link(path("fonts/a.ttf"), path("fonts/deeper/again.ttf")));
    QVERIFY(QFile::link(path("nothing.ttf"), path("fonts/dangling.ttf")));
    QCOMPARE(mkfifo(QFile::encodeName(path("fonts/pipe.ttf")).constData(), 0600), 0);
    QVERIFY(QFile::copy(path("made/archives/plain.zip"), path("fonts/deeper/plain.zip")));
    QVERIFY(QFile::copy(path("made/archives/nested.zip"), path("fonts/nested.zip")));
}

void TestFontFileGatherer::folderWalkedOnce()
{
    // The folder given twice, once through the loop, and a path that does not exist.
    FontFileGatherer gatherer({path("fonts"), path("fonts/deeper/loop"), path("missing")},
                              ArchiveUnpacker(m_cache.path()));
    const QStringList found = gatherAll(gatherer, 1000, m_going);
    // a.ttf of the folder (again.ttf leads to it), of plain.zip and of nested.zip.
    QCOMPARE(sortedNames(found),
             QStringList({"a.ttf", "a.ttf", "a.ttf", "b.OTF", "b.otf", "c.pcf.gz", "notes.txt"}));
    // The pipe, and the archive and the tar inside nested.zip.
    QCOMPARE(gatherer.skipped(), 3);
    QCOMPARE(gatherer.takeMessages(),
             QStringList({FontFileMessages::notFound(path("fonts/dangling.ttf")),
                          FontFileMessages::notFound(path("missing"))}));
    QVERIFY(gatherer.takeMessages().isEmpty());
}

void TestFontFileGatherer::stepByStepAsAtOnce()
{
    FontFileGatherer atOnce({path("fonts")}, ArchiveUnpacker(m_cache.path()));
    FontFileGatherer stepByStep({path("fonts")}, ArchiveUnpacker(m_cache.path()));
    QCOMPARE(gatherAll(stepByStep, 1, m_going), gatherAll(atOnce, 100000, m_going));
    QCOMPARE(stepByStep.skipped(), atOnce.skipped());
}

void TestFontFileGatherer::unreadableFileSaid()
{
    if (geteuid() == 0)
        QSKIP("root reads every file");
    const QString locked = path("locked.ttf");
    writeBytes(locked, "l");
    QVERIFY(QFile::setPermissions(locked, {}));
    FontFileGatherer gatherer({locked, path("fonts/a.ttf")}, ArchiveUnpacker(m_cache.path()));
    QCOMPARE(sortedNames(gatherAll(gatherer, 10, m_going)), QStringList {"a.ttf"});
    QCOMPARE(gatherer.takeMessages(), QStringList {FontFileMessages::unreadable(locked)});
}

QTEST_GUILESS_MAIN(TestFontFileGatherer)
#include "tst_fontfilegatherer.moc"
