#include "facechoice.h"
#include "fontcatalog.h"
#include "linefaces.h"
#include "samplecoverage.h"

#include <QProcess>
#include <QSet>
#include <QTest>

// Which families can write a sample, against fontconfig's own answer: `fc-list :charset=...`
// lists the faces that have every character asked for.
class TestSampleCoverage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void agreesWithFcList_data();
    void agreesWithFcList();
    void oneMissingCharacter();
    void charactersThatDoNotCount();
    void composedOrInParts_data();
    void composedOrInParts();

private:
    std::unique_ptr<FontCatalog> m_catalog;
    std::unique_ptr<LineFaces> m_faces;
};

void TestSampleCoverage::initTestCase()
{
    m_catalog = FontCatalog::fromConfigurationFile(qEnvironmentVariable("FONTCONFIG_FILE"));
    QVERIFY(m_catalog && m_catalog->hasFamily(QStringLiteral("Cover Duo")));
    m_faces = std::make_unique<LineFaces>(*m_catalog);
}

// The faces (file and index) fontconfig says have every character of the sample that counts.
static QSet<QString> facesAbleToWrite(const QString &sample)
{
    QStringList codes;
    for (const char32_t c : QStringView(sample).toUcs4()) {
        if (SampleCoverage::counts(c))
            codes.append(QString::number(c, 16));
    }
    QProcess fcList;
    fcList.start(QStringLiteral("fc-list"),
                 {QStringLiteral("--format=%{file}|%{index}\\n"),
                  QStringLiteral(":charset=") + codes.join(QLatin1Char(' '))});
    if (!fcList.waitForFinished(30000) || fcList.exitCode() != 0)
        return {QStringLiteral("fc-list failed")};
    const QStringList lines = QString::fromUtf8(fcList.readAllStandardOutput()).split('\n');
    return QSet<QString>(lines.cbegin(), lines.cend());
}

void TestSampleCoverage::agreesWithFcList_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("Latin") << QStringLiteral("azertyuiop 1234567890");
    QTest::newRow("accents") << QStringLiteral("Café noël");
    QTest::newRow("euro") << QStringLiteral("5 €");
    QTest::newRow("Greek") << QStringLiteral("αβγ");
    QTest::newRow("CJK and an emoji") << QStringLiteral("漢字 😀");
}

void TestSampleCoverage::agreesWithFcList()
{
    QFETCH(QString, sample);
    const QSet<QString> able = facesAbleToWrite(sample);
    QVERIFY(!able.contains(QStringLiteral("fc-list failed")));
    SampleCoverage coverage(*m_faces);
    coverage.setSample(sample);
    for (const QString &family : m_catalog->families()) {
        const QList<FontFace> faces = m_catalog->faces(family);
        for (const bool bold : {false, true}) {
            for (const bool italic : {false, true}) {
                const FaceChoice choice = chooseFace(faces, bold, italic);
                const bool expected = choice.face >= 0
                    && able.contains(QString::fromUtf8(faces[choice.face].file) + '|'
                                     + QString::number(faces[choice.face].index));
                QVERIFY2(coverage.canWrite(family, bold, italic) == expected,
                         qPrintable(family + (bold ? " bold" : "") + (italic ? " italic" : "")));
            }
        }
    }
}

// The made fonts lack one character each: the euro sign, and "é" in the bold face only.
void TestSampleCoverage::oneMissingCharacter()
{
    SampleCoverage coverage(*m_faces);
    const QString lacksEuro = QStringLiteral("Cover Lacks Euro");
    const QString duo = QStringLiteral("Cover Duo");
    coverage.setSample(QStringLiteral("Prix : 5 € TTC"));
    QVERIFY(!coverage.canWrite(lacksEuro, false, false));
    QVERIFY(coverage.canWrite(duo, true, false));
    coverage.setSample(QStringLiteral("Prix : 5 $ TTC"));
    QVERIFY(coverage.canWrite(lacksEuro, false, false));
    coverage.setSample(QStringLiteral("été"));
    QVERIFY(coverage.canWrite(duo, false, false));
    QVERIFY(!coverage.canWrite(duo, true, false));
    QVERIFY(!coverage.canWrite(QStringLiteral("Not Installed"), false, false));
}

// Blanks, line breaks, controls and joiners are never drawn and never required.
void TestSampleCoverage::charactersThatDoNotCount()
{
    SampleCoverage coverage(*m_faces);
    coverage.setSample(QStringLiteral("a\u00a0b\tc\u200dd\u2028e\u0007"));
    QVERIFY(coverage.canWrite(QStringLiteral("Cover Lacks Euro"), false, false));
    QVERIFY(!SampleCoverage::counts(U'\u200b') && SampleCoverage::counts(U'é'));
}

void TestSampleCoverage::composedOrInParts_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("able");
    // Cover Duo's regular face has "é" and no combining accent; its bold one neither. Cover Viet
    // has both, and the combining tilde.
    const QString decomposed = QStringLiteral("e\u0301te\u0301");
    QTest::newRow("taken apart, the face has it composed")
        << decomposed << "Cover Duo" << false << true;
    QTest::newRow("taken apart, neither form") << decomposed << "Cover Duo" << true << false;
    QTest::newRow("taken apart, both forms") << decomposed << "Cover Viet" << false << true;
    QTest::newRow("no composed form, the mark missing")
        << QStringLiteral("q\u0303") << "Cover Duo" << false << false;
    QTest::newRow("no composed form, letter and mark there")
        << QStringLiteral("q\u0303") << "Cover Viet" << false << true;
}

void TestSampleCoverage::composedOrInParts()
{
    QFETCH(QString, sample);
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, able);
    SampleCoverage coverage(*m_faces);
    coverage.setSample(sample);
    QCOMPARE(coverage.canWrite(family, bold, false), able);
}

QTEST_APPLESS_MAIN(TestSampleCoverage)
#include "tst_samplecoverage.moc"
