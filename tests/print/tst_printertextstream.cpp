#include "printertextstream.h"
#include "recordingcanvas.h"

#include <QTest>

// What was drawn, as "page:x,y:text" items.
static QStringList runs(const RecordingCanvas &canvas)
{
    QStringList list;
    for (const RecordingCanvas::Drawn &run : canvas.drawn)
        list.append(
            QStringLiteral("%1:%2,%3:%4").arg(run.page).arg(run.x).arg(run.y).arg(run.text));
    return list;
}

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
    void noBlankPageAtTheEnd();
    void longLinesWrapWithoutMeasuringEachCharacter();
};

void TestPrinterTextStream::wrapping_data()
{
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<QString>("before"); // written first, at 10 pt
    QTest::addColumn<QString>("text"); // then this, at 20 pt
    QTest::addColumn<QStringList>("expected");

    // 20 pt: 20 pixels a character, 40 high, lines 42 apart.
    QTest::newRow("fits exactly") << 200 << QString() << "0123456789"
                                  << QStringList {"1:0,0:0123456789"};
    QTest::newRow("one character too many")
        << 200 << QString() << "0123456789A" << QStringList {"1:0,0:0123456789", "1:0,42:A"};
    QTest::newRow("over three lines") << 100 << QString() << "abcdefghijklm"
                                      << QStringList {"1:0,0:abcde", "1:0,42:fghij", "1:0,84:klm"};
    QTest::newRow("after a name, at any character, not at a space")
        << 200 << "name"
        << "ab cdefghij" << QStringList {"1:0,0:name", "1:40,0:ab cdefg", "1:0,42:hij"};
    QTest::newRow("nothing fits after the name")
        << 100 << "123456789"
        << "ab" << QStringList {"1:0,0:123456789", "1:0,42:ab"};
    QTest::newRow("a character wider than the page gets a line of its own")
        << 10 << QString() << "abc" << QStringList {"1:0,0:a", "1:0,42:b", "1:0,84:c"};
    QTest::newRow("a letter and its accent stay together")
        << 60 << QString() << QStringLiteral("abe\u0301f")
        << QStringList {"1:0,0:ab", QStringLiteral("1:0,42:e\u0301f")};
    QTest::newRow("a character outside the BMP stays whole")
        << 60 << QString() << QStringLiteral("ab\U0001F600c")
        << QStringList {"1:0,0:ab", QStringLiteral("1:0,42:\U0001F600c")};
}

void TestPrinterTextStream::wrapping()
{
    QFETCH(int, pageWidth);
    QFETCH(QString, before);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    RecordingCanvas canvas;
    canvas.width = pageWidth;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(sized(10));
    if (!before.isEmpty())
        stream.write(before);
    stream.setFont(sized(20));
    stream.write(text);
    QCOMPARE(runs(canvas), expected);
    // The continuation keeps the font it was written in.
    for (const RecordingCanvas::Drawn &run : canvas.drawn) {
        if (run.text != before)
            QCOMPARE(run.font.pointSize(), 20);
    }
}

void TestPrinterTextStream::lineHeight_data()
{
    QTest::addColumn<QList<int>>("pieces"); // the sizes of the pieces of one line, in order
    QTest::addColumn<int>("fontAtEnd"); // the font's size when the line ends
    QTest::addColumn<int>("advance"); // y of the next line

    QTest::newRow("empty line: the font's full height") << QList<int> {} << 15 << 30;
    QTest::newRow("one piece: its height + 2") << QList<int> {10} << 10 << 22;
    QTest::newRow("taller piece second") << QList<int> {10, 20} << 20 << 42;
    QTest::newRow("taller piece first") << QList<int> {20, 10} << 10 << 42;
    // A piece no taller than the line's height so far, its 2 pixels included, leaves it.
    QTest::newRow("a piece within the first's spacing") << QList<int> {10, 11} << 11 << 22;
    QTest::newRow("a piece past it") << QList<int> {10, 12} << 12 << 26;
}

void TestPrinterTextStream::lineHeight()
{
    QFETCH(QList<int>, pieces);
    QFETCH(int, fontAtEnd);
    QFETCH(int, advance);

    RecordingCanvas canvas;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    for (int size : pieces) {
        stream.setFont(sized(size));
        stream.write(QStringLiteral("ab"));
    }
    stream.setFont(sized(fontAtEnd));
    stream.endLine();
    QCOMPARE(stream.y(), advance);
    QCOMPARE(stream.x(), 0);
    QCOMPARE(stream.lineHeight(), 0);

    // Pieces of one line, whatever their fonts, share its top.
    for (const RecordingCanvas::Drawn &run : canvas.drawn)
        QCOMPARE(run.y, 0);
}

void TestPrinterTextStream::paging_data()
{
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<bool>("emptyLines"); // lines with nothing drawn (the font's height, 20)
    QTest::addColumn<QStringList>("expected");

    // Lines of 22 pixels: after three, y = 66. Another line fits while 66 <= H - 2 * 22.
    QTest::newRow("y = H - 2h stays on the page")
        << 110 << false << QStringList {"1:0,0:1", "1:0,22:2", "1:0,44:3", "1:0,66:4", "2:0,0:5"};
    QTest::newRow("one pixel more starts a new page")
        << 109 << false << QStringList {"1:0,0:1", "1:0,22:2", "1:0,44:3", "2:0,0:4", "2:0,22:5"};
    // An empty line before each numbered one: 20 pixels, and the page is full once y > H - 40.
    // The third empty line ends at 104 > 100.
    QTest::newRow("an empty line is judged by the font's height")
        << 140 << true << QStringList {"1:0,20:1", "1:0,62:2", "2:0,0:3", "2:0,42:4", "2:0,84:5"};
}

void TestPrinterTextStream::paging()
{
    QFETCH(int, pageHeight);
    QFETCH(bool, emptyLines);
    QFETCH(QStringList, expected);

    RecordingCanvas canvas;
    canvas.height = pageHeight;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(sized(10));
    for (int line = 1; line <= 5; ++line) {
        if (emptyLines)
            stream.endLine();
        stream.writeLine(QString::number(line));
    }
    QCOMPARE(runs(canvas), expected);
}

void TestPrinterTextStream::noBlankPageAtTheEnd()
{
    RecordingCanvas canvas;
    canvas.height = 109;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(sized(10));
    for (int line = 1; line <= 3; ++line)
        stream.writeLine(QStringLiteral("x"));
    // The third line filled the page; the job ends on it.
    stream.close();
    QCOMPARE(canvas.pages, 1);
    QCOMPARE(canvas.ended, 1);
    stream.close();
    QCOMPARE(canvas.ended, 1);
}

void TestPrinterTextStream::longLinesWrapWithoutMeasuringEachCharacter()
{
    // A font name of 10,000 characters pads every line of the catalogue to its length: wrapping
    // must not measure each line once per character (some 5 billion characters measured here,
    // minutes of printing per line), only a few times per piece it makes.
    RecordingCanvas canvas;
    canvas.width = 1000;
    canvas.height = 1000000;
    PrinterTextStream stream(canvas);
    QVERIFY(stream.open());
    stream.setFont(sized(10));
    const QString line(10000, u'x');
    stream.writeLine(line);
    QCOMPARE(canvas.drawn.size(), size_t(100));
    QCOMPARE(canvas.drawn.back().text, QString(100, u'x'));
    QVERIFY2(canvas.measuredCharacters < 300 * line.size(),
             qPrintable(QString::number(canvas.measuredCharacters)));
}

QTEST_MAIN(TestPrinterTextStream)
#include "tst_printertextstream.moc"
