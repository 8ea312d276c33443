#include "systemfonts.h"
#include "uifonts.h"

#include <QTest>

class TestUiFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void family_data();
    void family();
};

void TestUiFonts::family_data()
{
    QTest::addColumn<QString>("windowsName");
    QTest::addColumn<QString>("installed");
    // Among the test fonts: Liberation Sans, Serif and Mono, DejaVu Sans and Serif.
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("MS Serif") << "MS Serif"
                              << "Liberation Serif";
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "Liberation Serif";
    QTest::newRow("Courier") << "Courier"
                             << "Liberation Mono";
    QTest::newRow("an installed family stays") << "DejaVu Serif"
                                               << "DejaVu Serif";
    // Qt would search every installed font for these; fontconfig names the one to use.
    QTest::newRow("unknown: fontconfig's choice") << "Wingdings"
                                                  << "<matched>";
    QTest::newRow("generic alias: its target") << "Sans Serif"
                                               << "<matched>";
}

void TestUiFonts::family()
{
    QFETCH(QString, windowsName);
    QFETCH(QString, installed);
    const QString family = UiFonts::family(windowsName);
    if (installed == u"<matched>") {
        QCOMPARE(family, SystemFonts::matchFamily(windowsName));
        QVERIFY(SystemFonts::hasFamily(family));
    } else {
        QCOMPARE(family, installed);
    }
    QCOMPARE(UiFonts::pixelFont(windowsName, 13).pixelSize(), 13);
}

QTEST_MAIN(TestUiFonts)
#include "tst_uifonts.moc"
