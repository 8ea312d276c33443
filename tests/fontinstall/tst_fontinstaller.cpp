#include "fontconfigsync.h"
#include "fontinstaller.h"
#include "installtexts.h"
#include "ordinaryuser.h"
#include "systemfonts.h"
#include "testfiles.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QString Essai = QStringLiteral("Glyphor Essai");

QString font(const QString &name)
{
    return QStringLiteral(GLYPHOR_INSTALL_FONTS "/") + name;
}

const QString Regular = font(QStringLiteral("essai-regular.ttf"));
const QString Bold = font(QStringLiteral("essai-bold.ttf"));
const QString Other = font(QStringLiteral("autre.ttf"));
const QString Collection = font(QStringLiteral("recueil.ttc"));

// Every file of a folder, hidden ones too, with its bytes: what a failed or undone job must
// leave as it found.
QMap<QString, QByteArray> contents(const QString &folder, QDir::Filters hidden = QDir::Hidden)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | hidden))
        files.insert(name, readBytes(folder + u'/' + name));
    return files;
}

// Whether fc-list, another program reading the user's configuration, lists the family from
// that file.
bool fcListShows(const QString &family, const QString &file)
{
    QProcess fcList;
    fcList.start(QStringLiteral("fc-list"),
                 {QStringLiteral("--format"), QStringLiteral("%{file}|%{family}\\n")});
    fcList.waitForFinished(-1);
    for (const QString &line : QString::fromUtf8(fcList.readAllStandardOutput()).split(u'\n')) {
        if (line.section(u'|', 0, 0) == file && line.section(u'|', 1).split(u',').contains(family))
            return true;
    }
    return false;
}

// Whether the program's own configuration lists the family from that file.
bool programShows(const QString &family, const QString &file)
{
    return FontconfigSync::familyFiles(SystemFonts::configuration(), family).contains(file);
}

struct Result
{
    bool ok = false;
    QString message;
};

// Waits for the job the call started, to its end.
Result finished(FontInstaller &installer, bool started)
{
    if (!started)
        return {false, QStringLiteral("<not started>")};
    Result result;
    QEventLoop loop;
    QObject::connect(&installer, &FontInstaller::finished, &loop,
                     [&](bool ok, const QString &message) {
                         result = {ok, message};
                         loop.quit();
                     });
    loop.exec();
    return result;
}

} // namespace

class tst_FontInstaller : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_xdg;
    QTemporaryDir m_scratch;
    QString data() const { return m_xdg->filePath(QStringLiteral("data")); }
    QString folder() const { return data() + QStringLiteral("/fonts"); }
    void copyInto(const QString &source, const QString &name)
    {
        QDir().mkpath(folder());
        QVERIFY(QFile::copy(source, folder() + u'/' + name));
    }

private Q_SLOTS:
    void init()
    {
        // A user of their own for each test: font folder, trash, fontconfig's caches.
        m_xdg = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(data()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_xdg->filePath(QStringLiteral("cache"))));
    }

    void installedFamilyIsListedFromTheCopies_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("two faces") << Essai << QStringList {Regular, Bold};
        QTest::newRow("collection") << QStringLiteral("Recueil Deux") << QStringList {Collection};
    }

    void installedFamilyIsListedFromTheCopies()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, files);
        SystemFonts::configuration(); // loaded before the install, as the program's is
        FontInstaller installer;
        const Result result = finished(installer, installer.install(family, files));
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(result.message, InstallTexts::Installed.arg(family));
        QVERIFY(installer.canUndo());
        for (const QString &file : files) {
            const QString copy = folder() + u'/' + QFileInfo(file).fileName();
            QCOMPARE(readBytes(copy), readBytes(file));
            QVERIFY(fcListShows(family, copy));
            QVERIFY(programShows(family, copy));
        }
    }

    // The folder holds essai-regular.ttf before the family is installed; the undo must leave it
    // as it was, byte for byte.
    void nameClashAndUndo_data()
    {
        QTest::addColumn<QString>("there");
        QTest::addColumn<FontInstaller::Clash>("choice");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QStringList>("after"); // name, then the file whose bytes it holds
        const QString regular = QStringLiteral("essai-regular.ttf");
        const QString bold = QStringLiteral("essai-bold.ttf");
        QTest::newRow("Remplacer") << Other << FontInstaller::Clash::Replace << true
                                   << QStringList {bold, Bold, regular, Regular};
        QTest::newRow("Garder les deux")
            << Other << FontInstaller::Clash::KeepBoth << true
            << QStringList {bold,    Bold,    QStringLiteral("essai-regular (2).ttf"),
                            Regular, regular, Other};
        QTest::newRow("Ignorer") << Other << FontInstaller::Clash::Skip << true
                                 << QStringList {bold, Bold, regular, Other};
        QTest::newRow("identique") << Regular << FontInstaller::Clash::KeepBoth << false
                                   << QStringList {bold, Bold, regular, Regular};
    }

    void nameClashAndUndo()
    {
        QFETCH(QString, there);
        QFETCH(FontInstaller::Clash, choice);
        QFETCH(bool, asked);
        QFETCH(QStringList, after);
        copyInto(there, QStringLiteral("essai-regular.ttf"));
        const auto before = contents(folder());
        const QStringList files {Regular, Bold};
        QCOMPARE(FontInstaller::clashes(files), asked ? QStringList {Regular} : QStringList());

        FontInstaller installer;
        const Result result
            = finished(installer, installer.install(Essai, files, {{Regular, choice}}));
        QVERIFY2(result.ok, qPrintable(result.message));
        QMap<QString, QByteArray> expected;
        for (qsizetype i = 0; i < after.size(); i += 2)
            expected.insert(after[i], readBytes(after[i + 1]));
        QCOMPARE(contents(folder(), {}), expected);

        const Result undone = finished(installer, installer.undo());
        QVERIFY2(undone.ok, qPrintable(undone.message));
        QCOMPARE(undone.message, InstallTexts::Undone.arg(Essai));
        QCOMPARE(contents(folder()), before);
        QVERIFY(!installer.canUndo());
        QVERIFY(!fcListShows(Essai, folder() + QStringLiteral("/essai-bold.ttf")));
    }

    void failedInstallLeavesTheFolderAsItWas_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QByteArray>("path"); // the programs found, when not the usual ones
        QTest::addColumn<QString>("reason");
        const QString notFont = m_scratch.filePath(QStringLiteral("pas-une-police.ttf"));
        writeBytes(notFont, "Ceci n'est pas une police.\n");
        QTest::newRow("not a font") << Essai << QStringList {Regular, notFont} << QByteArray()
                                    << InstallTexts::NotRecognised.arg(notFont);
        QTest::newRow("other family")
            << QStringLiteral("Glyphor Absente") << QStringList {Regular} << QByteArray()
            << InstallTexts::FamilyNotInFiles.arg(QStringLiteral("Glyphor Absente"));
        QTest::newRow("no fc-cache")
            << Essai << QStringList {Regular, Bold} << QFile::encodeName(m_scratch.path())
            << InstallTexts::FcCacheMissing;
    }

    void failedInstallLeavesTheFolderAsItWas()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, files);
        QFETCH(QByteArray, path);
        QFETCH(QString, reason);
        copyInto(Other, QStringLiteral("autre.ttf"));
        const auto before = contents(folder());
        const QByteArray usualPath = qgetenv("PATH");
        if (!path.isEmpty())
            qputenv("PATH", path);
        FontInstaller installer;
        const Result result = finished(installer, installer.install(family, files));
        qputenv("PATH", usualPath);
        QVERIFY(!result.ok);
        QCOMPARE(result.message, InstallTexts::NotInstalled.arg(family, reason));
        QCOMPARE(contents(folder()), before);
        QVERIFY(!installer.canUndo());
    }

    // Families installed at once are undone at once; a family that failed among them took its
    // own files back already, and an install alone forgets what came before.
    void installsUndoneTogether()
    {
        const auto before = contents(folder());
        FontInstaller installer;
        const QString recueil = QStringLiteral("Recueil Deux");
        QVERIFY(finished(installer, installer.install(Essai, {Regular, Bold})).ok);
        QVERIFY(!finished(installer,
                          installer.install(QStringLiteral("Glyphor Absente"), {Other}, {},
                                            FontInstaller::Undo::WithPrevious))
                     .ok);
        QVERIFY(finished(
                    installer,
                    installer.install(recueil, {Collection}, {}, FontInstaller::Undo::WithPrevious))
                    .ok);
        const Result undone = finished(installer, installer.undo());
        QVERIFY2(undone.ok, qPrintable(undone.message));
        QCOMPARE(undone.message, InstallTexts::Undone.arg(InstallTexts::Families.arg(3)));
        QCOMPARE(contents(folder()), before);
        QVERIFY(!installer.canUndo());

        QVERIFY(finished(installer, installer.install(Essai, {Regular, Bold})).ok);
        QVERIFY(finished(installer, installer.install(recueil, {Collection})).ok);
        QCOMPARE(finished(installer, installer.undo()).message, InstallTexts::Undone.arg(recueil));
        QVERIFY(QFileInfo::exists(folder() + QStringLiteral("/essai-bold.ttf")));
        QVERIFY(!QFileInfo::exists(folder() + QStringLiteral("/recueil.ttc")));
    }

    void readOnlyFolderInstallsNothing()
    {
        if (OrdinaryUser::isRoot()) {
            QCOMPARE(OrdinaryUser::runAgain(QStringLiteral("readOnlyFolderInstallsNothing")), 0);
            return;
        }
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner));
        FontInstaller installer;
        const Result result = finished(installer, installer.install(Essai, {Regular, Bold}));
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!result.ok);
        QCOMPARE(result.message,
                 InstallTexts::NotInstalled.arg(Essai, InstallTexts::ReadOnlyFolder.arg(folder())));
        QVERIFY(contents(folder()).isEmpty());
    }

    // A copy that cannot be written whole (here, files are limited to the first one's size)
    // is removed, with the copies made before it.
    void partialCopyIsRemoved()
    {
        QVERIFY(QFileInfo(Collection).size() > QFileInfo(Regular).size());
        rlimit usual {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &usual), 0);
        rlimit limited = usual;
        limited.rlim_cur = rlim_t(QFileInfo(Regular).size());
        const auto usualSignal = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        FontInstaller installer;
        const Result result = finished(installer, installer.install(Essai, {Regular, Collection}));
        setrlimit(RLIMIT_FSIZE, &usual);
        std::signal(SIGXFSZ, usualSignal);
        QVERIFY(!result.ok);
        QCOMPARE(result.message,
                 InstallTexts::NotInstalled.arg(
                     Essai,
                     InstallTexts::NotCopied.arg(Collection,
                                                 QStringLiteral("Fichier trop volumineux"))));
        QVERIFY(contents(folder()).isEmpty());
    }

    void uninstallMovesToTheTrash()
    {
        copyInto(Regular, QStringLiteral("essai-regular.ttf"));
        copyInto(Bold, QStringLiteral("essai-bold.ttf"));
        const QStringList files {folder() + QStringLiteral("/essai-regular.ttf"),
                                 folder() + QStringLiteral("/essai-bold.ttf")};
        FontInstaller installer;
        // The job itself refuses a font from elsewhere, and moves none of the family's.
        const Result refused = finished(installer, installer.uninstall(Essai, {files[0], Other}));
        QCOMPARE(refused.message,
                 InstallTexts::NotUninstalled.arg(Essai, InstallTexts::SystemFont));
        QCOMPARE(contents(folder()).size(), 2);

        const Result result = finished(installer, installer.uninstall(Essai, files));
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(result.message, InstallTexts::Uninstalled.arg(Essai));
        QVERIFY(contents(folder()).isEmpty());
        const QString trash = data() + QStringLiteral("/Trash/files/");
        QCOMPARE(readBytes(trash + QStringLiteral("essai-regular.ttf")), readBytes(Regular));
        QCOMPARE(readBytes(trash + QStringLiteral("essai-bold.ttf")), readBytes(Bold));
        QVERIFY(!fcListShows(Essai, files[1]));
        QVERIFY(!programShows(Essai, files[1]));
    }

    // Paths relative to the user's data folder; "fonts/" is the font folder.
    void uninstallRefusal_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("in the folder") << QStringLiteral("fonts/a.ttf") << QString();
        QTest::newRow("in a folder of it") << QStringLiteral("fonts/sub/b.ttf") << QString();
        QTest::newRow("outside") << QStringLiteral("outside.ttf") << InstallTexts::SystemFont;
        QTest::newRow("link out of it")
            << QStringLiteral("fonts/link.ttf") << InstallTexts::SystemFont;
        QTest::newRow("up out of it")
            << QStringLiteral("fonts/../outside.ttf") << InstallTexts::SystemFont;
        QTest::newRow("a folder named like it")
            << QStringLiteral("fonts-x/c.ttf") << InstallTexts::SystemFont;
    }

    void uninstallRefusal()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        for (const QString &made :
             {QStringLiteral("fonts/a.ttf"), QStringLiteral("fonts/sub/b.ttf"),
              QStringLiteral("outside.ttf"), QStringLiteral("fonts-x/c.ttf")}) {
            QDir().mkpath(QFileInfo(data() + u'/' + made).path());
            writeBytes(data() + u'/' + made, "font");
        }
        QVERIFY(QFile::link(data() + QStringLiteral("/outside.ttf"),
                            folder() + QStringLiteral("/link.ttf")));
        QCOMPARE(FontInstaller::uninstallRefusal({data() + u'/' + file}), reason);
        const QString missing = folder() + QStringLiteral("/missing.ttf");
        QCOMPARE(FontInstaller::uninstallRefusal({missing}),
                 InstallTexts::MissingFile.arg(missing));
    }
};

QTEST_GUILESS_MAIN(tst_FontInstaller)
#include "tst_fontinstaller.moc"
