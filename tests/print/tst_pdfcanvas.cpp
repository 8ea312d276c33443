#include "pdfcanvas.h"
#include "pdftools.h"
#include "printertextstream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

const PdfCanvas::Paper A4 {{595, 842}, {18, 18, 559, 806}};

// "family" text lines, each in its family at 12 points, through a printer text stream.
bool printLines(PdfCanvas &canvas, const QList<std::pair<QString, QString>> &lines)
{
    PrinterTextStream stream(canvas);
    if (!stream.open())
        return false;
    for (const auto &[family, text] : lines) {
        stream.setFont({family, 12, false, false});
        stream.writeLine(text);
    }
    return stream.close();
}

// Whether any pixel of the first page, drawn at that resolution, is dark.
bool inked(const QString &pdf, const QString &folder, int dpi = 20)
{
    const QString picture = folder + QStringLiteral("/page");
    PdfTools::run(
        QStringLiteral("pdftoppm"),
        {"-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile", "-png", pdf, picture});
    const QImage image(picture + QStringLiteral(".png"));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPdfCanvas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textExtractableAndFontsEmbedded();
    void hostileFonts();
    void everyFaceTheListDraws_data();
    void everyFaceTheListDraws();
    void removedFontCounted();
    void unwritableFile();

private:
    // A catalogue of these font files copied into a folder of their own.
    std::unique_ptr<FontCatalog> catalogOf(const QString &name, const QStringList &files);

    QTemporaryDir m_dir;
    std::unique_ptr<FontCatalog> m_hostile;
};

void TestPdfCanvas::initTestCase()
{
    // The fonts anyone could install, made now, beside the test fonts.
    const QString files = m_dir.filePath(QStringLiteral("hostile"));
    PdfTools::run(QStringLiteral("/usr/bin/python3"), {GLYPHOR_HOSTILE_FONTS_MAKER, files});
    const QString conf = m_dir.filePath(QStringLiteral("hostile.conf"));
    QFile out(conf);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%2</"
                             "cachedir></fontconfig>\n")
                  .arg(files, m_dir.filePath(QStringLiteral("cache")))
                  .toUtf8());
    out.close();
    m_hostile = FontCatalog::fromConfigurationFile(conf);
    QVERIFY(m_hostile && m_hostile->hasFamily(QStringLiteral("Restricted Licence")));
}

void TestPdfCanvas::textExtractableAndFontsEmbedded()
{
    // Each family's text in its order, right to left text as written, each font a subset with
    // its characters; a family that is not installed prints nothing and is told.
    const QList<std::pair<QString, QString>> lines {
        {"DejaVu Sans", "DejaVu Sans azertyuiop éèàù@123"},
        {"Missing Family", "not printed"},
        {"DejaVu Serif", "DejaVu Serif Bonjour"},
        {"Liberation Serif", "Liberation Serif fi ffl"},
        {"DejaVu Sans", QStringLiteral("\u05E9\u05DC\u05D5\u05DD")},
        {"Liberation Mono", "Liberation Mono 0O1l"},
    };
    const QString pdf = m_dir.filePath(QStringLiteral("text.pdf"));
    PdfCanvas canvas(pdf, A4);
    canvas.setTitle(QStringLiteral("Glyphor 3.5 - Impression"));
    QVERIFY(printLines(canvas, lines));
    QCOMPARE(canvas.familiesLeftOut(), QSet<QString> {"Missing Family"});

    QCOMPARE(PdfTools::lines(pdf),
             (QStringList {lines[0].second, lines[2].second, lines[3].second, lines[4].second,
                           lines[5].second}));
    QVERIFY(PdfTools::run(QStringLiteral("pdfinfo"), {pdf})
                .contains(QLatin1String("Title:           Glyphor 3.5 - Impression\n")));
    const QString fonts = PdfTools::run(QStringLiteral("pdffonts"), {pdf});
    for (const char *name : {"DejaVuSans", "DejaVuSerif", "LiberationSerif", "LiberationMono"}) {
        // Embedded, a subset, with its characters.
        const QRegularExpression embedded(
            QStringLiteral("^[A-Z]{6}\\+%1\\s.*\\syes\\s+yes\\s+yes\\s").arg(name),
            QRegularExpression::MultilineOption);
        QVERIFY2(embedded.match(fonts).hasMatch(), qPrintable(name + ("\n" + fonts)));
    }
}

void TestPdfCanvas::hostileFonts()
{
    // Every family of the hostile set, as far as each allows, without a crash.
    QList<std::pair<QString, QString>> lines;
    for (const QString &family : m_hostile->families())
        lines.append({family, QStringLiteral("Bonjour \u05E9\u05DC\u05D5\u05DD \U0001F600")});
    const QString pdf = m_dir.filePath(QStringLiteral("hostile.pdf"));
    PdfCanvas canvas(pdf, A4, *m_hostile);
    QVERIFY(printLines(canvas, lines));
    QVERIFY(PdfTools::pages(pdf) >= 1);
    QVERIFY(canvas.familiesLeftOut().isEmpty());

    // A font whose licence forbids embedding it: drawn as outlines, the font not in the file.
    const QString restricted = m_dir.filePath(QStringLiteral("restricted.pdf"));
    PdfCanvas outlines(restricted, A4, *m_hostile);
    QVERIFY(printLines(outlines, {{"Restricted Licence", "Bonjour"}}));
    QVERIFY(outlines.familiesLeftOut().isEmpty());
    const QString fonts = PdfTools::run(QStringLiteral("pdffonts"), {restricted});
    QVERIFY2(!fonts.contains(QLatin1String("Restricted")), qPrintable(fonts));
    QVERIFY(inked(restricted, m_dir.path()));
}

std::unique_ptr<FontCatalog> TestPdfCanvas::catalogOf(const QString &name, const QStringList &files)
{
    const QString folder = m_dir.filePath(name);
    QDir().mkpath(folder);
    for (const QString &file : files)
        QFile::copy(file, folder + u'/' + QFileInfo(file).fileName());
    const QString conf = folder + QStringLiteral(".conf");
    QFile out(conf);
    if (!out.open(QIODevice::WriteOnly))
        return nullptr;
    out.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%1-cache"
                             "</cachedir></fontconfig>\n")
                  .arg(folder)
                  .toUtf8());
    out.close();
    return FontCatalog::fromConfigurationFile(conf);
}

// What the list draws prints: Type 1 faces, the font's missing-glyph box for a character it
// lacks, a sample none of whose characters the font has, fonts of bitmaps only (as images).
void TestPdfCanvas::everyFaceTheListDraws_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("extracted"); // what pdftotext reads back
    const QString urw = QStringLiteral("/usr/share/fonts/type1/urw-base35/");
    const QString dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    QTest::newRow("Type 1 text font") << urw + "NimbusSans-Regular.t1"
                                      << "Nimbus Sans"
                                      << "Bonjour"
                                      << "Bonjour";
    QTest::newRow("Type 1 symbol font") << urw + "StandardSymbolsPS.t1"
                                        << "Standard Symbols PS"
                                        << "abc" << QString();
    QTest::newRow("Type 1 as .pfb")
        << QStringLiteral("/usr/share/fonts/X11/Type1/D050000L.pfb") << "D050000L"
        << "abc" << QString();
    QTest::newRow("missing-glyph boxes only")
        << dejavu << "DejaVu Sans" << QStringLiteral("\u4E00\u4E01")
        << QStringLiteral("\u4E00\u4E01");
    QTest::newRow("bitmaps only") << m_dir.filePath(QStringLiteral("hostile/bitmap.bdf"))
                                  << "Bitmap Blocks"
                                  << "Bonjour" << QString();
    QTest::newRow("colour bitmaps")
        << QStringLiteral("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf") << "Noto Color Emoji"
        << QStringLiteral("\U0001F600\U0001F44D") << QString();
}

void TestPdfCanvas::everyFaceTheListDraws()
{
    QFETCH(QString, file);
    QFETCH(QString, family);
    QFETCH(QString, text);
    if (!QFile::exists(file))
        QSKIP("a Debian font is not installed (scripts/setup.sh installs it)");
    const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-');
    const auto catalog = catalogOf(name, {file});
    QVERIFY(catalog && catalog->hasFamily(family));
    const QString pdf = m_dir.filePath(name + QStringLiteral(".pdf"));
    PdfCanvas canvas(pdf, A4, *catalog);
    QVERIFY(printLines(canvas, {{family, text}}));
    QVERIFY(canvas.familiesLeftOut().isEmpty());
    QVERIFY(inked(pdf, m_dir.filePath(name), 72));
    QFETCH(QString, extracted);
    if (!extracted.isEmpty())
        QCOMPARE(PdfTools::lines(pdf), QStringList {extracted});
}

// A font removed while the program runs cannot print: it is told, not left blank.
void TestPdfCanvas::removedFontCounted()
{
    const QString file = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const auto catalog = catalogOf(QStringLiteral("removed"), {file});
    QVERIFY(catalog && catalog->hasFamily(QStringLiteral("DejaVu Sans")));
    QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("removed/DejaVuSans.ttf"))));
    const QString pdf = m_dir.filePath(QStringLiteral("removed.pdf"));
    PdfCanvas canvas(pdf, A4, *catalog);
    QVERIFY(printLines(canvas, {{"DejaVu Sans", "Bonjour"}}));
    QCOMPARE(canvas.familiesLeftOut(), QSet<QString> {"DejaVu Sans"});
}

void TestPdfCanvas::unwritableFile()
{
    PdfCanvas canvas(m_dir.filePath(QStringLiteral("no-such-folder/catalogue.pdf")), A4);
    QVERIFY(!canvas.begin());
    PdfCanvas nowhere(QString(), A4);
    QVERIFY(!nowhere.begin());
}

QTEST_MAIN(TestPdfCanvas)
#include "tst_pdfcanvas.moc"
