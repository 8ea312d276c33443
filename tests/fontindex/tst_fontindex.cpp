#include "facemetadata.h"
#include "fontcatalog.h"
#include "fontindex.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

// The font index: what it reads of the files against fontTools, the classes it gives, and its
// file kept between runs.
class TestFontIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metadataAgreesWithFontTools();
    void namedFeaturesAxesAndInstances();
    void type1DictionaryRead_data();
    void type1DictionaryRead();
    void classification();
    void hostileFontsRead();
    void cacheReusedUntilTheFileChanges();
    void damagedCacheRebuilt_data();
    void damagedCacheRebuilt();
    void pipeAtTheCachePathNotRead();

private:
    // A catalogue of copies of test fonts in a folder of the test's own.
    std::unique_ptr<FontCatalog> catalogOf(const QTemporaryDir &dir, const QStringList &fonts);
    static void runIndex(FontIndex &index);
};

static QJsonObject oracle(const QByteArray &file, int index)
{
    QProcess python;
    python.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(GLYPHOR_METADATA_ORACLE), QString::fromUtf8(file), QString::number(index)});
    python.waitForFinished(60000);
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// What the index reads of a face is what fontTools reads of it.
static void agreesWithFontTools(const QByteArray &file, int index)
{
    const QJsonObject expected = oracle(file, index);
    QVERIFY2(!expected.isEmpty(), file.constData());
    const std::optional<FaceMetadata> read = readFaceMetadata(file, index);
    QVERIFY(read);
    const auto text = [&](const char *key) {
        return expected[QLatin1String(key)].toString();
    };
    QCOMPARE(read->family, text("family"));
    QCOMPARE(read->style, text("style"));
    QCOMPARE(read->version, text("version"));
    QCOMPARE(read->copyright, text("copyright"));
    QCOMPARE(read->manufacturer, text("manufacturer"));
    QCOMPARE(read->designer, text("designer"));
    QCOMPARE(read->licence, text("licence"));
    QCOMPARE(read->licenceUrl, text("licenceUrl"));
    QCOMPARE(int(read->embedding), expected[QLatin1String("embedding")].toInt());
    QCOMPARE(int(read->familyClass), expected[QLatin1String("familyClass")].toInt());
    QCOMPARE(int(read->panoseFamily), expected[QLatin1String("panoseFamily")].toInt());
    QCOMPARE(int(read->glyphs), expected[QLatin1String("glyphs")].toInt());
    QCOMPARE(QJsonArray::fromStringList(read->features),
             expected[QLatin1String("features")].toArray());
    QCOMPARE(QJsonArray::fromStringList(read->scripts),
             expected[QLatin1String("scripts")].toArray());
    QJsonObject featureNames;
    for (auto named = read->featureNames.cbegin(); named != read->featureNames.cend(); ++named)
        featureNames.insert(named.key(), named.value());
    QCOMPARE(featureNames, expected[QLatin1String("featureNames")].toObject());
    QJsonArray axes;
    for (const FaceMetadata::Axis &axis : read->axes)
        axes.append(QJsonObject {{"tag", QString::fromLatin1(axis.tag)}, {"name", axis.name}});
    QCOMPARE(axes, expected[QLatin1String("axes")].toArray());
    QJsonArray instances;
    for (const FaceMetadata::Instance &instance : read->instances) {
        QJsonArray coordinates;
        for (const double coordinate : instance.coordinates)
            coordinates.append(coordinate);
        instances.append(QJsonObject {{"name", instance.name}, {"coordinates", coordinates}});
    }
    QCOMPARE(instances, expected[QLatin1String("instances")].toArray());
}

void TestFontIndex::metadataAgreesWithFontTools()
{
    const auto catalog
        = FontCatalog::fromConfigurationFile(QStringLiteral(GLYPHOR_COVERAGE_FONTS_CONF));
    QVERIFY(catalog && catalog->families().size() > 8);
    for (const QString &family : catalog->families()) {
        for (const FontFace &face : catalog->faces(family)) {
            if (!face.file.endsWith(".ttf"))
                continue;
            agreesWithFontTools(face.file, face.index);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

// The names a font gives its stylistic sets, its axes and its named instances, as fontTools
// reads them, and the same once kept in the index file.
void TestFontIndex::namedFeaturesAxesAndInstances()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("fonts"));
    QVERIFY(QDir().mkpath(folder));
    QProcess maker;
    maker.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(GLYPHOR_NAMED_FEATURES_FONT),
                 QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/LiberationSans-Regular.ttf"),
                 folder + QStringLiteral("/named.ttf")});
    QVERIFY(maker.waitForFinished(60000) && maker.exitCode() == 0);
    QVERIFY(QFile::copy(QStringLiteral(GLYPHOR_HOSTILE_FONTS "/variable.ttf"),
                        folder + QStringLiteral("/variable.ttf")));
    const auto catalog = catalogOf(dir, {});
    QVERIFY(catalog);
    // Each file once: the variable font's named instances are faces of the list too.
    QList<FontFace> faces;
    for (const QString &family : catalog->families()) {
        for (const FontFace &face : catalog->faces(family)) {
            if (face.index == 0)
                faces.append(face);
        }
    }
    QCOMPARE(faces.size(), 2);
    for (const FontFace &face : faces) {
        agreesWithFontTools(face.file, face.index);
        if (QTest::currentTestFailed())
            return;
    }
    const QString cache = dir.filePath(QStringLiteral("cache/glyphor/fontindex"));
    {
        FontIndex index(*catalog, cache);
        runIndex(index);
    }
    FontIndex kept(*catalog, cache);
    runIndex(kept);
    for (const FontFace &face : faces)
        QCOMPARE(kept.metadata(face.file, face.index), readFaceMetadata(face.file, face.index));
}

// Type 1 fonts have no names table: their version and notice come from the font dictionary.
void TestFontIndex::type1DictionaryRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("copyright");
    QTest::newRow("text font, .t1")
        << QByteArray("/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1")
        << QStringLiteral("1.00")
        << QStringLiteral("(URW)++,Copyright 2014 by (URW)++ Design & Development");
    QTest::newRow("symbol font, .pfb")
        << QByteArray("/usr/share/fonts/X11/Type1/D050000L.pfb") << QStringLiteral("2.00")
        << QStringLiteral("(URW)++,Copyright 2013 by (URW)++ Design & Development");
}

void TestFontIndex::type1DictionaryRead()
{
    QFETCH(QByteArray, file);
    if (!QFile::exists(QString::fromUtf8(file)))
        QSKIP("fonts-urw-base35 is not installed (scripts/setup.sh installs it)");
    const std::optional<FaceMetadata> read = readFaceMetadata(file, 0);
    QVERIFY(read);
    QCOMPARE(read->format, QStringLiteral("Type 1"));
    QTEST(read->version, "version");
    QTEST(read->copyright, "copyright");
}

// The made fonts' OS/2 and PANOSE values: the class first, PANOSE when the class says nothing.
void TestFontIndex::classification()
{
    const auto catalog
        = FontCatalog::fromConfigurationFile(QStringLiteral(GLYPHOR_COVERAGE_FONTS_CONF));
    QVERIFY(catalog);
    const auto classOf = [&](const char *family) {
        const FontFace face = catalog->faces(QString::fromUtf8(family)).value(0);
        return readFaceMetadata(face.file, face.index).value_or(FaceMetadata()).fontClass();
    };
    QCOMPARE(classOf("Cover Viet"), FontClass::Serif);
    QCOMPARE(classOf("Cover Trio"), FontClass::SansSerif);
    QCOMPARE(classOf("Cover Mono"), FontClass::Script);
    QCOMPARE(classOf("Cover Duo"), FontClass::Decorative);
    QCOMPARE(classOf("Cover Lacks Euro"), FontClass::Unclassified);
}

// Cut files, no names, names of thousands of characters with markup, collections, bitmaps: read
// as far as they allow, their texts plain and bounded.
void TestFontIndex::hostileFontsRead()
{
    const auto catalog
        = FontCatalog::fromConfigurationFile(QStringLiteral(GLYPHOR_HOSTILE_FONTS_CONF));
    QVERIFY(catalog && !catalog->families().isEmpty());
    for (const QString &family : catalog->families()) {
        for (const FontFace &face : catalog->faces(family)) {
            const FaceMetadata read
                = readFaceMetadata(face.file, face.index).value_or(FaceMetadata());
            for (const QString *text :
                 {&read.family, &read.style, &read.licence, &read.copyright}) {
                QVERIFY(text->size() <= 16384);
                QVERIFY(!text->contains(QChar(0)));
            }
            // The filter's "Symboles" is the index's word: a Windows symbol map makes one.
            if (family == QLatin1String("Symbolic Pi"))
                QVERIFY(read.symbol);
            else if (family == QLatin1String("Twin Family"))
                QVERIFY(!read.symbol);
        }
    }
}

std::unique_ptr<FontCatalog> TestFontIndex::catalogOf(const QTemporaryDir &dir,
                                                      const QStringList &fonts)
{
    const QString folder = dir.filePath(QStringLiteral("fonts"));
    QDir().mkpath(folder);
    for (const QString &font : fonts)
        QFile::copy(QStringLiteral(GLYPHOR_TEST_FONTS_DIR "/files/") + font, folder + u'/' + font);
    const QString conf = dir.filePath(QStringLiteral("fonts.conf"));
    QFile file(conf);
    file.open(QIODevice::WriteOnly);
    file.write("<?xml version=\"1.0\"?>\n<fontconfig><dir>" + folder.toUtf8() + "</dir><cachedir>"
               + dir.filePath(QStringLiteral("fccache")).toUtf8() + "</cachedir></fontconfig>\n");
    file.close();
    return FontCatalog::fromConfigurationFile(conf);
}

void TestFontIndex::runIndex(FontIndex &index)
{
    QSignalSpy finished(&index, &FontIndex::finished);
    index.start();
    QVERIFY(finished.wait(60000));
}

// The index file answers for a face whose size and time are unchanged, even when its content is
// not what it was; a new time has the file read again.
void TestFontIndex::cacheReusedUntilTheFileChanges()
{
    QTemporaryDir dir;
    const auto catalog = catalogOf(dir, {"DejaVuSans.ttf", "LiberationMono-Regular.ttf"});
    QVERIFY(catalog && catalog->hasFamily(QStringLiteral("DejaVu Sans")));
    const QString cache = dir.filePath(QStringLiteral("cache/glyphor/fontindex"));
    const FontFace face = catalog->faces(QStringLiteral("DejaVu Sans")).value(0);
    {
        FontIndex index(*catalog, cache);
        runIndex(index);
        QCOMPARE(index.faceCount(), 2);
        QCOMPARE(index.metadata(face.file, face.index).value_or(FaceMetadata()).family,
                 QStringLiteral("DejaVu Sans"));
        QCOMPARE(index.familiesRead(), index.familyCount());
    }
    QVERIFY(QFile::exists(cache));

    // Garbage of the same size at the same time: the index file still answers.
    struct stat before;
    QVERIFY(::stat(face.file.constData(), &before) == 0);
    QFile font(QString::fromUtf8(face.file));
    QVERIFY(font.open(QIODevice::ReadWrite));
    font.write(QByteArray(int(before.st_size), 'x'));
    font.close();
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, face.file.constData(), times, 0) == 0);
    {
        FontIndex index(*catalog, cache);
        runIndex(index);
        QCOMPARE(index.metadata(face.file, face.index).value_or(FaceMetadata()).family,
                 QStringLiteral("DejaVu Sans"));
    }
    // Touched: read again, and it is no font any more.
    QVERIFY(::utimensat(AT_FDCWD, face.file.constData(), nullptr, 0) == 0);
    {
        FontIndex index(*catalog, cache);
        runIndex(index);
        const std::optional<FaceMetadata> read = index.metadata(face.file, face.index);
        QVERIFY(read && read->family.isEmpty());
    }
}

void TestFontIndex::damagedCacheRebuilt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("garbage") << QByteArray(5000, '\xa5');
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << QByteArray("GLYPHIDX\0\0\0\2", 12);
    QTest::newRow("an older format") << QByteArray("GLYPHIDX\0\0\0\1\0\0\0\0\0\0\0\0", 20);
    QTest::newRow("huge string count") << QByteArray("GLYPHIDX\0\0\0\2\x7f\xff\xff\xff", 16);
    QTest::newRow("count beyond the entries") << QByteArray("GLYPHIDX\0\0\0\2\0\0\0\0\0\0\0\5", 20);
}

void TestFontIndex::damagedCacheRebuilt()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const auto catalog = catalogOf(dir, {"DejaVuSerif.ttf"});
    QVERIFY(catalog);
    const QString cache = dir.filePath(QStringLiteral("fontindex"));
    QFile file(cache);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    {
        FontIndex index(*catalog, cache);
        runIndex(index);
        QCOMPARE(index.faceCount(), 1);
    }
    QFile rebuilt(cache);
    QVERIFY(rebuilt.open(QIODevice::ReadOnly));
    QVERIFY(rebuilt.readAll().startsWith("GLYPHIDX"));
}

// Nobody writes into the pipe: reading it would block the index's thread, and its end.
void TestFontIndex::pipeAtTheCachePathNotRead()
{
    QTemporaryDir dir;
    const auto catalog = catalogOf(dir, {"DejaVuSerif.ttf"});
    QVERIFY(catalog);
    const QString cache = dir.filePath(QStringLiteral("fontindex"));
    QVERIFY(::mkfifo(QFile::encodeName(cache).constData(), 0600) == 0);
    FontIndex index(*catalog, cache);
    runIndex(index);
    QCOMPARE(index.faceCount(), 1);
}

QTEST_GUILESS_MAIN(TestFontIndex)
#include "tst_fontindex.moc"
