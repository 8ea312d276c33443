#include "fontcatalog.h"
#include "uifonts.h"

#include <QTest>

#include <fontconfig/fontconfig.h>

namespace {

// The family of fontconfig's full match for a name: what the program's alias-first lookup must
// come to.
QString fontconfigMatch(const QString &name)
{
    FcPattern *request = FcPatternCreate();
    const QByteArray utf8 = name.toUtf8();
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8 *>(utf8.constData()));
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, request, &result);
    FcChar8 *family = nullptr;
    QString found;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
        found = QString::fromUtf8(reinterpret_cast<const char *>(family));
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(request);
    return found;
}

} // namespace

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
        QCOMPARE(family, fontconfigMatch(windowsName));
        QVERIFY(FontCatalog::system().hasFamily(family));
    } else {
        QCOMPARE(family, installed);
    }
    QCOMPARE(UiFonts::pixelFont(windowsName, 13).pixelSize(), 13);
}

QTEST_MAIN(TestUiFonts)
#include "tst_uifonts.moc"
