#include "fontcatalog.h"
#include "linerenderer.h"

#include <QDir>
#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <QPainter>
#include <QTest>
#include <functional>

// Lines drawn by the list's engine against the same lines drawn by Qt, pixel by pixel.
class TestLineRenderer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void matchesQt_data();
    void matchesQt();
    void subpixelOrder();
    void hostileFonts();
    void bitmapFamilyDrawsTheNearestStrike_data();
    void bitmapFamilyDrawsTheNearestStrike();
    void symbolFontThroughItsSymbolMap();
    void longSampleCutAtTheWidth();
    void cacheStaysBounded();
};

namespace {

constexpr int Width = 900;
const QString Sample = QStringLiteral(" Portez ce vieux whisky au juge blond qui fume 0123 éàç");

// What a paint function draws on a window of the list's kind: Qt draws sub-pixel text on
// windows only, never on an image.
QImage painted(int height, const QColor &background, const std::function<void(QPainter &)> &paint)
{
    class Canvas : public QWidget
    {
    public:
        QColor background;
        std::function<void(QPainter &)> paint;

    protected:
        void paintEvent(QPaintEvent *) override
        {
            QPainter painter(this);
            painter.fillRect(rect(), background);
            paint(painter);
        }
    };
    Canvas canvas;
    canvas.background = background;
    canvas.paint = paint;
    canvas.setAttribute(Qt::WA_OpaquePaintEvent);
    canvas.resize(Width, height);
    return canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct Difference
{
    int worst = 0; // the largest difference of a colour channel, 0 to 255
    double mean = 0; // the mean difference over the pixels either image inked
    double far = 0; // the share of those pixels more than a quarter of the scale apart
    qint64 inked = 0;
};

Difference compare(const QImage &a, const QImage &b, QRgb background)
{
    Difference difference;
    qint64 total = 0, far = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *rowA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rowB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (rowA[x] == background && rowB[x] == background)
                continue;
            ++difference.inked;
            const int d = std::max({std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                                    std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                                    std::abs(qBlue(rowA[x]) - qBlue(rowB[x]))});
            total += d;
            far += d > 72;
            difference.worst = std::max(difference.worst, d);
        }
    }
    if (difference.inked) {
        difference.mean = double(total) / difference.inked;
        difference.far = double(far) / difference.inked;
    }
    return difference;
}

} // namespace

void TestLineRenderer::initTestCase()
{
    // The strike fonts join the test fonts, for the engine and for Qt alike, under the drawing
    // settings of each run.
    QVERIFY(FcConfigAppFontAddDir(FcConfigGetCurrent(),
                                  reinterpret_cast<const FcChar8 *>(GLYPHOR_STRIKE_FONTS)));
}

void TestLineRenderer::matchesQt_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QString>("sample");
    for (const char *family : {"Liberation Sans", "Liberation Serif", "Liberation Mono",
                               "DejaVu Sans", "DejaVu Serif"}) {
        for (int points : {6, 9, 12, 20, 36, 72}) {
            for (int attributes = 0; attributes < 8; ++attributes) {
                QTest::addRow("%s %d%s%s%s", family, points, attributes & 1 ? " bold" : "",
                              attributes & 2 ? " italic" : "", attributes & 4 ? " underline" : "")
                    << QString::fromLatin1(family) << points << bool(attributes & 1)
                    << bool(attributes & 2) << bool(attributes & 4) << QColor(Qt::black)
                    << QColor(Qt::white) << Sample;
            }
        }
    }
    // The list's own colours and a selected line's.
    QTest::newRow("yellow on navy") << "Liberation Sans" << 12 << false << false << true
                                    << QColor(Qt::yellow) << QColor(Qt::darkBlue) << Sample;
    QTest::newRow("selected") << "DejaVu Serif" << 20 << true << true << false << QColor(Qt::white)
                              << QColor(48, 140, 198) << Sample;
    // Right to left within a left-to-right line, joined Arabic letters, a combining accent.
    QTest::newRow("right to left")
        << "DejaVu Sans" << 16 << false << false << false << QColor(Qt::black) << QColor(Qt::white)
        << QStringLiteral(" abc \u05E9\u05DC\u05D5\u05DD def "
                          "\u0645\u0631\u062D\u0628\u0627 e\u0301");
    // Real Debian fonts, where the tests add them: symbol fonts whose letters are symbols, colour
    // emoji, ascents far taller than the letters.
    const std::pair<const char *, QString> debianFonts[] = {
        {"D050000L", QStringLiteral(" abc ABC 123 \u2660")},
        {"Standard Symbols PS", QStringLiteral(" abc ABC 123 \u2660")},
        {"Noto Color Emoji", QStringLiteral(" 12 \U0001F600\U0001F44D")},
        {"STIX Math", QStringLiteral(" = + \u222B\u2211\u221A")},
        // One word: where Nastaliq's words cascade, Qt 6.4 lowers their first letter.
        {"Noto Nastaliq Urdu", QStringLiteral(" \u0627\u0631\u062F\u0648")},
    };
    for (const auto &[family, text] : debianFonts) {
        if (!FontCatalog::system().hasFamily(QString::fromLatin1(family)))
            continue;
        for (int points : {12, 36}) {
            QTest::addRow("%s %d", family, points)
                << QString::fromLatin1(family) << points << false << false << false
                << QColor(Qt::black) << QColor(Qt::white) << text;
        }
    }
    // Outlines with a bitmap strike at 16 pixels beside them: the strike drawn only without
    // antialiasing, and never for italic, which slants the outlines.
    for (const bool italic : {false, true}) {
        QTest::addRow("strike beside outlines 12%s", italic ? " italic" : "")
            << "Strike Outline" << 12 << false << italic << false << QColor(Qt::black)
            << QColor(Qt::white) << QStringLiteral(" IIII");
    }
    // A character-cell family in one file per size (10, 16 and 24 pixels): the file nearest
    // the size draws.
    for (int points : {6, 12, 18}) {
        QTest::addRow("strike nearest the size %d", points)
            << "Strike Cells" << points << false << false << false << QColor(Qt::black)
            << QColor(Qt::white) << QStringLiteral(" Abc");
    }
    // Characters the font lacks: its own missing-glyph box, never another font's glyph.
    QTest::newRow("missing glyphs")
        << "Liberation Serif" << 16 << false << false << false << QColor(Qt::black)
        << QColor(Qt::white) << QStringLiteral(" a\u4E2D\u6587b\u0E01");
}

void TestLineRenderer::matchesQt()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(QString, sample);

    const RenderSettings settings = FontCatalog::system().renderSettings(
        FontCatalog::system().faces(family).constFirst(), points * 96 / 72.0);
    if (!settings.antialias && points >= 48)
        QSKIP("Without antialiasing, Qt lays out its outline sizes a few pixels wider");

    QFont font;
    font.setFamilies({family});
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::NoFontMerging);
    // Room for fonts whose ascent is far taller than their letters.
    const int height = std::max(points * 2 + 8, QFontMetrics(font).height() + 8);
    int ascent = 0;
    const QImage byQt = painted(height, background, [&](QPainter &painter) {
        painter.setFont(font);
        painter.setPen(text);
        ascent = painter.fontMetrics().ascent();
        painter.drawText(3, 2 + ascent, sample);
    });

    LineRenderer renderer;
    LineStyle style;
    style.pixelSize = points * 96 / 72.0;
    style.bold = bold;
    style.italic = italic;
    style.underline = underline;
    const RenderedLine &line = renderer.line(family, sample, style, Width - 3);
    QVERIFY(line.drawn);
    QCOMPARE(line.ascent, ascent);
    const QImage byEngine = painted(height, background, [&](QPainter &painter) {
        LineRenderer::draw(painter, QPointF(3, 2 + line.ascent), line, text, background);
    });
    // Glyphs from 64 pixels on are filled as outlines by Qt's own rasteriser, a few levels apart
    // from FreeType's at their edges. With light hinting a glyph now and then lands a quarter of
    // a pixel from Qt's (its stems a quarter of the scale apart); the rest come out the same.
    const Difference difference = compare(byQt, byEngine, background.rgb());
    if (!qEnvironmentVariableIsEmpty("GLYPHOR_SAVE_LINES")) {
        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
        const QDir folder(qEnvironmentVariable("GLYPHOR_SAVE_LINES"));
        byQt.save(folder.filePath(name + QStringLiteral("-qt.png")));
        byEngine.save(folder.filePath(name + QStringLiteral("-engine.png")));
    }
    QVERIFY(difference.inked > 0);
    // STIX Math's hinted edges come out a few levels apart from Qt's; its glyphs and their
    // places are the same.
    const bool edgesApart = family == QLatin1String("STIX Math");
    QVERIFY2(difference.far <= (edgesApart ? 0.02 : 0.005)
                 && difference.mean <= (edgesApart ? 20 : 8),
             qPrintable(QStringLiteral("worst %1, mean %2, far apart %3 over %4 pixels")
                            .arg(difference.worst)
                            .arg(difference.mean)
                            .arg(difference.far)
                            .arg(difference.inked)));
}

void TestLineRenderer::subpixelOrder()
{
    const QList<FontFace> faces = FontCatalog::system().faces(QStringLiteral("Liberation Sans"));
    const RenderSettings settings = FontCatalog::system().renderSettings(faces.constFirst(), 16);
    LineRenderer renderer;
    const RenderedLine &line
        = renderer.line(QStringLiteral("Liberation Sans"), QStringLiteral("l"), LineStyle(), 100);
    QVERIFY(line.drawn);
    using Order = RenderSettings::SubpixelOrder;
    if (settings.subpixelOrder == Order::None || !settings.antialias) {
        QCOMPARE(line.coverage.format(), QImage::Format_Alpha8);
        return;
    }
    QCOMPARE(line.coverage.format(), QImage::Format_RGB32);
    // The stem's left edge covers the sub-pixel on the pixel's right side first: blue on a
    // screen ordered red, green, blue; red on one ordered the other way.
    int red = 0, blue = 0;
    for (int y = 0; y < line.coverage.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(line.coverage.constScanLine(y));
        for (int x = 0; x < line.coverage.width(); ++x) {
            if (row[x] & 0xffffff) {
                red += qRed(row[x]);
                blue += qBlue(row[x]);
                break;
            }
        }
    }
    if (settings.subpixelOrder == Order::Rgb)
        QVERIFY2(blue > red, qPrintable(QStringLiteral("red %1, blue %2").arg(red).arg(blue)));
    else if (settings.subpixelOrder == Order::Bgr)
        QVERIFY2(red > blue, qPrintable(QStringLiteral("red %1, blue %2").arg(red).arg(blue)));
}

void TestLineRenderer::hostileFonts()
{
    const auto catalog
        = FontCatalog::fromConfigurationFile(QStringLiteral(GLYPHOR_HOSTILE_FONTS_CONF));
    // The cut and the empty files are not fonts; everything else is listed.
    QVERIFY(catalog->families().contains(QStringLiteral("No Charmap")));
    QVERIFY(catalog->families().contains(QStringLiteral("Bitmap Blocks")));
    QVERIFY(catalog->families().contains(QStringLiteral("Collected Two")));
    QVERIFY(catalog->families().contains(QStringLiteral("Variable Weight")));
    QVERIFY(catalog->families().contains(QStringLiteral("Damaged Layout")));
    QVERIFY(catalog->families().contains(QStringLiteral("Damaged Mapping")));
    LineRenderer renderer(*catalog);
    const QString text = QStringLiteral(" Abc \u05E9\u05DC\u05D5\u05DD \U0001F600 \u4E2D");
    // Features, axes and a language through damaged layout, axis and mapping tables too.
    Typography typography;
    typography.features = {{"smcp", true}, {"liga", false}, {"kern", true}};
    typography.axes = {{"wght", 5000}, {"opsz", -3}};
    typography.language = QStringLiteral("tr");
    typography.letterSpacing = Typography::MaximumSpacing;
    for (const QString &family : catalog->families()) {
        for (const double size : {1.0, 8.0, 16.0, 96.0}) {
            for (const bool bold : {false, true}) {
                LineStyle style;
                style.pixelSize = size;
                style.bold = style.italic = style.underline = bold;
                if (bold)
                    style.typography = typography;
                const RenderedLine &line = renderer.line(family, text, style, 400);
                QVERIFY2(line.drawn || family == QStringLiteral("Bitmap Blocks"),
                         qPrintable(family.left(40)));
            }
        }
    }
    // Drawn at its only size, whatever size is asked for; the collection's second face too.
    for (const QString &family :
         {QStringLiteral("Bitmap Blocks"), QStringLiteral("Collected Two")}) {
        const RenderedLine &line = renderer.line(family, QStringLiteral("AB"), LineStyle(), 400);
        QVERIFY(line.drawn);
        QVERIFY(!line.coverage.isNull());
    }
    // A family no font has: not drawn, the list shows its name alone.
    QVERIFY(!renderer.line(QStringLiteral("Nowhere"), text, LineStyle(), 400).drawn);
}

void TestLineRenderer::bitmapFamilyDrawsTheNearestStrike_data()
{
    // Strike Cells' files: 10, 16 and 24 pixels (fontconfig says 10.4, 16.7 and 25), glyphs as
    // high as their ascent, 7, 12 and 18 pixels.
    QTest::addColumn<double>("pixelSize");
    QTest::addColumn<int>("inkHeight");
    QTest::newRow("smaller than any") << 6.0 << 7;
    QTest::newRow("nearer 10 than 16") << 13.0 << 7;
    QTest::newRow("nearer 16 than 10") << 14.0 << 12;
    QTest::newRow("16") << 16.0 << 12;
    QTest::newRow("nearer 24 than 16") << 21.0 << 18;
    QTest::newRow("larger than any") << 48.0 << 18;
}

void TestLineRenderer::bitmapFamilyDrawsTheNearestStrike()
{
    QFETCH(double, pixelSize);
    LineRenderer renderer;
    LineStyle style;
    style.pixelSize = pixelSize;
    const RenderedLine &line
        = renderer.line(QStringLiteral("Strike Cells"), QStringLiteral("AB"), style, 400);
    QVERIFY(line.drawn);
    QTEST(line.coverage.height(), "inkHeight");
}

void TestLineRenderer::symbolFontThroughItsSymbolMap()
{
    // The symbol font holds Liberation Sans's glyphs at U+F041...: typed letters reach them as
    // they do in Qt, and come out as a copy of Liberation Sans draws the same letters.
    const auto hostile
        = FontCatalog::fromConfigurationFile(QStringLiteral(GLYPHOR_HOSTILE_FONTS_CONF));
    LineRenderer renderer(*hostile);
    const QString text = QStringLiteral(" Abc");
    const QImage bySymbols
        = renderer.line(QStringLiteral("Symbolic Pi"), text, LineStyle(), 400).coverage;
    const QImage byPlain
        = renderer.line(QStringLiteral("Quote \"Dbl\" 'Sgl'"), text, LineStyle(), 400).coverage;
    QVERIFY(!bySymbols.isNull());
    QCOMPARE(bySymbols, byPlain);
}

void TestLineRenderer::longSampleCutAtTheWidth()
{
    // 100,000 characters: only what fits is shaped and drawn.
    LineRenderer renderer;
    const QString text = QStringLiteral("Lorem ipsum ").repeated(8334);
    const RenderedLine &line = renderer.line(QStringLiteral("DejaVu Sans"), text, LineStyle(), 500);
    QVERIFY(line.drawn);
    QVERIFY(line.coverage.width() <= 500);
    QVERIFY(line.coverage.width() > 450);
}

void TestLineRenderer::cacheStaysBounded()
{
    LineRenderer renderer;
    LineStyle style;
    style.pixelSize = 96;
    for (int i = 0; i < 2 * LineRenderer::MaximumCachedLines; ++i)
        renderer.line(QStringLiteral("Liberation Serif"), QString::number(i).repeated(40), style,
                      1200);
    QVERIFY(renderer.cachedLines() <= LineRenderer::MaximumCachedLines);
    QVERIFY(renderer.cachedBytes() <= LineRenderer::MaximumCachedBytes);
    // A line seen again comes from the cache: the same image, not drawn anew.
    const qint64 key
        = renderer.line(QStringLiteral("Liberation Serif"), QStringLiteral("x"), style, 100)
              .coverage.cacheKey();
    QCOMPARE(renderer.line(QStringLiteral("Liberation Serif"), QStringLiteral("x"), style, 100)
                 .coverage.cacheKey(),
             key);
}

QTEST_MAIN(TestLineRenderer)
#include "tst_linerenderer.moc"
