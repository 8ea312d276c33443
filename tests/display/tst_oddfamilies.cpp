// The font list over fonts whose names and foundries trip font lists up: a comma, quotes and
// brackets in a name, an accented first letter, one family from two foundries.
#include "fontfamilies.h"

#include <QFontInfo>
#include <QTest>

class TestOddFamilies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onePerFamilyInWordOrder();
    void eachEntryDrawnInItsOwnFamily_data();
    void eachEntryDrawnInItsOwnFamily();
    void familyOfTwoFoundriesMatchesTheAttributes();
};

void TestOddFamilies::onePerFamilyInWordOrder()
{
    // "Duo Sans" once, not once per foundry; "Éàü" among the E's, not after the z's.
    const QStringList expected {"\"Quoted\"",      "Brack [Foundry]", "Comma, Family",
                                "Default",         "DejaVu Sans",     "DejaVu Serif",
                                "Duo Sans",        "Éàü Accent",      "Liberation Mono",
                                "Liberation Sans", "Liberation Serif"};
    QCOMPARE(FontFamilies::installed(), expected);
}

void TestOddFamilies::eachEntryDrawnInItsOwnFamily_data()
{
    QTest::addColumn<QString>("family");
    for (const char *family : {"Comma, Family", "\"Quoted\"", "Éàü Accent"})
        QTest::newRow(family) << QString::fromUtf8(family);
}

void TestOddFamilies::eachEntryDrawnInItsOwnFamily()
{
    QFETCH(QString, family);
    QFont font = FontFamilies::entryFont(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    QCOMPARE(QFontInfo(font).family(), family);
}

void TestOddFamilies::familyOfTwoFoundriesMatchesTheAttributes()
{
    // One foundry makes only the italic face: upright text must not come out italic.
    QFont font = FontFamilies::entryFont(QStringLiteral("Duo Sans"));
    font.setStyleStrategy(QFont::NoFontMerging);
    QVERIFY(QFontInfo(font).family().startsWith(QStringLiteral("Duo Sans")));
    QVERIFY(!QFontInfo(font).italic());
    font.setItalic(true);
    QVERIFY(QFontInfo(font).family().startsWith(QStringLiteral("Duo Sans")));
    QVERIFY(QFontInfo(font).italic());
}

QTEST_MAIN(TestOddFamilies)
#include "tst_oddfamilies.moc"
