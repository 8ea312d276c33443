#include "facetypography.h"
#include "linerenderer.h"

#include <hb.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Lines drawn with OpenType features, variation axes, a language and letter spacing, against
// the same text drawn by HarfBuzz's own hb-view; what each face lacks of the settings.
class TestTypography : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lackingTags_data();
    void lackingTags();
    void axisCoordinates_data();
    void axisCoordinates();
    void matchesHarfBuzz_data();
    void matchesHarfBuzz();
    void sharedFaceFollowsEachLine();
    void letterSpacingAfterEachLetter();

private:
    QTemporaryDir m_dir;
    // Shared by every row: faces, glyphs and lines drawn with some settings are kept while
    // lines of others are drawn, as in the list.
    LineRenderer m_renderer;
};

namespace {

constexpr double PixelSize = 16; // the test fonts' edges and advances fall on whole pixels

// Settings written as a line reads them: "smcp -liga wght=700 lang=tr spacing=250", with
// "bold" and "points=30" for the line's style.
LineStyle styleOf(const QString &settings)
{
    LineStyle style;
    style.pixelSize = PixelSize;
    for (const QString &setting : settings.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = setting.section(u'=', 0, 0);
        const QString value = setting.section(u'=', 1);
        if (setting == QLatin1String("bold"))
            style.bold = true;
        else if (name == QLatin1String("points"))
            style.points = value.toDouble();
        else if (name == QLatin1String("lang"))
            style.typography.language = value;
        else if (name == QLatin1String("spacing"))
            style.typography.letterSpacing = value.toInt();
        else if (!value.isEmpty())
            style.typography.axes.insert(name.toLatin1(), value.toDouble());
        else if (setting.startsWith(u'-'))
            style.typography.features.insert(setting.mid(1).toLatin1(), false);
        else
            style.typography.features.insert(setting.toLatin1(), true);
    }
    return style;
}

QList<QByteArray> tagsOf(const QString &tags)
{
    QList<QByteArray> list;
    for (const QString &tag : tags.split(u' ', Qt::SkipEmptyParts))
        list.append(tag.toLatin1());
    return list;
}

QString fileOf(const QString &family)
{
    return QStringLiteral(GLYPHOR_TYPOGRAPHY_FONTS "/") + family.toLower().replace(u' ', u'-')
        + QStringLiteral(".ttf");
}

// The smallest part of an image that holds all its ink, as one coverage byte a pixel.
QImage ink(const QImage &image)
{
    const QImage coverage = image.format() == QImage::Format_Alpha8
        ? image
        : image.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_Alpha8);
    QRect bounds;
    for (int y = 0; y < coverage.height(); ++y) {
        for (int x = 0; x < coverage.width(); ++x) {
            if (coverage.constScanLine(y)[x])
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return coverage.copy(bounds);
}

} // namespace

void TestTypography::lackingTags_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("features"); // the face's
    QTest::addColumn<QString>("axes"); // the face's
    QTest::addColumn<QString>("lacking");
    QTest::newRow("nothing set") << ""
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("features it has") << "smcp -liga"
                                     << "kern liga smcp"
                                     << ""
                                     << "";
    QTest::newRow("features set on or off it lacks") << "onum -liga smcp ss01"
                                                     << "liga smcp"
                                                     << ""
                                                     << "onum ss01";
    QTest::newRow("axes it has and lacks") << "wdth=80 wght=700"
                                           << ""
                                           << "wght"
                                           << "wdth";
    QTest::newRow("features first, then axes") << "zero opsz=12 ital=1"
                                               << "kern"
                                               << "wght"
                                               << "zero ital opsz";
    QTest::newRow("language and spacing are never lacking") << "lang=tr spacing=100"
                                                            << ""
                                                            << ""
                                                            << "";
}

void TestTypography::lackingTags()
{
    QFETCH(QString, settings);
    QFETCH(QString, features);
    QFETCH(QString, axes);
    QFETCH(QString, lacking);
    FaceTypography face;
    face.features = tagsOf(features);
    for (const QByteArray &tag : tagsOf(axes))
        face.axes.append({tag, 0, 0, 1000, {}});
    QCOMPARE(::lackingTags(styleOf(settings).typography, face), tagsOf(lacking));
}

void TestTypography::axisCoordinates_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QList<double>>("opened"); // a named instance's coordinates, or none
    QTest::addColumn<double>("opticalSize");
    QTest::addColumn<QList<double>>("coordinates"); // wght 100..400..900, opsz 8..12..72
    QTest::newRow("defaults") << "" << QList<double>() << 0.0 << QList<double> {400, 12};
    QTest::newRow("named instance kept")
        << "" << QList<double> {700, 12} << 0.0 << QList<double> {700, 12};
    QTest::newRow("set within range")
        << "wght=650.5" << QList<double>() << 0.0 << QList<double> {650.5, 12};
    QTest::newRow("set over a named instance")
        << "wght=300" << QList<double> {700, 12} << 0.0 << QList<double> {300, 12};
    QTest::newRow("clamped above")
        << "wght=1000" << QList<double>() << 0.0 << QList<double> {900, 12};
    QTest::newRow("clamped below") << "wght=1" << QList<double>() << 0.0 << QList<double> {100, 12};
    QTest::newRow("optical size follows the size")
        << "" << QList<double>() << 15.0 << QList<double> {400, 15};
    QTest::newRow("optical size clamped")
        << "" << QList<double>() << 200.0 << QList<double> {400, 72};
    QTest::newRow("optical size set wins over the size")
        << "opsz=30" << QList<double>() << 15.0 << QList<double> {400, 30};
    QTest::newRow("axes the face lacks change nothing")
        << "wdth=50" << QList<double>() << 0.0 << QList<double> {400, 12};
    QTest::newRow("not a number") << "wght=nan" << QList<double>() << 0.0
                                  << QList<double> {400, 12};
}

void TestTypography::axisCoordinates()
{
    QFETCH(QString, settings);
    QFETCH(QList<double>, opened);
    QFETCH(double, opticalSize);
    const QList<VariationAxis> axes {{"wght", 100, 400, 900, {}}, {"opsz", 8, 12, 72, {}}};
    QTEST(::axisCoordinates(styleOf(settings).typography, axes, opened, opticalSize),
          "coordinates");
}

void TestTypography::matchesHarfBuzz_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QStringList>("harfBuzz"); // hb-view's options for the same drawing
    QTest::addColumn<QString>("lacking");
    const QString features = QStringLiteral("Typo Features");
    const QString plain = QStringLiteral("Typo Plain");
    const QString weight = QStringLiteral("Typo Weight");
    const QString narrow = QStringLiteral("Typo Weight Narrow");

    QTest::newRow("no feature") << features << "ab ai"
                                << "" << QStringList() << "";
    QTest::newRow("small capitals") << features << "ab ai"
                                    << "smcp" << QStringList {"--features=smcp"} << "";
    QTest::newRow("small capitals off") << features << "ab"
                                        << "-smcp" << QStringList {"--features=-smcp"} << "";
    QTest::newRow("stylistic set") << features << "ab"
                                   << "ss01" << QStringList {"--features=ss01"} << "";
    QTest::newRow("stylistic set and small capitals")
        << features << "ab"
        << "smcp ss01" << QStringList {"--features=smcp,ss01"} << "";
    QTest::newRow("Turkish") << features << "ai"
                             << "lang=tr" << QStringList {"--language=tr"} << "";
    QTest::newRow("Turkish small capitals")
        << features << "ai ab"
        << "smcp lang=tr" << QStringList {"--features=smcp", "--language=tr"} << "";
    QTest::newRow("features the face lacks")
        << plain << "ab ai"
        << "smcp ss01 -kern lang=tr" << QStringList() << "kern smcp ss01";
    QTest::newRow("axis the face lacks") << plain << "ab"
                                         << "wght=700" << QStringList() << "wght";

    // Nothing set: the face as it opens, its optical size included.
    QTest::newRow("nothing set") << weight << "ab"
                                 << "" << QStringList() << "";
    QTest::newRow("optical size follows the size")
        << weight << "ab"
        << "wght=400" << QStringList {"--variations=wght=400,opsz=12"} << "";
    QTest::newRow("optical size follows the points")
        << weight << "ab"
        << "points=30 wght=400" << QStringList {"--variations=wght=400,opsz=30"} << "";
    QTest::newRow("optical size set")
        << weight << "ab"
        << "opsz=60 points=30" << QStringList {"--variations=opsz=60"} << "";
    // Weights half and a quarter of the way to the maximum, held alike by FreeType and HarfBuzz.
    QTest::newRow("weight") << weight << "ab"
                            << "wght=650" << QStringList {"--variations=wght=650,opsz=12"} << "";
    QTest::newRow("weight at its maximum")
        << weight << "ab"
        << "wght=900" << QStringList {"--variations=wght=900,opsz=12"} << "";
    QTest::newRow("weight beyond the range")
        << weight << "ab"
        << "wght=5000" << QStringList {"--variations=wght=900,opsz=12"} << "";
    QTest::newRow("bold named instance")
        << weight << "ab"
        << "bold" << QStringList {"--variations=wght=650,opsz=8"} << "";
    QTest::newRow("bold named instance, weight set")
        << weight << "ab"
        << "bold wght=300" << QStringList {"--variations=wght=300,opsz=12"} << "";
    QTest::newRow("weight, and a feature the face lacks")
        << weight << "ab"
        << "wght=650 smcp" << QStringList {"--variations=wght=650,opsz=12", "--features=smcp"}
        << "smcp";
    QTest::newRow("smaller range: its nearest weight")
        << narrow << "ab"
        << "wght=900" << QStringList {"--variations=wght=700"} << "";
    QTest::newRow("smaller range lacks the optical size")
        << narrow << "ab"
        << "wght=475 opsz=30" << QStringList {"--variations=wght=475"} << "opsz";
}

void TestTypography::matchesHarfBuzz()
{
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(QString, settings);
    QFETCH(QStringList, harfBuzz);
    QFETCH(QString, lacking);

    const RenderedLine &line = m_renderer.line(family, text, styleOf(settings), 400);
    QVERIFY(line.drawn);
    QCOMPARE(line.lacking, tagsOf(lacking));
    const QImage byEngine = ink(line.coverage);

    const QString png = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".png");
    QProcess view;
    view.start(QStringLiteral("hb-view"),
               QStringList {"--font-size=16", "--background=00000000", "--foreground=000000",
                            "--output-format=png", "--output-file=" + png}
                   + harfBuzz + QStringList {fileOf(family), text});
    QVERIFY2(view.waitForFinished(30000) && view.exitCode() == 0,
             qPrintable(view.errorString() + QString::fromLocal8Bit(view.readAllStandardError())));
    const QImage byHarfBuzz = ink(QImage(png));
    QVERIFY(!byHarfBuzz.isNull());
    if (!qEnvironmentVariableIsEmpty("GLYPHOR_SAVE_LINES")) {
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_');
        const QDir folder(qEnvironmentVariable("GLYPHOR_SAVE_LINES"));
        byHarfBuzz.save(folder.filePath(name + QStringLiteral("-hb-view.png")));
        byEngine.save(folder.filePath(name + QStringLiteral("-engine.png")));
    }
    QCOMPARE(byEngine.size(), byHarfBuzz.size());
    for (int y = 0; y < byEngine.height(); ++y) {
        for (int x = 0; x < byEngine.width(); ++x) {
            const int engine = byEngine.constScanLine(y)[x];
            const int harfBuzz = byHarfBuzz.constScanLine(y)[x];
            QVERIFY2(engine == harfBuzz,
                     qPrintable(QStringLiteral("at %1, %2: %3 against %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(engine)
                                    .arg(harfBuzz)));
        }
    }
}

void TestTypography::sharedFaceFollowsEachLine()
{
    // The same face drawn at one weight, then at its default, then at that weight again: each
    // line its own glyphs, though the face and the glyph cache are shared and the widths differ
    // (a line of its own each, not one kept).
    LineRenderer renderer;
    const QString family = QStringLiteral("Typo Weight");
    const QString text = QStringLiteral("ab");
    const QImage heavy = ink(renderer.line(family, text, styleOf("wght=900"), 300).coverage);
    const QImage regular = ink(renderer.line(family, text, styleOf(""), 301).coverage);
    QVERIFY(heavy != regular);
    QCOMPARE(ink(renderer.line(family, text, styleOf("wght=900"), 302).coverage), heavy);
    QCOMPARE(ink(renderer.line(family, text, styleOf(""), 303).coverage), regular);
    LineRenderer fresh;
    QCOMPARE(ink(fresh.line(family, text, styleOf(""), 301).coverage), regular);
    // A weight dragged step by step through more designs than a face tells apart: the glyphs
    // of the designs drawn first are never taken for later ones'.
    for (int weight = 401; weight < 401 + 2 * 64; ++weight)
        renderer.line(family, text, styleOf(QStringLiteral("wght=%1").arg(weight)), 300);
    QCOMPARE(ink(renderer.line(family, text, styleOf("wght=900"), 304).coverage), heavy);
    QCOMPARE(ink(renderer.line(family, text, styleOf(""), 305).coverage), regular);
}

void TestTypography::letterSpacingAfterEachLetter()
{
    // A quarter of an em (4 pixels) after each letter, the last one too: the underline, drawn
    // under the whole advance, shows it.
    LineRenderer renderer;
    const QString family = QStringLiteral("Typo Features");
    LineStyle style = styleOf("spacing=250");
    style.underline = true;
    const RenderedLine &spaced = renderer.line(family, QStringLiteral("aa"), style, 400);
    const int spacedWidth = spaced.coverage.width();
    const QImage spacedInk = ink(spaced.coverage);
    style.typography.letterSpacing = 0;
    const RenderedLine &plain = renderer.line(family, QStringLiteral("aa"), style, 400);
    QCOMPARE(spacedWidth, plain.coverage.width() + 2 * 4);
    // The second letter moved by the spacing, the first left where it was.
    const QImage plainInk = ink(plain.coverage);
    QCOMPARE(spacedInk.copy(0, 0, 10, spacedInk.height()),
             plainInk.copy(0, 0, 10, plainInk.height()));
    QCOMPARE(spacedInk.copy(14, 0, 10, spacedInk.height()),
             plainInk.copy(10, 0, 10, plainInk.height()));
}

QTEST_MAIN(TestTypography)
#include "tst_typography.moc"
