#include "fontfilenames.h"

#include <QTest>

// Which files are fonts or archives by name, and the names archive entries are unpacked under.
class TestFontFileNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kind_data();
    void kind();
    void safeFileName_data();
    void safeFileName();
};

void TestFontFileNames::kind_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("font");
    QTest::addColumn<bool>("zip");
    QTest::addColumn<bool>("archive");

    for (const char *font : {"a.ttf", "a.OTF", "a.ttc", "a.otc", "a.woff", "a.Woff2", "a.pfb",
                             "a.pfa", "a.t1", "a.pcf", "a.PCF.GZ", "a.bdf", "a.otb"})
        QTest::newRow(font) << font << true << false << false;
    for (const char *other : {"a.txt", "ttf", "a.ttf.bak", "a.gz", "a.afm", ""})
        QTest::newRow(other) << other << false << false << false;
    QTest::newRow("a.ZIP") << "a.ZIP" << false << true << true;
    for (const char *archive : {"a.7z", "a.rar", "a.tar", "a.tgz", "a.tar.gz", "a.tar.xz"})
        QTest::newRow(archive) << archive << false << false << true;
}

void TestFontFileNames::kind()
{
    QFETCH(QString, name);
    QFETCH(bool, font);
    QFETCH(bool, zip);
    QFETCH(bool, archive);
    QCOMPARE(FontFileNames::isFontFile(name), font);
    QCOMPARE(FontFileNames::isZipArchive(name), zip);
    QCOMPARE(FontFileNames::isArchive(name), archive);
}

void TestFontFileNames::safeFileName_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << QByteArray("Font.ttf") << "Font.ttf";
    QTest::newRow("in folders") << QByteArray("a/b/Font.ttf") << "Font.ttf";
    QTest::newRow("climbing") << QByteArray("../../../etc/Font.ttf") << "Font.ttf";
    QTest::newRow("climbing last") << QByteArray("a/Font.ttf/..") << "Font.ttf";
    QTest::newRow("absolute") << QByteArray("/usr/share/Font.ttf") << "Font.ttf";
    QTest::newRow("backslashes") << QByteArray("..\\..\\Font.ttf") << "Font.ttf";
    QTest::newRow("drive") << QByteArray("C:Font.ttf") << "Font.ttf";
    QTest::newRow("only dots") << QByteArray("../..") << "";
    QTest::newRow("empty") << QByteArray("") << "";
    QTest::newRow("folder") << QByteArray("a/b/") << "b";
    QTest::newRow("line breaks") << QByteArray("a\nb\r\n.ttf") << "a_b__.ttf";
    QTest::newRow("controls") << QByteArray("a\tb\x01\x7f.ttf") << "a_b__.ttf";
    QTest::newRow("line separator") << QByteArray("a\u2028b.ttf") << "a_b.ttf";
    QTest::newRow("bad bytes") << QByteArray("a\xff.ttf") << "a\uFFFD.ttf";
    QTest::newRow("accents") << QByteArray("Éàü.otf") << "Éàü.otf";
    // Cut in the middle, the end and its extension kept; a character outside the BMP kept whole.
    QTest::newRow("long") << QByteArray(200, 'x') + ".woff2" << QString(74, u'x') + ".woff2";
    QTest::newRow("long, emoji at the cut") << QByteArray(59, 'x') + "\U0001F600"
            + QByteArray(100, 'y') + ".ttf" << QString(59, u'x') + QString(16, u'y') + ".ttf";
}

void TestFontFileNames::safeFileName()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, name);
    QCOMPARE(FontFileNames::safeFileName(entry), name);
}

QTEST_GUILESS_MAIN(TestFontFileNames)
#include "tst_fontfilenames.moc"
