// The font list over fonts whose names and foundries trip font lists up: a comma, quotes and
// brackets in a name, an accented first letter, one family from two foundries.
#include "fontcatalog.h"
#include "fontfamilies.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

class TestOddFamilies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // First: the others register renamed copies of fonts with Qt.
    void sameFamiliesAsQtLists();
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
    QTest::addColumn<QString>("source"); // the font it was copied from
    QTest::newRow("comma") << "Comma, Family"
                           << "Liberation Serif";
    QTest::newRow("quotes") << "\"Quoted\""
                            << "Liberation Mono";
    QTest::newRow("brackets") << "Brack [Foundry]"
                              << "DejaVu Serif";
    QTest::newRow("accent") << "Éàü Accent"
                            << "Liberation Serif";
}

void TestOddFamilies::eachEntryDrawnInItsOwnFamily()
{
    QFETCH(QString, family);
    QFETCH(QString, source);
    QFont font = FontFamilies::entryFont(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPixelSize(40);
    QCOMPARE(QFontInfo(font).family(), FontFamilies::qtFamilyName(family));
    // Drawn with the family's own glyphs, not a substitute's.
    QFont original = FontFamilies::familyFont(source);
    original.setPixelSize(40);
    const QString text = QStringLiteral("Hamburgefonstiv 0123");
    QCOMPARE(QFontMetrics(font).horizontalAdvance(text),
             QFontMetrics(original).horizontalAdvance(text));
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

void TestOddFamilies::sameFamiliesAsQtLists()
{
    // The list reads fontconfig itself; Qt, given every font, lists the same families (once
    // its "Family [Foundry]" entries are taken back to the family's own name).
    QStringList byQt;
    for (QString family : QFontDatabase::families()) {
        const qsizetype foundry = family.lastIndexOf(QStringLiteral(" ["));
        if (foundry > 0 && !FontCatalog::system().hasFamily(family))
            family.truncate(foundry);
        if (!byQt.contains(family))
            byQt.append(family);
    }
    QCOMPARE(FontFamilies::installed(), FontFamilies::build(byQt));
}

QTEST_MAIN(TestOddFamilies)
#include "tst_oddfamilies.moc"
