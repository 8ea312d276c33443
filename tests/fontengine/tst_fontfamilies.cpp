#include "fontcatalog.h"
#include "fontfamilies.h"
#include "uifonts.h"

#include <QFontDatabase>
#include <QTest>

class TestFontFamilies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void build_data();
    void build();
    void installedFromTheTestFonts();
    void defaultIsTheDesktopFont();
};

void TestFontFamilies::build_data()
{
    QTest::addColumn<QStringList>("enumerated");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("none") << QStringList {} << QStringList {"Default"};
    QTest::newRow("sorted ignoring case, Default among them")
        << QStringList {"Zapf", "arial", "Courier New", "default sans", "Bitstream"}
        << QStringList {"arial", "Bitstream", "Courier New", "Default", "default sans", "Zapf"};
    QTest::newRow("a name equal to the one just before is skipped")
        << QStringList {"Arial", "ARIAL", "arial", "Times"}
        << QStringList {"Arial", "Default", "Times"};
    QTest::newRow("only the name just before counts")
        << QStringList {"Arial", "Times", "arial"}
        << QStringList {"Arial", "arial", "Default", "Times"};
    QTest::newRow("a family named like the Default entry right after it")
        << QStringList {"DEFAULT", "Zed"} << QStringList {"Default", "Zed"};
    QTest::newRow("generic aliases left out, foundry names kept")
        << QStringList {"Sans Serif", "Serif", "Monospace", "Courier [Adobe]", "Courier [IBM]"}
        << QStringList {"Courier [Adobe]", "Courier [IBM]", "Default"};
    QTest::newRow("accents and digits")
        << QStringList {"Écriture", "2Peas", "Eagle", "ecole"}
        << QStringList {"2Peas", "Default", "Eagle", "ecole", "Écriture"};
}

void TestFontFamilies::build()
{
    QFETCH(QStringList, enumerated);
    QFETCH(QStringList, expected);
    QCOMPARE(FontFamilies::build(enumerated), expected);
}

void TestFontFamilies::installedFromTheTestFonts()
{
    // The test fonts.conf lists five families and a truncated file that must be passed over.
    const QStringList expected {"Default",         "DejaVu Sans",     "DejaVu Serif",
                                "Liberation Mono", "Liberation Sans", "Liberation Serif"};
    QCOMPARE(FontFamilies::installed(), expected);
}

void TestFontFamilies::defaultIsTheDesktopFont()
{
    // "Default" is drawn in the installed family that stands for the desktop's general font.
    const QString desktopFamily = FontFamilies::entryFamily(FontFamilies::DefaultEntry);
    QCOMPARE(desktopFamily,
             UiFonts::family(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()));
    QVERIFY(FontCatalog::system().hasFamily(desktopFamily));
    QCOMPARE(FontFamilies::entryFamily(QStringLiteral("Liberation Mono")),
             QStringLiteral("Liberation Mono"));
}

QTEST_MAIN(TestFontFamilies)
#include "tst_fontfamilies.moc"
