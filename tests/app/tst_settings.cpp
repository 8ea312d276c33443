#include "glyphorerror.h"
#include "ordinaryuser.h"
#include "settings.h"
#include "testfiles.h"
#include "typographysettings.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

void compareSettings(const Settings &actual, const Settings &expected)
{
    QCOMPARE(actual.string, expected.string);
    QCOMPARE(actual.browser, expected.browser);
    QCOMPARE(actual.size, expected.size);
    QCOMPARE(actual.showNames, expected.showNames);
    QCOMPARE(actual.system, expected.system);
    QCOMPARE(actual.showHints, expected.showHints);
}

Typography typography(const QMap<QByteArray, bool> &features,
                      const QMap<QByteArray, double> &axes = {}, const QString &language = {},
                      int letterSpacing = 0)
{
    return {features, axes, language, letterSpacing};
}

QByteArray described(const Typography &typography)
{
    return (TypographySettings::featuresText(typography.features) + u" | "
            + TypographySettings::axesText(typography.axes) + u" | " + typography.language + u" | "
            + QString::number(typography.letterSpacing))
        .toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(Typography)

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void noFileGivesDefaults();
    void firstRunFile();
    void roundTrip();
    void read_data();
    void read();
    void otherLinesSurvive();
    void favouritesMerged_data();
    void favouritesMerged();
    void oddFavourites();
    void typographyRead_data();
    void typographyRead();
    void typographyRoundTrip();
    void typographyWrittenWhenChanged_data();
    void typographyWrittenWhenChanged();
    void openedFilesKeptOnlyWhenAsked();
    void failedWriteThrows();
    void unreadableFileIsNeverReplaced();
    void mixedEncodingsSurvive();
    void filePath_data();
    void filePath();

private:
    QTemporaryDir m_dir;
};

void TestSettings::noFileGivesDefaults()
{
    const Settings settings = Settings::read(m_dir.filePath(QStringLiteral("none/glyphor.ini")));
    compareSettings(settings, Settings());
    QCOMPARE(settings.string.size(), 38);
}

void TestSettings::firstRunFile()
{
    const QString path = m_dir.filePath(QStringLiteral("first/glyphor/glyphor.ini"));
    Settings::read(path).write(path);
    QCOMPARE(
        readBytes(path),
        QByteArray("[glyphor]\n"
                   "String=azertyuiopQSDFGHJKLM\xc3\xa9\xc3\xa8\xc3\xa0\xc3\xb9\xc3\xaa\xc3\xae"
                   "\xc3\xa2@1234567890\n"
                   "Browser=\nSize=12\nShowNames=1\nShowHints=1\nSystem=\n"));
}

void TestSettings::roundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
    Settings settings;
    settings.string = QStringLiteral(" Œuvre «ça» ");
    settings.browser = QStringLiteral("/usr/bin/navigateur élégant");
    settings.size = -40;
    settings.showNames = false;
    settings.system = QStringLiteral("'système'");
    settings.showHints = false;
    settings.write(path);
    compareSettings(Settings::read(path), settings);

    settings.string.clear();
    settings.size = 100; // brought into range by the size field, not here
    settings.showHints = true;
    settings.write(path);
    compareSettings(Settings::read(path), settings);
}

void TestSettings::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("string");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("showNames");

    const QString sample = Settings::defaultSampleString();
    QTest::newRow("empty String") << QByteArray("[glyphor]\nString=\n") << "" << 12 << true;
    QTest::newRow("hex size, ShowNames 2")
        << QByteArray("[GLYPHOR]\nsize=0x14\nshownames=2\n") << sample << 20 << true;
    QTest::newRow("unusable values")
        << QByteArray("[glyphor]\nSize=abc\nShowNames=yes\n") << sample << 12 << true;
    QTest::newRow("ShowNames 0") << QByteArray("[glyphor]\nShowNames=0\n") << sample << 12 << false;
}

void TestSettings::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, string);
    QFETCH(int, size);
    QFETCH(bool, showNames);
    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    writeBytes(path, bytes);
    const Settings settings = Settings::read(path);
    QCOMPARE(settings.string, string);
    QCOMPARE(settings.size, size);
    QCOMPARE(settings.showNames, showNames);
}

void TestSettings::otherLinesSurvive()
{
    const QString path = m_dir.filePath(QStringLiteral("others.ini"));
    writeBytes(path, "; mine\n[glyphor]\nSize=100\nExtra=x\n\n[other]\nSize=3\n");
    Settings settings = Settings::read(path);
    QCOMPARE(settings.size, 100);
    settings.size = 14;
    settings.write(path);
    QCOMPARE(readBytes(path),
             QByteArray("; mine\n[glyphor]\nSize=14\nExtra=x\nString=") + settings.string.toUtf8()
                 + "\nBrowser=\nShowNames=1\nShowHints=1\nSystem=\n\n[other]\nSize=3\n");
}

// The favourites this run changed, applied to the section as the file holds it at the end: what
// another copy or a hand edit put there meanwhile stays, and a run that changed nothing leaves
// the section alone.
void TestSettings::favouritesMerged_data()
{
    QTest::addColumn<QByteArray>("atStart");
    QTest::addColumn<QStringList>("atEnd"); // the run's favourites when it closes
    QTest::addColumn<QByteArray>("meanwhile"); // the file as another copy or a hand left it
    QTest::addColumn<QByteArray>("written");

    const QByteArray ab("[Favoris]\nPolice1=A\nPolice2=B\n");
    QTest::newRow("unchanged: another copy's star stays")
        << QByteArray("[Favoris]\nPolice1=A\n") << QStringList {"A"} << ab << ab;
    QTest::newRow("unchanged: a hand edit stays")
        << QByteArray("[Favoris]\nPolice1=A\n") << QStringList {"A"}
        << QByteArray("[Favoris]\n; mine\nPolice1=A\nmy own = C\nPolice1=A\n")
        << QByteArray("[Favoris]\n; mine\nPolice1=A\nmy own = C\nPolice1=A\n");
    QTest::newRow("added beside another copy's")
        << QByteArray("[Favoris]\nPolice1=A\n") << QStringList {"A", "X"} << ab
        << QByteArray("[Favoris]\nPolice1=A\nPolice2=B\nPolice3=X\n");
    QTest::newRow("removed, every repeat, another copy's kept")
        << ab << QStringList {"B"}
        << QByteArray("[Favoris]\nPolice1=A\nPolice2=B\nx=A\nPolice3=C\n")
        << QByteArray("[Favoris]\nPolice2=B\nPolice3=C\n");
    QTest::newRow("hand-written keys not renumbered")
        << QByteArray() << QStringList {"X"}
        << QByteArray("[Favoris]\nPerso=Z\npolice7=A\n\n[other]\nx=1\n")
        << QByteArray("[Favoris]\nPerso=Z\npolice7=A\nPolice8=X\n\n[other]\nx=1\n");
    QTest::newRow("already added by another copy") << QByteArray() << QStringList {"B"} << ab << ab;
    QTest::newRow("section gone meanwhile")
        << QByteArray("[Favoris]\nPolice1=A\n") << QStringList {"A", "X"}
        << QByteArray("[glyphor]\nSize=12\n") << QByteArray("\n\n[Favoris]\nPolice1=X\n");
    QTest::newRow("odd names, quoted so they read back")
        << QByteArray() << QStringList {"Name = with; odd \"signs\"", " Blank "} << QByteArray()
        << QByteArray("[Favoris]\nPolice1=Name = with; odd \"signs\"\nPolice2=\" Blank \"\n");
    const QByteArray longName(3000, 'L');
    QTest::newRow("a long name kept whole")
        << QByteArray("[Favoris]\nPolice1=" + longName + "\n") << QStringList {longName, "X"}
        << QByteArray("[Favoris]\nPolice1=" + longName + "\n")
        << QByteArray("[Favoris]\nPolice1=" + longName + "\nPolice2=X\n");
    QTest::newRow("CR LF line ends kept")
        << QByteArray() << QStringList {"X"} << QByteArray("[Favoris]\r\nPolice1=A\r\n")
        << QByteArray("[Favoris]\r\nPolice1=A\r\nPolice2=X\r\n");
    const auto utf16 = [](const QString &text) -> QByteArray {
        const QByteArray encoded = QStringEncoder(QStringEncoder::Utf16LE).encode(text);
        return QByteArray("\xff\xfe") + encoded;
    };
    QTest::newRow("UTF-16 stays UTF-16")
        << QByteArray() << QStringList {"Été"} << utf16("[Favoris]\r\nPolice1=Ä\r\n")
        << utf16("[Favoris]\r\nPolice1=Ä\r\nPolice2=Été\r\n");
}

void TestSettings::favouritesMerged()
{
    QFETCH(QByteArray, atStart);
    QFETCH(QStringList, atEnd);
    QFETCH(QByteArray, meanwhile);
    QFETCH(QByteArray, written);
    const QString path = m_dir.filePath(QStringLiteral("favourites.ini"));
    writeBytes(path, atStart);
    Settings settings = Settings::read(path);
    settings.favourites = atEnd;
    writeBytes(path, meanwhile);
    settings.write(path);
    const QByteArray file = readBytes(path);
    // The [glyphor] keys are written too, at the end or in their section.
    QVERIFY2(file.startsWith(written) || file.endsWith(written), file.constData());
    if (atEnd != settings.favouritesRead)
        QVERIFY(Settings::read(path).favourites.contains(atEnd.last()));
}

// Garbage, repeats and a hundred thousand entries: what is sound is read, a file left alone is not
// rewritten.
void TestSettings::oddFavourites()
{
    const QString path = m_dir.filePath(QStringLiteral("odd.ini"));
    QByteArray garbage("[Favoris]\nno equals sign\n=no key\nPolice1=\n\xff\xfe=\x01\n"
                       "Police2=Twice\nPolice3=twice\nPolice4=Twice\n[glyphor]\nSize=15\n");
    writeBytes(path, garbage);
    Settings settings = Settings::read(path);
    QCOMPARE(settings.size, 15);
    QCOMPARE(settings.favourites, QStringList({"\x01", "Twice", "twice"}));
    settings.write(path);
    QVERIFY(readBytes(path).startsWith(garbage.left(garbage.indexOf("[glyphor]"))));

    QByteArray many("[Favoris]\n");
    for (int i = 0; i < 100000; ++i)
        many += "Police" + QByteArray::number(i + 1) + "=Family " + QByteArray::number(i % 50000)
            + '\n';
    writeBytes(path, many);
    settings = Settings::read(path);
    QCOMPARE(settings.favourites.size(), 50000);
    settings.favourites.append(QStringLiteral("One more"));
    settings.write(path);
    const Settings again = Settings::read(path);
    QCOMPARE(again.favourites.size(), 50001);
    QCOMPARE(again.favourites.last(), QStringLiteral("One more"));
}

// A section edited by hand: every entry that makes sense is read, the others are passed over.
void TestSettings::typographyRead_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<Typography>("expected");

    QTest::newRow("none") << QByteArray() << Typography();
    QTest::newRow("all four") << QByteArray(
        "[Typographie]\nFonctionnalites=smcp,-liga\nAxes=wght:700,wdth:87.5\n"
        "Langue=tr\nEspacement=50\n")
                              << typography({{"smcp", true}, {"liga", false}},
                                            {{"wght", 700}, {"wdth", 87.5}}, QStringLiteral("tr"),
                                            50);
    QTest::newRow("keys and section in any case, blanks after commas")
        << QByteArray("[TYPOGRAPHIE]\nfonctionnalites = smcp, -liga ,onum\naxes=slnt : -12 , "
                      "opsz:9\n")
        << typography({{"smcp", true}, {"liga", false}, {"onum", true}},
                      {{"slnt", -12}, {"opsz", 9}});
    QTest::newRow("tags read by their length: minus, comma and colon inside")
        << QByteArray("[Typographie]\nFonctionnalites=-abc,--abc,a,bc,-a:b-\nAxes=a,b::5\n")
        << typography({{"-abc", false}, {"a,bc", true}, {"a:b-", false}}, {{"a,b:", 5}});
    QTest::newRow("bad tags and values passed over")
        << QByteArray("[Typographie]\nFonctionnalites=sm,toolong,liga,\xc3\xa9t\xc3\xa9s,"
                      "kern,-,ab\x01"
                      "d\n"
                      "Axes=wght,wght:,wght:heavy,wdth:nan,opsz:inf,XOPQ:1e9,ital:1,GRAD:-0.5\n")
        << typography({{"liga", true}, {"kern", true}}, {{"ital", 1}, {"GRAD", -0.5}});
    QTest::newRow("the last of a tag given twice")
        << QByteArray("[Typographie]\nFonctionnalites=liga,-liga\nAxes=wght:300,wght:500\n")
        << typography({{"liga", false}}, {{"wght", 500}});
    QTest::newRow("a language fontconfig does not know")
        << QByteArray("[Typographie]\nLangue=klingon\n") << Typography();
    QTest::newRow("a language in capitals")
        << QByteArray("[Typographie]\nLangue= SR \n") << typography({}, {}, QStringLiteral("sr"));
    QTest::newRow("spacing beyond its ends: the nearest")
        << QByteArray("[Typographie]\nEspacement=900\n") << typography({}, {}, {}, 500);
    QTest::newRow("spacing below")
        << QByteArray("[Typographie]\nEspacement=-101\n") << typography({}, {}, {}, -100);
    QTest::newRow("spacing not a number")
        << QByteArray("[Typographie]\nEspacement=large\n") << Typography();
}

void TestSettings::typographyRead()
{
    QFETCH(QByteArray, section);
    QFETCH(Typography, expected);
    const QString path = m_dir.filePath(QStringLiteral("typography.ini"));
    writeBytes(path, "[glyphor]\nSize=14\n" + section);
    const Settings settings = Settings::read(path);
    QVERIFY2(settings.typography == expected, described(settings.typography).constData());
    QCOMPARE(settings.size, 14);
}

// Tags the text could mistake for its separators or blanks come back as they were.
void TestSettings::typographyRoundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("typography-roundtrip.ini"));
    Settings settings;
    settings.typography = typography(
        {{"-abc", true}, {"a,b-", false}, {"cv1 ", true}, {"ss01", false}},
        {{"wght", 123.25}, {"slnt", -9.5}, {"ab: ", 0.001}}, QStringLiteral("zh-tw"), -100);
    settings.write(path);
    const Typography read = Settings::read(path).typography;
    QVERIFY2(read == settings.typography, described(read).constData());
}

// Written only where this run changed it: a section left alone stays byte for byte, garbage
// included, and a change rewrites its own key only.
void TestSettings::typographyWrittenWhenChanged_data()
{
    QTest::addColumn<QByteArray>("atStart"); // after a [glyphor] section
    QTest::addColumn<Typography>("atEnd");
    QTest::addColumn<QByteArray>("section"); // how the file ends; empty: no section at all

    QTest::newRow("nothing set, nothing written") << QByteArray() << Typography() << QByteArray();
    const QByteArray edited(
        "[Typographie]\n; mine\nFonctionnalites=smcp, bad tag\nAxes=wght:700\n");
    QTest::newRow("unchanged: garbage stays")
        << edited << typography({{"smcp", true}}, {{"wght", 700}}) << edited;
    QTest::newRow("one key changed")
        << edited << typography({{"smcp", true}}, {{"wght", 350}})
        << QByteArray("[Typographie]\n; mine\nFonctionnalites=smcp, bad tag\nAxes=wght:350\n");
    QTest::newRow("back to the defaults")
        << edited << Typography() << QByteArray("[Typographie]\n; mine\nFonctionnalites=\nAxes=\n");
    QTest::newRow("first set")
        << QByteArray()
        << typography({{"onum", true}, {"liga", false}}, {}, QStringLiteral("tr"), 20)
        << QByteArray("\n\n[Typographie]\nFonctionnalites=-liga,onum\nLangue=tr\nEspacement=20\n");
}

void TestSettings::typographyWrittenWhenChanged()
{
    QFETCH(QByteArray, atStart);
    QFETCH(Typography, atEnd);
    QFETCH(QByteArray, section);
    const QString path = m_dir.filePath(QStringLiteral("typography-written.ini"));
    writeBytes(path, "[glyphor]\nSize=12\n" + atStart);
    Settings settings = Settings::read(path);
    settings.typography = atEnd;
    settings.write(path);
    const QByteArray file = readBytes(path);
    if (section.isEmpty())
        QVERIFY2(!file.contains("Typographie"), file.constData());
    else
        QVERIFY2(file.endsWith(section), file.constData());
}

// The files opened are listed for the next run only while asked; a path that would break the
// file's lines is left out.
void TestSettings::openedFilesKeptOnlyWhenAsked()
{
    const QString path = m_dir.filePath(QStringLiteral("opened.ini"));
    Settings settings;
    settings.reopenFiles = true;
    settings.openedFiles
        = {QStringLiteral("/home/u/Téléchargements/a.ttf"),
           QStringLiteral("/home/u/polices, à voir"), QStringLiteral("/tmp/deux\nlignes.otf")};
    settings.write(path);
    Settings read = Settings::read(path);
    QVERIFY(read.reopenFiles);
    QCOMPARE(read.openedFiles, settings.openedFiles.mid(0, 2));

    read.reopenFiles = false;
    read.write(path);
    read = Settings::read(path);
    QVERIFY(!read.reopenFiles);
    QVERIFY(read.openedFiles.isEmpty());
}

void TestSettings::failedWriteThrows()
{
    const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
    QVERIFY(QDir().mkpath(path));
    try {
        Settings().write(path);
        QFAIL("no error thrown");
    } catch (const GlyphorError &error) {
        QCOMPARE(error.message(), QStringLiteral("Impossible d'écrire dans ") + path);
    }
    QVERIFY(QFileInfo(path).isDir());
    compareSettings(Settings::read(path), Settings());
}

void TestSettings::unreadableFileIsNeverReplaced()
{
    if (OrdinaryUser::isRoot()) {
        QCOMPARE(OrdinaryUser::runAgain(QStringLiteral("unreadableFileIsNeverReplaced")), 0);
        return;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("glyphor.ini"));
    const QByteArray old("[glyphor]\nSize=20\n\n[mine]\nkeep=this\n");
    writeBytes(path, old);
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    // Read as defaults, it must not be written over with them.
    const Settings settings = Settings::read(path);
    compareSettings(settings, Settings());
    QVERIFY_THROWS_EXCEPTION(GlyphorError, settings.write(path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(readBytes(path), old);
}

void TestSettings::mixedEncodingsSurvive()
{
    // A Windows-1252 comment added by hand must not turn the UTF-8 sample into mojibake, and
    // lines that are not rewritten go back as they were.
    const QString path = m_dir.filePath(QStringLiteral("mixed.ini"));
    const QByteArray comment("; r\xe9glages copi\xe9s\r");
    writeBytes(path, comment + "\n[glyphor]\nString=\xc3\xa9t\xc3\xa9\nSize=20\n");
    Settings settings = Settings::read(path);
    QCOMPARE(settings.string, QStringLiteral("été"));
    settings.size = 30;
    settings.write(path);
    const QByteArray written = readBytes(path);
    QVERIFY(written.startsWith(
        QByteArray(comment + "\n[glyphor]\nString=\xc3\xa9t\xc3\xa9\nSize=30\n")));
    QCOMPARE(Settings::read(path).string, QStringLiteral("été"));
}

void TestSettings::filePath_data()
{
    QTest::addColumn<QByteArray>("xdgConfigHome"); // "<unset>" to unset it
    QTest::addColumn<QString>("expected");

    QTest::newRow("set") << QByteArray("/x/conf") << "/x/conf/glyphor/glyphor.ini";
    QTest::newRow("empty") << QByteArray("") << "/h/me/.config/glyphor/glyphor.ini";
    QTest::newRow("unset") << QByteArray("<unset>") << "/h/me/.config/glyphor/glyphor.ini";
}

void TestSettings::filePath()
{
    QFETCH(QByteArray, xdgConfigHome);
    QFETCH(QString, expected);
    const QByteArray oldHome = qgetenv("HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/h/me");
    if (xdgConfigHome == "<unset>")
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdgConfigHome);
    const QString actual = Settings::filePath();
    qputenv("HOME", oldHome);
    if (hadXdg)
        qputenv("XDG_CONFIG_HOME", oldXdg);
    else
        qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
