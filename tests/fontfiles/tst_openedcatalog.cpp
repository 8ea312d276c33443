#include "facepatterns.h"
#include "fontcatalog.h"
#include "fontfilefaces.h"
#include "linerenderer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// A catalogue of opened font files: faces handed to it in batches, drawn under the installed
// fonts' rules, falling back on installed fonts.
class TestOpenedCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void growsByBatches();
    void drawnUnderTheInstalledRules();
    void fallbacksFromInstalledFonts();
    void emptiedAndFilledAgain();
    void hostileFontsDrawn();
    void fileChangedSinceRead();
};

namespace {

FacePatterns facesOf(const QStringList &files)
{
    FacePatterns faces;
    for (const QString &file : files)
        FontFileFaces::read(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/") + file, faces);
    return faces;
}

} // namespace

void TestOpenedCatalog::growsByBatches()
{
    const auto catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    QVERIFY(catalog->families().isEmpty());
    QCOMPARE(catalog->addFaces(facesOf({"DejaVuSans.ttf"})), QStringList {"DejaVu Sans"});
    const QByteArray file = catalog->faces(QStringLiteral("DejaVu Sans")).at(0).file;
    QCOMPARE(catalog->addFaces(facesOf({"DejaVuSans-Bold.ttf", "LiberationMono-Regular.ttf"})),
             QStringList {"Liberation Mono"});
    QCOMPARE(catalog->families(), QStringList({"DejaVu Sans", "Liberation Mono"}));
    const QList<FontFace> faces = catalog->faces(QStringLiteral("dejavusans"));
    QCOMPARE(faces.size(), 2);
    QCOMPARE(faces.at(1).weight, 200);
    // A face's file name is the record's own, still there after later batches.
    QCOMPARE(file,
             QFile::encodeName(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/DejaVuSans.ttf")));
    QCOMPARE(faces.at(0).file.constData(), file.constData());
    // The same faces once more bring no new family.
    QCOMPARE(catalog->addFaces(facesOf({"DejaVuSans.ttf"})), QStringList());
    QCOMPARE(catalog->addFaces(FacePatterns()), QStringList());
}

void TestOpenedCatalog::drawnUnderTheInstalledRules()
{
    // The test's configuration draws DejaVu Sans without antialiasing, and nothing else.
    const auto catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    catalog->addFaces(facesOf({"DejaVuSans.ttf", "LiberationMono-Regular.ttf"}));
    const FontFace dejaVu = catalog->faces(QStringLiteral("DejaVu Sans")).at(0);
    const FontFace liberation = catalog->faces(QStringLiteral("Liberation Mono")).at(0);
    QVERIFY(!catalog->renderSettings(dejaVu, 16).antialias);
    QVERIFY(catalog->renderSettings(liberation, 16).antialias);
    const FontFace installed = FontCatalog::system().faces(QStringLiteral("DejaVu Sans")).at(0);
    QCOMPARE(catalog->renderSettings(dejaVu, 16).hintStyle,
             FontCatalog::system().renderSettings(installed, 16).hintStyle);
}

void TestOpenedCatalog::fallbacksFromInstalledFonts()
{
    // Symbolic Pi is opened, and not installed.
    const FontCatalog &installed = FontCatalog::system();
    const auto catalog = FontCatalog::forOpenedFiles(installed);
    FacePatterns faces;
    FontFileFaces::read(QStringLiteral(GLYPHOR_HOSTILE_FONTS "/symbol.ttf"), faces);
    QCOMPARE(catalog->addFaces(faces), QStringList {"Symbolic Pi"});
    QVERIFY(!installed.hasFamily(QStringLiteral("Symbolic Pi")));
    QCOMPARE(catalog->matchFamily(QStringLiteral("Symbolic Pi")), QStringLiteral("Symbolic Pi"));
    for (const char *name : {"monospace", "sans-serif", "Arial"}) {
        const QString family = catalog->matchFamily(QString::fromLatin1(name));
        QVERIFY2(installed.hasFamily(family), name);
        QCOMPARE(family, installed.matchFamily(QString::fromLatin1(name)));
    }
    // What the opened files do not hold, the installed fonts draw (a page's names, a fallback).
    QCOMPARE(catalog->faces(QStringLiteral("DejaVu Sans")).size(),
             installed.faces(QStringLiteral("DejaVu Sans")).size());
    QVERIFY(!catalog->hasFamily(QStringLiteral("DejaVu Sans")));
    QCOMPARE(catalog->familyWithCharacter(U'é', QStringLiteral("Symbolic Pi")),
             installed.familyWithCharacter(U'é', QStringLiteral("Symbolic Pi")));
    QVERIFY(installed.hasFamily(catalog->familyWithCharacter(U'é', QStringLiteral("Symbolic Pi"))));
}

void TestOpenedCatalog::emptiedAndFilledAgain()
{
    const auto catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    catalog->addFaces(facesOf({"DejaVuSans.ttf"}));
    catalog->clear();
    QVERIFY(catalog->families().isEmpty());
    QVERIFY(!catalog->hasFamily(QStringLiteral("DejaVu Sans")));
    QCOMPARE(catalog->addFaces(facesOf({"DejaVuSans.ttf"})), QStringList {"DejaVu Sans"});
}

void TestOpenedCatalog::hostileFontsDrawn()
{
    const auto catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    FacePatterns faces;
    for (const QFileInfo &file :
         QDir(QStringLiteral(GLYPHOR_HOSTILE_FONTS)).entryInfoList(QDir::Files))
        FontFileFaces::read(file.filePath(), faces);
    catalog->addFaces(faces);
    for (const char *family : {"Collected Two", "Variable Weight", "Bitmap Blocks", "No Charmap"})
        QVERIFY2(catalog->hasFamily(QString::fromUtf8(family)), family);
    LineRenderer renderer(*catalog);
    const QString text = QStringLiteral(" Abc \u05E9\u05DC\u05D5\u05DD \U0001F600 \u4E2D");
    for (const QString &family : catalog->families()) {
        for (const double size : {1.0, 16.0, 96.0}) {
            LineStyle style;
            style.pixelSize = size;
            style.bold = size > 10;
            style.italic = size > 10;
            renderer.line(family, text, style, 400);
        }
    }
}

// A file removed or cut short after its face was opened: the glyphs it has not drawn yet are
// still asked for, at new sizes, without a crash (a mapped file cut short would end the program).
void TestOpenedCatalog::fileChangedSinceRead()
{
    QTemporaryDir folder;
    const QString removed = folder.filePath(QStringLiteral("removed.ttf"));
    const QString cut = folder.filePath(QStringLiteral("cut.ttf"));
    QVERIFY(QFile::copy(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/DejaVuSans.ttf"), removed));
    QVERIFY(QFile::copy(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/LiberationMono-Regular.ttf"),
                        cut));
    // Padded past the size read whole at opening, so that its tables are read as they are asked.
    QFile file(cut);
    QVERIFY(file.resize(file.size() + (2 << 20)));
    const auto catalog = FontCatalog::forOpenedFiles(FontCatalog::system());
    FacePatterns faces;
    FontFileFaces::read(removed, faces);
    FontFileFaces::read(cut, faces);
    catalog->addFaces(faces);
    LineRenderer renderer(*catalog);
    for (const QString &family : catalog->families())
        QVERIFY(renderer.line(family, QStringLiteral("A"), LineStyle(), 400).drawn);
    QVERIFY(QFile::remove(removed));
    QVERIFY(file.resize(200));
    renderer.clear();
    for (const QString &family : catalog->families()) {
        for (const double size : {12.0, 40.0}) {
            LineStyle style;
            style.pixelSize = size;
            renderer.line(family, QStringLiteral("Abcdefghijklmnopqrstuvwxyz 0123456789"), style,
                          2000);
        }
    }
}

QTEST_GUILESS_MAIN(TestOpenedCatalog)
#include "tst_openedcatalog.moc"
