#include "facechoice.h"
#include "fontcatalog.h"

#include <QTest>

#include <fontconfig/fontconfig.h>

// The installed families as the list's engine reads them from fontconfig, and the face it draws
// a request for bold and italic with.
class TestFontCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void chooseFace_data();
    void chooseFace();
    void familiesComparedAsFontconfigDoes();
};

namespace {

FontFace face(int weight, int slant, int width = FC_WIDTH_NORMAL)
{
    FontFace made;
    made.weight = weight;
    made.slant = slant;
    made.width = width;
    return made;
}

} // namespace

void TestFontCatalog::chooseFace_data()
{
    QTest::addColumn<QList<FontFace>>("faces");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("embolden");
    QTest::addColumn<bool>("oblique");

    const QList<FontFace> four {
        face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN), face(FC_WEIGHT_BOLD, FC_SLANT_ROMAN),
        face(FC_WEIGHT_REGULAR, FC_SLANT_ITALIC), face(FC_WEIGHT_BOLD, FC_SLANT_ITALIC)};
    QTest::newRow("regular of four") << four << false << false << 0 << false << false;
    QTest::newRow("bold of four") << four << true << false << 1 << false << false;
    QTest::newRow("italic of four") << four << false << true << 2 << false << false;
    QTest::newRow("bold italic of four") << four << true << true << 3 << false << false;

    const QList<FontFace> one {face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN)};
    QTest::newRow("bold italic made up") << one << true << true << 0 << true << true;
    // The slant counts before the weight: an upright bold face is not chosen for italic.
    const QList<FontFace> boldAndItalic {face(FC_WEIGHT_BOLD, FC_SLANT_ROMAN),
                                         face(FC_WEIGHT_REGULAR, FC_SLANT_ITALIC)};
    QTest::newRow("italic before bold") << boldAndItalic << true << true << 1 << true << false;
    // Oblique is the nearest thing to italic; a face heavier than medium is not emboldened.
    const QList<FontFace> obliqueAndSemibold {face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN),
                                              face(FC_WEIGHT_DEMIBOLD, FC_SLANT_OBLIQUE)};
    QTest::newRow("oblique for italic")
        << obliqueAndSemibold << true << true << 1 << false << false;
    // Among equals, the normal width, then the first listed.
    const QList<FontFace> widths {face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN, FC_WIDTH_CONDENSED),
                                  face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN),
                                  face(FC_WEIGHT_REGULAR, FC_SLANT_ROMAN)};
    QTest::newRow("normal width") << widths << false << false << 1 << false << false;
    // The regular face, not a light one, for plain text; the black one for bold.
    const QList<FontFace> weights {face(FC_WEIGHT_LIGHT, FC_SLANT_ROMAN),
                                   face(FC_WEIGHT_BOOK, FC_SLANT_ROMAN),
                                   face(FC_WEIGHT_BLACK, FC_SLANT_ROMAN)};
    QTest::newRow("nearest weight") << weights << false << false << 1 << false << false;
    QTest::newRow("heavy for bold") << weights << true << false << 2 << false << false;
    QTest::newRow("no face") << QList<FontFace>() << true << true << -1 << false << false;
}

void TestFontCatalog::chooseFace()
{
    QFETCH(QList<FontFace>, faces);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const FaceChoice choice = ::chooseFace(faces, bold, italic);
    QTEST(int(choice.face), "chosen");
    QTEST(choice.embolden, "embolden");
    QTEST(choice.oblique, "oblique");
}

void TestFontCatalog::familiesComparedAsFontconfigDoes()
{
    const FontCatalog &fonts = FontCatalog::system();
    QVERIFY(fonts.hasFamily(QStringLiteral("liberationsans")));
    QVERIFY(fonts.hasFamily(QStringLiteral("DEJAVU SERIF")));
    QVERIFY(!fonts.hasFamily(QStringLiteral("Arial")));
    QCOMPARE(fonts.faces(QStringLiteral("liberation sans")).size(), 4);
    // A name is itself when installed (in the installed spelling), an alias's first installed
    // target otherwise; a name nothing matches still gets an installed family.
    QCOMPARE(fonts.matchFamily(QStringLiteral("dejavu  serif")), QStringLiteral("DejaVu Serif"));
    QCOMPARE(fonts.matchFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    QCOMPARE(fonts.matchFamily(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
    QVERIFY(fonts.hasFamily(fonts.matchFamily(QStringLiteral("No Such Family 42"))));
    // The truncated test font is no face of any family.
    for (const QString &family : fonts.families()) {
        for (const FontFace &face : fonts.faces(family))
            QVERIFY2(!face.file.contains("Broken"), face.file.constData());
    }
}

QTEST_MAIN(TestFontCatalog)
#include "tst_fontcatalog.moc"
