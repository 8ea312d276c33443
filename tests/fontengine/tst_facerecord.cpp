#include "facerecord.h"
#include "fontcatalog.h"

#include <QProcess>
#include <QTest>

// A face's style name, characters and languages, against fontconfig's own reading of the font
// file (`fc-query`), for every face of the test fonts.
class TestFaceRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void agreesWithFcQuery_data();
    void agreesWithFcQuery();

private:
    std::unique_ptr<FontCatalog> m_catalog;
};

namespace {

QString fcQuery(const FontFace &face, const char *format)
{
    QProcess query;
    query.start(QStringLiteral("fc-query"),
                {QStringLiteral("-i"), QString::number(face.index), QStringLiteral("-f"),
                 QString::fromLatin1(format), QString::fromUtf8(face.file)});
    if (!query.waitForFinished() || query.exitCode() != 0)
        return {};
    return QString::fromUtf8(query.readAllStandardOutput());
}

// fc-query writes a character set as hexadecimal code points and ranges: "20-7e a0 a2-ff".
QList<char32_t> fromRanges(const QString &ranges)
{
    QList<char32_t> characters;
    for (const QString &range : ranges.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList ends = range.split(QLatin1Char('-'));
        const char32_t first = ends.first().toUInt(nullptr, 16);
        const char32_t last = ends.last().toUInt(nullptr, 16);
        for (char32_t c = first; c <= last; ++c)
            characters.append(c);
    }
    return characters;
}

} // namespace

void TestFaceRecord::initTestCase()
{
    m_catalog = FontCatalog::fromConfigurationFile(qEnvironmentVariable("FONTCONFIG_FILE"));
    QVERIFY(m_catalog && m_catalog->hasFamily(QStringLiteral("Cover Viet")));
}

void TestFaceRecord::agreesWithFcQuery_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("face");
    for (const QString &family : m_catalog->families()) {
        for (int face = 0; face < m_catalog->faces(family).size(); ++face)
            QTest::addRow("%s %d", qPrintable(family), face) << family << face;
    }
}

void TestFaceRecord::agreesWithFcQuery()
{
    QFETCH(QString, family);
    QFETCH(int, face);
    const FontFace record = m_catalog->faces(family).at(face);

    QCOMPARE(FaceRecord::styleName(record.pattern), fcQuery(record, "%{style[0]}"));

    const QList<char32_t> characters = FaceRecord::characters(record.pattern);
    QVERIFY(!characters.isEmpty());
    QCOMPARE(characters, fromRanges(fcQuery(record, "%{charset}")));

    QStringList codes = FaceRecord::languageCodes(record.pattern);
    QStringList expected = fcQuery(record, "%{lang}").split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QVERIFY(!codes.isEmpty());
    codes.sort();
    expected.sort();
    QCOMPARE(codes, expected);
}

QTEST_GUILESS_MAIN(TestFaceRecord)
#include "tst_facerecord.moc"
