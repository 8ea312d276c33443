#include "glyphorerror.h"
#include "htmlfontpage.h"
#include "ordinaryuser.h"
#include "testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Typography)

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

HtmlPageContent content(const QStringList &fonts, const QString &sample,
                        const Typography &typography = {})
{
    HtmlPageContent page;
    page.typography = typography;
    page.version = QStringLiteral("Glyphor 3.5");
    page.fonts = fonts;
    page.sample = [sample] {
        return sample;
    };
    page.date = QStringLiteral("07/12/2026");
    page.time = QStringLiteral("09:05:03");
    page.authorLine = QStringLiteral("L'équipe Glyphor");
    page.homePage = QStringLiteral("https://example.org/glyphor");
    return page;
}

const QStringList TestFonts = {QStringLiteral("Default"), QStringLiteral("DejaVu Sans"),
                               QStringLiteral("Liberation Serif")};

// A folder on a disk of a few kilobytes, to see a real full disk. Mounting needs root; the disk
// is mounted in a mount namespace of the test's own, which nothing else sees.
class SmallDisk
{
public:
    SmallDisk()
    {
        m_mounted = m_dir.isValid() && geteuid() == 0 && unshare(CLONE_NEWNS) == 0
            && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=16k")
                == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

QString writeError(const QString &path, const HtmlPageContent &content)
{
    try {
        HtmlFontPage::write(path, content);
    } catch (const GlyphorError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

class TestHtmlFontPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageMatchesItsGoldenFile_data();
    void pageMatchesItsGoldenFile();
    void everyPageHasTheFixedLinesAndFourPerFont();
    void sampleIsReadForEveryRow();
    void faceQuotesWhatBrowsersWouldNotReadAsOneFamily_data();
    void faceQuotesWhatBrowsersWouldNotReadAsOneFamily();
    void dateAndTimeFollowTheLocale();
    void pageThatCannotBeCreatedTouchesNothing_data();
    void pageThatCannotBeCreatedTouchesNothing();
    void failedWriteKeepsTheOldPage();
    void readOnlyFolderKeepsTheOldPage();
    void fullDiskKeepsTheOldPageAndSaysWhy();

private:
    QTemporaryDir m_dir;
};

void TestHtmlFontPage::pageMatchesItsGoldenFile_data()
{
    QTest::addColumn<QStringList>("fonts");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<Typography>("typography");

    QTest::newRow("lines page") << TestFonts
                                << QStringLiteral("azertyuiopQSDFGHJKLMéèàùêîâ@1234567890")
                                << QStringLiteral("lines.htm") << Typography();
    // On the Text page the sample field holds the chosen font's name.
    QTest::newRow("text page") << TestFonts << QStringLiteral("Liberation Serif")
                               << QStringLiteral("text.htm") << Typography();
    QTest::newRow("empty sample") << TestFonts << QString() << QStringLiteral("empty.htm")
                                  << Typography();
    QTest::newRow("no fonts") << QStringList() << QStringLiteral("x")
                              << QStringLiteral("nofonts.htm") << Typography();
    // Names are escaped, the sample is the user's markup; characters outside Windows-1252
    // become references, the euro sign and the low quotes keep their Windows-1252 bytes.
    QTest::newRow("escaped and referenced")
        << QStringList {QStringLiteral("A<b>&\"C\""), QStringLiteral("Ωmega ‚Sans‛"),
                        QStringLiteral("Noto Color Emoji 😀")}
        << QStringLiteral("<i>R&D</i> 5 € „ок“ 😀") << QStringLiteral("escaped.htm") << Typography();
    // Features, axes, spacing and language for the browser; a tag that could end the string or
    // the style sheet escaped.
    Typography typography;
    typography.features = {{"smcp", true}, {"liga", false}, {"x\"</", true}};
    typography.axes = {{"wght", 700}, {"wdth", 87.5}};
    typography.letterSpacing = -25;
    typography.language = QStringLiteral("tr");
    QTest::newRow("typography") << TestFonts << QStringLiteral("fiancé 123")
                                << QStringLiteral("typography.htm") << typography;
}

void TestHtmlFontPage::pageMatchesItsGoldenFile()
{
    QFETCH(QStringList, fonts);
    QFETCH(QString, sample);
    QFETCH(QString, golden);
    QFETCH(Typography, typography);

    const QString path = m_dir.filePath(golden);
    QCOMPARE(HtmlFontPage::write(path, content(fonts, sample, typography)),
             HtmlFontPage::Outcome::Written);
    const QByteArray expected = readBytes(QStringLiteral(GOLDEN_DIR "/") + golden);
    if (qEnvironmentVariableIsSet("GLYPHOR_UPDATE_GOLDEN"))
        writeBytes(QStringLiteral(GOLDEN_DIR "/") + golden, readBytes(path));
    QCOMPARE(readBytes(path), expected);
}

void TestHtmlFontPage::everyPageHasTheFixedLinesAndFourPerFont()
{
    QStringList fonts;
    for (int i = 0; i < 1000; ++i)
        fonts << QStringLiteral("Family %1").arg(i);
    const QString path = m_dir.filePath(QStringLiteral("count.htm"));
    QCOMPARE(HtmlFontPage::write(path, content(fonts, QStringLiteral("é"))),
             HtmlFontPage::Outcome::Written);

    const QByteArray page = readBytes(path);
    QVERIFY(page.endsWith("</HTML>\r\n"));
    QCOMPARE(page.count("\r\n"), 22 + 4 * fonts.size());
    QCOMPARE(page.count('\n'), page.count("\r\n"));
    QVERIFY(page.contains("trouve <b>1000</b> police(s)"));
    QCOMPARE(page.count("<TR>"), fonts.size());

    // A sample of 100,000 characters goes into every row whole.
    const QString sample(100000, u'é');
    QCOMPARE(HtmlFontPage::write(path, content(TestFonts, sample)), HtmlFontPage::Outcome::Written);
    const QByteArray row
        = "<FONT FACE=\"Liberation Serif\">" + QByteArray(100000, '\xE9') + "</FONT></TD>\r\n";
    QVERIFY(readBytes(path).contains(row));
}

void TestHtmlFontPage::sampleIsReadForEveryRow()
{
    HtmlPageContent page = content(TestFonts, QString());
    int reads = 0;
    page.sample = [&reads] {
        return QString::number(++reads);
    };
    const QString path = m_dir.filePath(QStringLiteral("reads.htm"));
    QCOMPARE(HtmlFontPage::write(path, page), HtmlFontPage::Outcome::Written);
    QCOMPARE(reads, TestFonts.size());
    QVERIFY(readBytes(path).contains("<FONT FACE=\"Liberation Serif\">3</FONT>"));
}

void TestHtmlFontPage::faceQuotesWhatBrowsersWouldNotReadAsOneFamily_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("face"); // the FACE attribute's bytes

    // Words that are CSS identifiers, one space apart: the name as it is.
    QTest::newRow("plain") << "DejaVu Sans" << QByteArray("DejaVu Sans");
    QTest::newRow("default entry") << "Default" << QByteArray("Default");
    QTest::newRow("digits and hyphens inside")
        << "Noto Sans CJK-JP2 _x" << QByteArray("Noto Sans CJK-JP2 _x");
    QTest::newRow("accented") << "Éàü Accent" << QByteArray("\xC9\xE0\xFC Accent");
    QTest::newRow("leading hyphen") << "-Dash --Two" << QByteArray("-Dash --Two");
    // Anything else is one quoted CSS string.
    QTest::newRow("apostrophe") << "QA Mono l'été" << QByteArray("&quot;QA Mono l'\xE9t\xE9&quot;");
    QTest::newRow("comma") << "Comma, Family" << QByteArray("&quot;Comma, Family&quot;");
    QTest::newRow("brackets") << "Brack [Foundry]" << QByteArray("&quot;Brack [Foundry]&quot;");
    QTest::newRow("double quotes")
        << "\"Quoted\"" << QByteArray("&quot;\\&quot;Quoted\\&quot;&quot;");
    QTest::newRow("word starting with a digit")
        << "Corpus 0001 Sans" << QByteArray("&quot;Corpus 0001 Sans&quot;");
    QTest::newRow("hyphen and digit") << "Mono -1" << QByteArray("&quot;Mono -1&quot;");
    QTest::newRow("lone hyphen") << "A - B" << QByteArray("&quot;A - B&quot;");
    QTest::newRow("two spaces") << "Two  Spaces" << QByteArray("&quot;Two  Spaces&quot;");
    QTest::newRow("backslash") << "Back\\slash" << QByteArray("&quot;Back\\\\slash&quot;");
    QTest::newRow("markup") << "R&D <Sans>" << QByteArray("&quot;R&amp;D &lt;Sans&gt;&quot;");
    QTest::newRow("control character") << "Tab\tName" << QByteArray("&quot;Tab\\9 Name&quot;");
    // Alone, a generic family or a CSS keyword would not name the installed family.
    QTest::newRow("generic family") << "Fantasy" << QByteArray("&quot;Fantasy&quot;");
    QTest::newRow("generic family in a name") << "Fantasy Serif" << QByteArray("Fantasy Serif");
}

void TestHtmlFontPage::faceQuotesWhatBrowsersWouldNotReadAsOneFamily()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, face);
    const QString path = m_dir.filePath(QStringLiteral("face.htm"));
    QCOMPARE(HtmlFontPage::write(path, content({name}, QStringLiteral("x"))),
             HtmlFontPage::Outcome::Written);
    const QList<QByteArray> lines = readBytes(path).split('\n');
    QCOMPARE(lines[16], "<TD><FONT FACE=\"" + face + "\">x</FONT></TD>\r");
}

void TestHtmlFontPage::dateAndTimeFollowTheLocale()
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(7, 8, 9));
    const QLocale french(QLocale::French, QLocale::France);
    QCOMPARE(HtmlFontPage::dateText(moment, french), QStringLiteral("04/03/2026"));
}

void TestHtmlFontPage::pageThatCannotBeCreatedTouchesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty name") << QString();
    QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("missing/page.htm"));
    QTest::newRow("folder is a file") << m_dir.filePath(QStringLiteral("plain/page.htm"));
    QTest::newRow("name is a folder") << m_dir.filePath(QStringLiteral("folder"));
    // Only known to be refused when the finished page would get its name.
    QTest::newRow("name too long") << m_dir.filePath(QString(300, u'n') + QStringLiteral(".htm"));
}

void TestHtmlFontPage::pageThatCannotBeCreatedTouchesNothing()
{
    QFETCH(QString, path);
    writeBytes(m_dir.filePath(QStringLiteral("plain")), "keep");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    QCOMPARE(HtmlFontPage::write(path, content(TestFonts, QStringLiteral("x"))),
             HtmlFontPage::Outcome::NotOpened);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QCOMPARE(readBytes(m_dir.filePath(QStringLiteral("plain"))), QByteArray("keep"));
}

void TestHtmlFontPage::failedWriteKeepsTheOldPage()
{
    // A file size limit stops the write half-way, as a full disk does, even for root.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    writeBytes(path, "<HTML>old</HTML>\r\n");
    QStringList fonts;
    for (int i = 0; i < 5000; ++i)
        fonts << QStringLiteral("Family %1").arg(i);

    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = writeError(path, content(fonts, QStringLiteral("sample")));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(error,
             QStringLiteral("Erreur d'écriture du fichier %1 : Fichier trop volumineux").arg(path));
    QCOMPARE(readBytes(path), QByteArray("<HTML>old</HTML>\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("page.htm")});
}

void TestHtmlFontPage::readOnlyFolderKeepsTheOldPage()
{
    if (OrdinaryUser::isRoot()) {
        QCOMPARE(OrdinaryUser::runAgain(QStringLiteral("readOnlyFolderKeepsTheOldPage")), 0);
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    writeBytes(path, "old");
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const HtmlFontPage::Outcome outcome = HtmlFontPage::write(path, content(TestFonts, "x"));
    QVERIFY(
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(outcome, HtmlFontPage::Outcome::NotOpened);
    QCOMPARE(readBytes(path), QByteArray("old"));
}

void TestHtmlFontPage::fullDiskKeepsTheOldPageAndSaysWhy()
{
    const SmallDisk disk;
    if (!disk.isMounted())
        QSKIP("mounting a small disk needs root");
    const QString path = disk.filePath(QStringLiteral("page.htm"));
    writeBytes(path, "<HTML>old</HTML>\r\n");
    QStringList fonts;
    for (int i = 0; i < 5000; ++i)
        fonts << QStringLiteral("Family %1").arg(i);

    QCOMPARE(
        writeError(path, content(fonts, QStringLiteral("sample"))),
        QStringLiteral("Erreur d'écriture du fichier %1 : Plus de place sur le disque").arg(path));
    QCOMPARE(readBytes(path), QByteArray("<HTML>old</HTML>\r\n"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("page.htm")});
}

QTEST_GUILESS_MAIN(TestHtmlFontPage)
#include "tst_htmlfontpage.moc"
