#include "fontcollectionfile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFontCollectionFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachFontOpensAsSoonAsAdded();
};

namespace {

QByteArray fontFile(const char *name)
{
    QFile file(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The family FreeType reads at index of the file, and how many faces it says the file has.
QString familyAt(FT_Library library, const QString &path, int index, long *faces = nullptr)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, QFile::encodeName(path).constData(), index, &face) != 0)
        return {};
    const QString family = QString::fromLatin1(face->family_name);
    if (faces)
        *faces = face->num_faces;
    FT_Done_Face(face);
    return family;
}

} // namespace

void TestFontCollectionFile::eachFontOpensAsSoonAsAdded()
{
    FT_Library library = nullptr;
    QCOMPARE(FT_Init_FreeType(&library), 0);
    QTemporaryDir dir;
    QString path;
    {
        FontCollectionFile collection(dir.path());
        path = collection.path();
        QCOMPARE(collection.add(fontFile("DejaVuSans.ttf")), 0);
        long faces = 0;
        QCOMPARE(familyAt(library, path, 0, &faces), "DejaVu Sans");
        QCOMPARE(faces, 1);
        // Not a font: nothing added.
        QCOMPARE(collection.add(QByteArray("not a font at all")), -1);
        // A font whose length is not a multiple of four, then one after it.
        QCOMPARE(collection.add(fontFile("LiberationMono-Regular.ttf").append('\0')), 1);
        QCOMPARE(collection.add(fontFile("LiberationSerif-Bold.ttf")), 2);
        QCOMPARE(familyAt(library, path, 2, &faces), "Liberation Serif");
        QCOMPARE(faces, 3);
        QCOMPARE(familyAt(library, path, 1), "Liberation Mono");
        QCOMPARE(familyAt(library, path, 0), "DejaVu Sans");
    }
    // The file goes with the collection.
    QVERIFY(!QFile::exists(path));
    FT_Done_FreeType(library);
}

QTEST_MAIN(TestFontCollectionFile)
#include "tst_fontcollectionfile.moc"
