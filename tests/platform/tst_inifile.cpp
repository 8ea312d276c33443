#include "inifile.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

class TestIniFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void read_data();
    void read();
    void write_data();
    void write();
    void valueReadsBackAsWritten_data();
    void valueReadsBackAsWritten();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void saveFailsWhenTheFileCannotGrow();
    void badFiles_data();
    void badFiles();
    void untouchedLinesKeepTheirBytes_data();
    void untouchedLinesKeepTheirBytes();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("test.ini")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // "<none>" when there is no value

    const QByteArray longValue(3000, 'a');
    QTest::newRow("names ignore case and blanks") << QByteArray("[ GlyPHor ]\n  K  =v\n") << "k"
                                                  << "v";
    QTest::newRow("value trimmed") << QByteArray("[glyphor]\nk= \t v w \t\n") << "k"
                                   << "v w";
    QTest::newRow("empty value") << QByteArray("[glyphor]\nk=\n") << "k"
                                 << "";
    QTest::newRow("double quotes") << QByteArray("[glyphor]\nk= \" v \" \n") << "k"
                                   << " v ";
    QTest::newRow("single quotes") << QByteArray("[glyphor]\nk='v'\n") << "k"
                                   << "v";
    QTest::newRow("one pair only") << QByteArray("[glyphor]\nk=\"\"v\"\"\n") << "k"
                                   << "\"v\"";
    QTest::newRow("unmatched quotes") << QByteArray("[glyphor]\nk=\"v'\n") << "k"
                                      << "\"v'";
    QTest::newRow("equals in value") << QByteArray("[glyphor]\nk=a=b\n") << "k"
                                     << "a=b";
    QTest::newRow("first of duplicate keys") << QByteArray("[glyphor]\nk=1\nK=2\n") << "k"
                                             << "1";
    QTest::newRow("first of duplicate sections")
        << QByteArray("[glyphor]\nx=1\n[GLYPHOR]\nk=2\n") << "k"
        << "<none>";
    QTest::newRow("other section") << QByteArray("[other]\nk=v\n[glyphor]\n") << "k"
                                   << "<none>";
    QTest::newRow("before any section") << QByteArray("k=v\n[glyphor]\n") << "k"
                                        << "<none>";
    QTest::newRow("comment") << QByteArray("[glyphor]\n;k=v\n#k=w\n") << "k"
                             << "<none>";
    QTest::newRow("unclosed header is no section") << QByteArray("[glyphor]\n[other\nk=v\n") << "k"
                                                   << "v";
    QTest::newRow("CR LF") << QByteArray("[glyphor]\r\nk=v\r\nz=1\r\n") << "k"
                           << "v";
    QTest::newRow("BOM") << QByteArray("\xef\xbb\xbf[glyphor]\nk=v\n") << "k"
                         << "v";
    QTest::newRow("Windows-1252") << QByteArray("[glyphor]\nString=\xe9t\xe9\xa0\x80\n") << "string"
                                  << "été\u00a0€";
    QTest::newRow("Windows-1252 in last byte") << QByteArray("[glyphor]\nk=caf\xe9") << "k"
                                               << "café";
    QTest::newRow("cut at NUL") << QByteArray("[glyphor]\nk=ab\0cd\n", 15) << "k"
                                << "ab";
    QTest::newRow("cut to 2047") << "[glyphor]\nk=" + longValue << "k" << QString(2047, u'a');
}

void TestIniFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    writeBytes(path(), bytes);
    IniFile ini(path());
    ini.load();
    QCOMPARE(ini.rawValue(QStringLiteral("glyphor"), key).value_or(QStringLiteral("<none>")),
             expected);
}

void TestIniFile::write_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>": no file
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray others("; comment\n\n[a]\nk=1\n  odd line\n\n");
    QTest::newRow("no file") << QByteArray("<none>") << "k"
                             << "v" << QByteArray("[glyphor]\nk=v\n");
    QTest::newRow("replaced in place, other lines kept")
        << others + "[Glyphor]\n# c\nK = old \nj=2\n\n[b]\nk=3\n"
        << "k"
        << "new" << others + "[Glyphor]\n# c\nK=new\nj=2\n\n[b]\nk=3\n";
    QTest::newRow("first duplicate replaced") << QByteArray("[glyphor]\nk=1\nk=2\n") << "k"
                                              << "3" << QByteArray("[glyphor]\nk=3\nk=2\n");
    QTest::newRow("appended before next section's blank lines")
        << QByteArray("[glyphor]\nj=1\n\n\n[b]\n") << "k"
        << "v" << QByteArray("[glyphor]\nj=1\nk=v\n\n\n[b]\n");
    QTest::newRow("appended at end of file") << QByteArray("[glyphor]\nj=1\n\n") << "k"
                                             << "v" << QByteArray("[glyphor]\nj=1\nk=v\n\n");
    QTest::newRow("empty section") << QByteArray("[glyphor]\n[b]\n") << "k"
                                   << "v" << QByteArray("[glyphor]\nk=v\n[b]\n");
    QTest::newRow("new section after others") << others + "[b]\nk=1"
                                              << "k"
                                              << "v" << others + "[b]\nk=1\n\n[glyphor]\nk=v\n";
    QTest::newRow("CR LF file keeps CR LF") << QByteArray("[glyphor]\r\nk=1\r\n") << "k"
                                            << "2" << QByteArray("[glyphor]\r\nk=2\r\n");
    QTest::newRow("mostly LF file adds LF") << QByteArray("; x\r\n[glyphor]\nk=1\n") << "j"
                                            << "2" << QByteArray("; x\r\n[glyphor]\nk=1\nj=2\n");
    QTest::newRow("line breaks become one space each")
        << QByteArray("") << "k"
        << "a\r\nb\nc" << QByteArray("[glyphor]\nk=a b c\n");
    QTest::newRow("accents in UTF-8") << QByteArray("[glyphor]\nk=\xe9\n") << "k"
                                      << "à" << QByteArray("[glyphor]\nk=\xc3\xa0\n");
}

void TestIniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    if (before != "<none>")
        writeBytes(path(), before);
    IniFile ini(path());
    ini.load();
    ini.setValue(QStringLiteral("glyphor"), key, value);
    QVERIFY(ini.save());
    QCOMPARE(readBytes(path()), after);
}

void TestIniFile::valueReadsBackAsWritten_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line"); // as written in the file

    QTest::newRow("outer blanks") << " a " << QByteArray("k=\" a \"");
    QTest::newRow("blanks only") << "  " << QByteArray("k=\"  \"");
    QTest::newRow("double quotes") << "\"q\"" << QByteArray("k=\"\"q\"\"");
    QTest::newRow("single quotes") << "'x'" << QByteArray("k=\"'x'\"");
    QTest::newRow("empty quotes") << "\"\"" << QByteArray("k=\"\"\"\"");
    QTest::newRow("lone quote") << "\"" << QByteArray("k=\"");
    QTest::newRow("mixed quotes") << "'x\"" << QByteArray("k='x\"");
    QTest::newRow("inner quotes") << "a \"b\" c" << QByteArray("k=a \"b\" c");
}

void TestIniFile::valueReadsBackAsWritten()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    IniFile ini(path());
    ini.setValue(QStringLiteral("glyphor"), QStringLiteral("k"), value);
    QVERIFY(ini.save());
    QCOMPARE(readBytes(path()), "[glyphor]\n" + line + '\n');
    IniFile reread(path());
    reread.load();
    QCOMPARE(reread.rawValue(QStringLiteral("glyphor"), QStringLiteral("k")), value);
}

void TestIniFile::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<bool>("pathIsFolder"); // else its parent is a regular file
    QTest::newRow("path is a folder") << true;
    QTest::newRow("parent is a file") << false;
}

void TestIniFile::failedSaveKeepsOldFile()
{
    QFETCH(bool, pathIsFolder);
    // Permissions do not stop root: these two fail for everyone.
    QString target = path();
    if (pathIsFolder) {
        QVERIFY(QDir().mkpath(target));
    } else {
        writeBytes(path(), "old");
        target = path() + QStringLiteral("/inner.ini");
    }
    IniFile ini(target);
    ini.load();
    QVERIFY(ini.lines().isEmpty());
    ini.setValue(QStringLiteral("glyphor"), QStringLiteral("k"), QStringLiteral("v"));
    QVERIFY(!ini.save());
    QCOMPARE(QFileInfo(path()).isDir(), pathIsFolder);
    if (!pathIsFolder)
        QCOMPARE(readBytes(path()), QByteArray("old"));
}

void TestIniFile::saveFailsWhenTheFileCannotGrow()
{
    // A file size limit makes writing the new content fail half-way, even for root, much like a
    // full disk does; the old file must come through whole and no temporary file be left.
    const QByteArray old("[glyphor]\nk=old\n");
    writeBytes(path(), old);
    IniFile ini(path());
    ini.load();
    ini.setValue(QStringLiteral("glyphor"), QStringLiteral("k"), QString(100, u'n'));

    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 20;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = ini.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved_ok);
    QCOMPARE(readBytes(path()), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList {QStringLiteral("test.ini")});
}

void TestIniFile::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // value of "k", "<none>" when there is none

    QByteArray random(1 << 20, '\0');
    QRandomGenerator generator(1234);
    for (char &byte : random)
        byte = char(generator.bounded(256));
    QTest::newRow("random bytes") << random << "<none>";
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << "<none>";
    QTest::newRow("10 MB line") << "[glyphor]\nk=" + QByteArray(10 << 20, '9') + "\nj=1\n"
                                << QString(2047, u'9');
    QTest::newRow("no section") << QByteArray("k=1\n") << "<none>";
    QTest::newRow("many sections") << QByteArray("[x]\n").repeated(100000) + "[glyphor]\nk=1\n"
                                   << "1";
}

void TestIniFile::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    writeBytes(path(), bytes);
    IniFile ini(path());
    ini.load();
    QCOMPARE(ini.rawValue(QStringLiteral("glyphor"), QStringLiteral("k"))
                 .value_or(QStringLiteral("<none>")),
             expected);
    ini.setValue(QStringLiteral("glyphor"), QStringLiteral("k"), QStringLiteral("2"));
    QVERIFY(ini.save());
    ini.load();
    QCOMPARE(ini.rawValue(QStringLiteral("glyphor"), QStringLiteral("k")), QStringLiteral("2"));
}

void TestIniFile::untouchedLinesKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected"); // after "k" is set to "né"

    QTest::newRow("UTF-8 and Windows-1252 lines")
        << QByteArray("; caf\xe9\r\n[glyphor]\nk=old\nu=\xc3\xa9t\xc3\xa9\nw=\xe9t\xe9\n")
        << QByteArray("; caf\xe9\r\n[glyphor]\nk=n\xc3\xa9\nu=\xc3\xa9t\xc3\xa9\nw=\xe9t\xe9\n");
    QTest::newRow("key appended after a Windows-1252 line")
        << QByteArray("[glyphor]\nw=\xe9t\xe9")
        << QByteArray("[glyphor]\nw=\xe9t\xe9\nk=n\xc3\xa9\n");
    const auto utf16 = [](const char16_t *text, bool littleEndian) {
        QByteArray bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
        for (const char16_t *c = text; *c; ++c) {
            const char high = char(*c >> 8), low = char(*c & 0xFF);
            bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
        }
        return bytes;
    };
    // As Windows Notepad saves "Unicode" text: little-endian, CR LF.
    QTest::newRow("UTF-16 LE") << utf16(u"[glyphor]\r\nk=old\r\nu=été\r\n", true)
                               << utf16(u"[glyphor]\r\nk=né\r\nu=été\r\n", true);
    QTest::newRow("UTF-16 BE") << utf16(u"[glyphor]\nu=été", false)
                               << utf16(u"[glyphor]\nu=été\nk=né\n", false);
}

void TestIniFile::untouchedLinesKeepTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    writeBytes(path(), bytes);
    IniFile ini(path());
    ini.load();
    for (const char *key : {"u", "w"}) {
        const auto value = ini.rawValue(QStringLiteral("glyphor"), QString::fromLatin1(key));
        QVERIFY(!value || *value == QStringLiteral("été"));
    }
    ini.setValue(QStringLiteral("glyphor"), QStringLiteral("k"), QStringLiteral("né"));
    QVERIFY(ini.save());
    QCOMPARE(readBytes(path()), expected);
    ini.load();
    QCOMPARE(ini.rawValue(QStringLiteral("glyphor"), QStringLiteral("k")), QStringLiteral("né"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
