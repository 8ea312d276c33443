#include "fontcatalogue.h"
#include "fontfamilies.h"
#include "printertextstream.h"
#include "productinfo.h"
#include "recordingcanvas.h"
#include "uifonts.h"

#include <QTest>

namespace {

const QString Version = QStringLiteral("Glyphor 3.5");
const QDateTime PrintedAt(QDate(2026, 12, 7), QTime(9, 5, 3));

// The runs of one printed line.
struct Line
{
    QList<RecordingCanvas::Drawn> runs;
    QString text() const
    {
        QString joined;
        for (const RecordingCanvas::Drawn &run : runs)
            joined += run.text;
        return joined;
    }
};

QList<Line> printedLines(const RecordingCanvas &canvas)
{
    QList<Line> lines;
    int page = 0, y = -1;
    for (const RecordingCanvas::Drawn &run : canvas.drawn) {
        if (run.page != page || run.y != y)
            lines.append(Line());
        page = run.page;
        y = run.y;
        lines.last().runs.append(run);
    }
    return lines;
}

QStringList texts(const QList<Line> &lines)
{
    QStringList list;
    for (const Line &line : lines)
        list.append(line.text());
    return list;
}

QList<Line> printCatalogue(RecordingCanvas &canvas, FontCatalogue &catalogue)
{
    PrinterTextStream stream(canvas);
    if (!stream.open())
        return {};
    catalogue.setPrintedAt(PrintedAt);
    catalogue.write(stream);
    stream.close();
    return printedLines(canvas);
}

QString layoutFamily(const char *windowsName)
{
    return UiFonts::family(QLatin1String(windowsName));
}

} // namespace

class TestFontCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void header_data();
    void header();
    void fontLines();
    void dateLine_data();
    void dateLine();
};

void TestFontCatalogue::header_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QStringList>("defaultLine");
    QTest::addColumn<QString>("printed");

    QTest::newRow("a sample") << "Bonjour" << QStringList() << "Bonjour";
    QTest::newRow("no sample: the default one, said so")
        << QString() << QStringList {" (...Impression de la chaîne par défaut...)"}
        << "azertyuiopASDFGHJKLMéèàùêîâ@1234567890";
}

void TestFontCatalogue::header()
{
    QFETCH(QString, sample);
    QFETCH(QStringList, defaultLine);
    QFETCH(QString, printed);

    RecordingCanvas canvas;
    FontCatalogue catalogue(Version, {QStringLiteral("Default"), QStringLiteral("DejaVu Sans")},
                            sample);
    const QList<Line> lines = printCatalogue(canvas, catalogue);
    const QStringList expected = QStringList {
        " ",
        "  Glyphor 3.5",
        "   L'équipe Glyphor ",
        "   " + ProductInfo::homePage() + " ",
        "  ",
        "   Le: 07/12/2026 à 09:05:03, Glyphor a trouvé 2 fontes sur votre système: ",
    } + defaultLine + QStringList {" "};
    QCOMPARE(texts(lines.first(expected.size())), expected);
    QCOMPARE(lines.at(expected.size()).runs.at(1).text, printed);

    // Arial 12, bold; 8 bold; 10 regular; all through its installed stand-in.
    const QList<std::pair<int, bool>> fonts = {{12, false}, {12, true},  {8, true},   {8, true},
                                               {8, true},   {10, false}, {10, false}, {10, false}};
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const PrintFont font = lines.at(i).runs.constFirst().font;
        QCOMPARE(font.family, layoutFamily("Arial"));
        QCOMPARE(font.points, fonts.at(i).first);
        QCOMPARE(font.bold, fonts.at(i).second);
    }
}

void TestFontCatalogue::fontLines()
{
    const QStringList families = {QStringLiteral("Default"), QStringLiteral("DejaVu Sans"),
                                  QStringLiteral("Liberation Mono"), QStringLiteral("X")};
    // The size as the field gives it before each line: changed while the job runs.
    QList<int> sizes = {14, 14, 30, 9};
    RecordingCanvas canvas;
    canvas.height = 300; // a few lines a page
    FontCatalogue catalogue(Version, families, QStringLiteral("Bonjour"));
    catalogue.setSampleSize([&] { return sizes.takeFirst(); });
    const QList<Line> lines = printCatalogue(canvas, catalogue);
    QVERIFY(sizes.isEmpty());

    QList<Line> fontLines;
    for (const Line &line : lines) {
        if (line.runs.size() == 2)
            fontLines.append(line);
    }
    QCOMPARE(fontLines.size(), families.size());
    const QList<int> printedSizes = {14, 14, 30, 9};
    for (qsizetype i = 0; i < families.size(); ++i) {
        const RecordingCanvas::Drawn &name = fontLines.at(i).runs.at(0);
        const RecordingCanvas::Drawn &sample = fontLines.at(i).runs.at(1);
        QCOMPARE(name.text, QLatin1Char(' ') + families.at(i).leftJustified(15) + "  ");
        QCOMPARE(name.font.family, layoutFamily("Courier New"));
        QCOMPARE(name.font.points, 10);
        QVERIFY(name.font.bold);

        QCOMPARE(sample.text, QStringLiteral("Bonjour"));
        // "Default" is the desktop's general font.
        QCOMPARE(sample.font.family, i == 0 ? UiFonts::desktopFamily() : families.at(i));
        QCOMPARE(sample.font.points, printedSizes.at(i));
        QVERIFY(!sample.font.bold && !sample.font.italic);
    }

    // Later pages start with a font line at the top-left corner: the header is the first page's.
    QCOMPARE(canvas.pages, 2);
    const auto pageTwo = std::find_if(lines.cbegin(), lines.cend(),
                                      [](const Line &line) { return line.runs[0].page == 2; });
    QVERIFY(pageTwo != lines.cend());
    QCOMPARE(pageTwo->runs.size(), 2);
    QCOMPARE(pageTwo->runs[0].text, " X                ");
    QCOMPARE(std::pair(pageTwo->runs[0].x, pageTwo->runs[0].y), std::pair(0, 0));
}

void TestFontCatalogue::dateLine_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("dateAndTime");

    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << "07/12/2026 à 09:05:03";
    QTest::newRow("American, seconds and no time zone")
        << QLocale(QLocale::English, QLocale::UnitedStates) << "12/7/26 à 9:05:03 AM";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "07.12.26 à 09:05:03";
}

void TestFontCatalogue::dateLine()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, dateAndTime);

    QLocale::setDefault(locale);
    const FontCatalogue catalogue(Version, {"A", "B", "C", "D"}, QString());
    const QString line = catalogue.dateLine(PrintedAt);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(line, "   Le: " + dateAndTime + ", Glyphor a trouvé 4 fontes sur votre système: ");
}

QTEST_MAIN(TestFontCatalogue)
#include "tst_fontcatalogue.moc"
