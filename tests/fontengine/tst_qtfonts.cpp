#include "fontcatalog.h"
#include "qtfonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

// Qt given the windows' fonts only, a family more when one is handed to it, every font for a
// print job. The small configuration is made current before the QApplication, in main() below.
class TestQtFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowFontsOnly();
    void familyGivenWhenHandedToQt();
};

void TestQtFonts::windowFontsOnly()
{
    QVERIFY(QtFonts::windowFontsOnly());
    const QStringList known = QFontDatabase::families();
    QVERIFY(known.contains(QStringLiteral("Liberation Sans")));
    QVERIFY(!known.contains(QStringLiteral("DejaVu Serif")));
    // The list still sees every installed family.
    QVERIFY(FontCatalog::system().hasFamily(QStringLiteral("DejaVu Serif")));
}

void TestQtFonts::familyGivenWhenHandedToQt()
{
    QtFonts::ensureFamily(QStringLiteral("DejaVu Serif"));
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("DejaVu Serif")));
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif")});
    font.setStyleStrategy(QFont::NoFontMerging);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("DejaVu Serif"));
}

int main(int argc, char *argv[])
{
    QtFonts::useWindowFontsOnly({QStringLiteral("Liberation Sans")});
    QApplication app(argc, argv);
    TestQtFonts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qtfonts.moc"
