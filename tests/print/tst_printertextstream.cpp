#include "pdfcanvas.h"
#include "pdftools.h"
#include "printertextstream.h"
#include "recordingcanvas.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The stream's rules hold whatever canvas it draws on: each test runs on the recording canvas's
// simple metrics, and on the PDF canvas with a fixed-pitch font, whose widths and heights are
// those of a real font at the printer's resolution. Expected positions are given in the
// canvas's own units: widths of texts, heights of fonts.
enum class Canvas { Recording, Pdf };
Q_DECLARE_METATYPE(Canvas)

namespace {

// A stream's canvas of the kind asked for, recording what is drawn.
class Setup
{
public:
    explicit Setup(Canvas kind)
    {
        if (kind == Canvas::Pdf) {
            m_pdf = std::make_unique<PdfCanvas>(pdfPath(),
                                                PdfCanvas::Paper {{595, 842}, {18, 18, 559, 806}});
        }
        m_canvas = std::make_unique<RecordingCanvas>(m_pdf.get());
        if (m_pdf) {
            m_canvas->width = m_pdf->pageWidth();
            m_canvas->height = m_pdf->pageHeight();
        }
    }

    RecordingCanvas &canvas() { return *m_canvas; }

    PrintFont font(int points) const
    {
        return {m_pdf ? QStringLiteral("Liberation Mono") : QString(), points, false, false};
    }
    int width(int points, const QString &text)
    {
        m_canvas->setFont(font(points));
        return m_canvas->measure(text).width();
    }
    int height(int points)
    {
        m_canvas->setFont(font(points));
        return m_canvas->fontHeight();
    }
    // The pages of the PDF written, or those recorded without one.
    int pagesWritten() const
    {
        if (!m_pdf)
            return m_canvas->pages;
        return PdfTools::pages(pdfPath());
    }

private:
    QString pdfPath() const { return m_dir.filePath(QStringLiteral("stream.pdf")); }

    QTemporaryDir m_dir;
    std::unique_ptr<PdfCanvas> m_pdf;
    std::unique_ptr<RecordingCanvas> m_canvas;
};

// What was drawn, as "page:x,y:text" items.
QStringList runs(const RecordingCanvas &canvas)
{
    QStringList list;
    for (const RecordingCanvas::Drawn &run : canvas.drawn)
        list.append(
            QStringLiteral("%1:%2,%3:%4").arg(run.page).arg(run.x).arg(run.y).arg(run.text));
    return list;
}

QString run(int page, int x, int y, const QString &text)
{
    return QStringLiteral("%1:%2,%3:%4").arg(page).arg(x).arg(y).arg(text);
}

// A row for each canvas.
template<typename AddColumns>
void addRows(const char *name, AddColumns add, bool recordingOnly = false)
{
    for (Canvas canvas : {Canvas::Recording, Canvas::Pdf}) {
        if (recordingOnly && canvas != Canvas::Recording)
            continue;
        add(QTest::addRow("%s: %s", canvas == Canvas::Pdf ? "pdf" : "recording", name) << canvas);
    }
}

} // namespace

class TestPrinterTextStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wrapping_data();
    void wrapping();
    void lineHeight_data();
    void lineHeight();
    void paging_data();
    void paging();
    void noBlankPageAtTheEnd_data();
    void noBlankPageAtTheEnd();
    void longLinesWrapWithoutMeasuringEachCharacter_data();
    void longLinesWrapWithoutMeasuringEachCharacter();
};

void TestPrinterTextStream::wrapping_data()
{
    QTest::addColumn<Canvas>("kind");
    QTest::addColumn<QString>("before"); // written first, at 10 pt
    QTest::addColumn<QString>("text"); // then this, at 20 pt
    // The page is as wide as before and room, and half a 20 pt character more when not exact.
    QTest::addColumn<QString>("room");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<QStringList>("lines"); // what text gives each line, from the first

    const auto row = [](const char *name, const QString &before, const QString &text,
                        const QString &room, bool exact, const QStringList &lines) {
        addRows(name, [&](QTestData &data) { data << before << text << room << exact << lines; });
    };
    row("fits exactly", {}, "0123456789", "0123456789", true, {"0123456789"});
    row("one character too many", {}, "0123456789A", "0123456789", true, {"0123456789", "A"});
    row("over three lines", {}, "abcdefghijklm", "abcde", false, {"abcde", "fghij", "klm"});
    row("after a name, at any character, not at a space", "name", "ab cdefghij", "ab cdefg", false,
        {"ab cdefg", "hij"});
    row("nothing fits after the name", "123456789", "ab", {}, false, {{}, "ab"});
    row("a character wider than the page gets a line of its own", {}, "abc", {}, false,
        {"a", "b", "c"});
    row("a letter and its accent stay together", {}, QStringLiteral("abce\u0301f"), "abc", false,
        {"abc", QStringLiteral("e\u0301f")});
    row("a character outside the BMP stays whole", {}, QStringLiteral("abc\U0001F600c"), "abc",
        false, {"abc", QStringLiteral("\U0001F600c")});
}

void TestPrinterTextStream::wrapping()
{
    QFETCH(Canvas, kind);
    QFETCH(QString, before);
    QFETCH(QString, text);
    QFETCH(QString, room);
    QFETCH(bool, exact);
    QFETCH(QStringList, lines);

    Setup setup(kind);
    const int beforeWidth = setup.width(10, before);
    RecordingCanvas &canvas = setup.canvas();
    canvas.width = beforeWidth + setup.width(20, room) + (exact ? 0 : setup.width(20, "0") / 2);
    const int lineHeight = setup.height(20) + 2;
    QStringList expected;
    if (!before.isEmpty())
        expected.append(run(1, 0, 0, before));
    for (qsizetype line = 0; line < lines.size(); ++line) {
        if (!lines.at(line).isEmpty())
            expected.append(
                run(1, line == 0 ? beforeWidth : 0, int(line) * lineHeight, lines.at(line)));
    }

    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(setup.font(10));
    if (!before.isEmpty())
        stream.write(before);
    stream.setFont(setup.font(20));
    stream.write(text);
    QCOMPARE(runs(canvas), expected);
    // The continuation keeps the font it was written in.
    for (const RecordingCanvas::Drawn &run : canvas.drawn) {
        if (run.text != before)
            QCOMPARE(run.font.points, 20);
    }
    QVERIFY(stream.close());
}

void TestPrinterTextStream::lineHeight_data()
{
    QTest::addColumn<Canvas>("kind");
    QTest::addColumn<QList<int>>("pieces"); // the sizes of the pieces of one line, in order
    QTest::addColumn<int>("fontAtEnd"); // the font's size when the line ends
    // y of the next line: the height of the font of this size, plus this
    QTest::addColumn<int>("heightOf");
    QTest::addColumn<int>("plus");

    const auto row = [](const char *name, const QList<int> &pieces, int fontAtEnd, int heightOf,
                        int plus, bool recordingOnly = false) {
        addRows(
            name, [&](QTestData &data) { data << pieces << fontAtEnd << heightOf << plus; },
            recordingOnly);
    };
    row("empty line: the font's full height", {}, 15, 15, 0);
    row("one piece: its height + 2", {10}, 10, 10, 2);
    row("taller piece second", {10, 20}, 20, 20, 2);
    row("taller piece first", {20, 10}, 10, 20, 2);
    // A piece no taller than the line's height so far, its 2 pixels included, leaves it: 11 pt
    // is 22 pixels high on the recording canvas, as 10 pt with its 2.
    row("a piece within the first's spacing", {10, 11}, 11, 10, 2, true);
    row("a piece past it", {10, 12}, 12, 12, 2, true);
}

void TestPrinterTextStream::lineHeight()
{
    QFETCH(Canvas, kind);
    QFETCH(QList<int>, pieces);
    QFETCH(int, fontAtEnd);
    QFETCH(int, heightOf);
    QFETCH(int, plus);

    Setup setup(kind);
    const int advance = setup.height(heightOf) + plus;
    RecordingCanvas &canvas = setup.canvas();
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    for (int size : pieces) {
        stream.setFont(setup.font(size));
        stream.write(QStringLiteral("ab"));
    }
    stream.setFont(setup.font(fontAtEnd));
    stream.endLine();
    QCOMPARE(stream.y(), advance);
    QCOMPARE(stream.x(), 0);
    QCOMPARE(stream.lineHeight(), 0);

    // Pieces of one line, whatever their fonts, share its top.
    for (const RecordingCanvas::Drawn &run : canvas.drawn)
        QCOMPARE(run.y, 0);
    QVERIFY(stream.close());
}

void TestPrinterTextStream::paging_data()
{
    QTest::addColumn<Canvas>("kind");
    QTest::addColumn<bool>("emptyLines"); // a line with nothing drawn before each numbered one
    // The page's height: so many lines (the font's height + 2), so many empty lines (its
    // height), and pixels.
    QTest::addColumn<QList<int>>("pageHeight");
    // Where each numbered line is drawn: page, empty lines above, lines above.
    QTest::addColumn<QList<QList<int>>>("expected");

    const auto row = [](const char *name, bool emptyLines, const QList<int> &pageHeight,
                        const QList<QList<int>> &expected) {
        addRows(name, [&](QTestData &data) { data << emptyLines << pageHeight << expected; });
    };
    // Another line fits while y <= H - 2 lines.
    row("y = H - 2 lines stays on the page", false, {5, 0, 0},
        {{1, 0, 0}, {1, 0, 1}, {1, 0, 2}, {1, 0, 3}, {2, 0, 0}});
    row("one pixel more starts a new page", false, {5, 0, -1},
        {{1, 0, 0}, {1, 0, 1}, {1, 0, 2}, {2, 0, 0}, {2, 0, 1}});
    // The page is full once the third empty line ends below H - 2 of its heights.
    row("an empty line is judged by the font's height", true, {0, 7, 0},
        {{1, 1, 0}, {1, 2, 1}, {2, 0, 0}, {2, 1, 1}, {2, 2, 2}});
}

void TestPrinterTextStream::paging()
{
    QFETCH(Canvas, kind);
    QFETCH(bool, emptyLines);
    QFETCH(QList<int>, pageHeight);
    QFETCH(QList<QList<int>>, expected);

    Setup setup(kind);
    const int empty = setup.height(10);
    const int line = empty + 2;
    RecordingCanvas &canvas = setup.canvas();
    canvas.height = pageHeight[0] * line + pageHeight[1] * empty + pageHeight[2];
    QStringList expectedRuns;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const QList<int> &at = expected.at(i);
        expectedRuns.append(run(at[0], 0, at[1] * empty + at[2] * line, QString::number(i + 1)));
    }

    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(setup.font(10));
    for (int number = 1; number <= 5; ++number) {
        if (emptyLines)
            stream.endLine();
        stream.writeLine(QString::number(number));
    }
    QCOMPARE(runs(canvas), expectedRuns);
    QVERIFY(stream.close());
    // The file has the pages the stream started, no more.
    QCOMPARE(canvas.pages, 2);
    QCOMPARE(setup.pagesWritten(), canvas.pages);
}

void TestPrinterTextStream::noBlankPageAtTheEnd_data()
{
    QTest::addColumn<Canvas>("kind");
    addRows("three lines fill the page", [](QTestData &) {});
}

void TestPrinterTextStream::noBlankPageAtTheEnd()
{
    QFETCH(Canvas, kind);
    Setup setup(kind);
    RecordingCanvas &canvas = setup.canvas();
    canvas.height = 5 * (setup.height(10) + 2) - 1;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(setup.font(10));
    for (int line = 1; line <= 3; ++line)
        stream.writeLine(QStringLiteral("x"));
    // The third line filled the page; the job ends on it.
    QVERIFY(stream.close());
    QCOMPARE(canvas.pages, 1);
    QCOMPARE(canvas.ended, 1);
    QCOMPARE(setup.pagesWritten(), 1);
    QVERIFY(stream.close());
    QCOMPARE(canvas.ended, 1);
}

void TestPrinterTextStream::longLinesWrapWithoutMeasuringEachCharacter_data()
{
    QTest::addColumn<Canvas>("kind");
    addRows("10,000 characters", [](QTestData &) {});
}

void TestPrinterTextStream::longLinesWrapWithoutMeasuringEachCharacter()
{
    // A font name of 10,000 characters pads every line of the catalogue to its length: wrapping
    // must not measure each line once per character (some 5 billion characters measured here,
    // minutes of printing per line), only a few times per piece it makes.
    QFETCH(Canvas, kind);
    Setup setup(kind);
    RecordingCanvas &canvas = setup.canvas();
    canvas.width = setup.width(10, QString(100, u'x')) + setup.width(10, "x") / 2;
    canvas.height = 1000000;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(setup.font(10));
    canvas.measuredCharacters = 0;
    const QString line(10000, u'x');
    stream.writeLine(line);
    QCOMPARE(canvas.drawn.size(), size_t(100));
    QCOMPARE(canvas.drawn.back().text, QString(100, u'x'));
    QVERIFY2(canvas.measuredCharacters < 300 * line.size(),
             qPrintable(QString::number(canvas.measuredCharacters)));
    QVERIFY(stream.close());
}

QTEST_MAIN(TestPrinterTextStream)
#include "tst_printertextstream.moc"
