#include "familytraits.h"
#include "fontcatalog.h"
#include "linefaces.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// Languages and properties of the faces a line draws, against fontconfig's own answer:
// `fc-list :lang=vi` and `fc-list :spacing=mono` list the faces that have them.
class TestFamilyTraits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void agreesWithFcList_data();
    void agreesWithFcList();
    void realBoldAndItalic();
    void bitmapFamilyFollowsTheSize_data();
    void bitmapFamilyFollowsTheSize();
    void frenchNames_data();
    void frenchNames();
    void everyLanguageNamedApart();

private:
    std::unique_ptr<FontCatalog> m_catalog;
    std::unique_ptr<LineFaces> m_faces;
};

void TestFamilyTraits::initTestCase()
{
    m_catalog = FontCatalog::fromConfigurationFile(qEnvironmentVariable("FONTCONFIG_FILE"));
    QVERIFY(m_catalog && m_catalog->hasFamily(QStringLiteral("Cover Viet")));
    m_faces = std::make_unique<LineFaces>(*m_catalog);
}

// The families whose regular face fontconfig lists for the pattern.
static QSet<QString> familiesListed(const QString &pattern)
{
    QProcess fcList;
    fcList.start(QStringLiteral("fc-list"), {QStringLiteral("--format=%{file}\\n"), pattern});
    if (!fcList.waitForFinished(30000) || fcList.exitCode() != 0)
        return {QStringLiteral("fc-list failed")};
    const QStringList files = QString::fromUtf8(fcList.readAllStandardOutput()).split('\n');
    return QSet<QString>(files.cbegin(), files.cend());
}

void TestFamilyTraits::agreesWithFcList_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("language"); // or empty for the property
    QTest::addColumn<unsigned>("property");
    QTest::newRow("Vietnamese") << ":lang=vi"
                                << "vi" << 0u;
    QTest::newRow("French") << ":lang=fr"
                            << "fr" << 0u;
    QTest::newRow("Greek") << ":lang=el"
                           << "el" << 0u;
    QTest::newRow("monospaced") << ":spacing=mono"
                                << "" << unsigned(FamilyTraits::Monospaced);
}

void TestFamilyTraits::agreesWithFcList()
{
    QFETCH(QString, pattern);
    QFETCH(QString, language);
    QFETCH(unsigned, property);
    const QSet<QString> listed = familiesListed(pattern);
    QVERIFY(!listed.contains(QStringLiteral("fc-list failed")));
    const FamilyTraits traits(*m_faces);
    const int index = FontLanguages::indexOf(language);
    int found = 0;
    for (const QString &family : m_catalog->families()) {
        const QString file = QString::fromUtf8(m_catalog->faces(family).value(0).file);
        const bool expected = listed.contains(file);
        const bool has = property ? bool(traits.properties(family, false, false) & property)
                                  : traits.languages(family, false, false).test(size_t(index));
        QVERIFY2(has == expected, qPrintable(family));
        found += has;
    }
    QVERIFY(found > 0);
    if (language == QLatin1String("vi")) {
        QVERIFY(traits.languages(QStringLiteral("Cover Viet"), false, false).test(size_t(index)));
        QVERIFY(!traits.languages(QStringLiteral("Cover Lacks Euro"), false, false)
                     .test(size_t(index)));
    }
}

void TestFamilyTraits::realBoldAndItalic()
{
    const FamilyTraits traits(*m_faces);
    const auto properties = [&](const char *family) {
        return traits.properties(QString::fromUtf8(family), false, false);
    };
    QCOMPARE(properties("Cover Trio") & (FamilyTraits::RealBold | FamilyTraits::RealItalic),
             unsigned(FamilyTraits::RealItalic));
    QCOMPARE(properties("Cover Duo") & (FamilyTraits::RealBold | FamilyTraits::RealItalic),
             unsigned(FamilyTraits::RealBold));
    QCOMPARE(properties("Liberation Sans") & (FamilyTraits::RealBold | FamilyTraits::RealItalic),
             unsigned(FamilyTraits::RealBold | FamilyTraits::RealItalic));
    QCOMPARE(properties("Not Installed"), 0u);
    QVERIFY(traits.languages(QStringLiteral("Not Installed"), false, false).none());
}

// A family of bitmap faces in one file per size (10, 16 and 24 pixels; the smallest holds ASCII
// only): the filters ask the face a line draws at the lines' size, and character cells are fixed
// pitch.
void TestFamilyTraits::bitmapFamilyFollowsTheSize_data()
{
    QTest::addColumn<QList<double>>("pixelSizes"); // set one after the other
    QTest::addColumn<bool>("french");
    QTest::newRow("10 pixels: ASCII only") << QList<double> {10} << false;
    QTest::newRow("16 pixels") << QList<double> {16} << true;
    QTest::newRow("24 pixels, after 10") << QList<double> {10, 24} << true;
    QTest::newRow("8 pixels, after 16") << QList<double> {16, 8} << false;
}

void TestFamilyTraits::bitmapFamilyFollowsTheSize()
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(conf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?>\n<fontconfig><dir>" GLYPHOR_STRIKE_FONTS "</dir><cachedir>"
               + dir.filePath(QStringLiteral("cache")).toUtf8() + "</cachedir></fontconfig>\n");
    file.close();
    const auto catalog = FontCatalog::fromConfigurationFile(conf);
    QVERIFY(catalog && catalog->hasFamily(QStringLiteral("Strike Cells")));
    LineFaces faces(*catalog);
    const FamilyTraits traits(faces);
    QFETCH(QList<double>, pixelSizes);
    for (const double pixelSize : pixelSizes) {
        faces.setPixelSize(pixelSize);
        traits.languages(QStringLiteral("Strike Cells"), false, false);
    }
    const size_t french = size_t(FontLanguages::indexOf(QStringLiteral("fr")));
    QTEST(traits.languages(QStringLiteral("Strike Cells"), false, false).test(french), "french");
    QVERIFY(traits.properties(QStringLiteral("Strike Cells"), false, false)
            & FamilyTraits::Monospaced);
}

void TestFamilyTraits::frenchNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("language") << "vi"
                              << "vietnamien";
    QTest::newRow("language and region") << "zh-tw"
                                         << "chinois (Taïwan)";
    QTest::newRow("old code of a language ICU names like another") << "mo"
                                                                   << "roumain (Moldavie)";
    QTest::newRow("the other one") << "ro"
                                   << "roumain";
    QTest::newRow("variety") << "quz"
                             << "quechua (Cuzco)";
    QTest::newRow("unknown to ICU") << "hne"
                                    << "chhattisgarhi";
    QTest::newRow("unknown to anyone: the code") << "xx-none"
                                                 << "xx-none";
}

void TestFamilyTraits::frenchNames()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(FontLanguages::frenchName(code), name);
}

// In the language list and the details window, each of fontconfig's languages has a name of its
// own, and none is a bare code.
void TestFamilyTraits::everyLanguageNamedApart()
{
    QHash<QString, QString> codeOfName;
    for (const QString &code : FontLanguages::codes()) {
        const QString name = FontLanguages::frenchName(code);
        QVERIFY2(name != code, qPrintable(code));
        QVERIFY2(!codeOfName.contains(name),
                 qPrintable(name + ": " + codeOfName.value(name) + ", " + code));
        codeOfName.insert(name, code);
    }
    QVERIFY(FontLanguages::indexOf(QStringLiteral("vi")) >= 0);
    QCOMPARE(FontLanguages::indexOf(QStringLiteral("xx-none")), -1);
}

QTEST_APPLESS_MAIN(TestFamilyTraits)
#include "tst_familytraits.moc"
