#include "printdestination.h"

#include <QPrinter>
#include <QTest>

using Options = QList<CupsQueue::Option>;

class TestPrintDestination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jobOptions_data();
    void jobOptions();
};

void TestPrintDestination::jobOptions_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QPrinter::DuplexMode>("duplex");
    QTest::addColumn<QStringList>("properties"); // set in the printer's properties
    QTest::addColumn<Options>("expected");

    QTest::newRow("one copy, one side")
        << QPageSize::A4 << QPageLayout::Portrait << 1 << true << QPrinter::DuplexNone
        << QStringList() << Options {{"media", "A4"}, {"sides", "one-sided"}};
    QTest::newRow("copies collated, both sides bound on the long edge")
        << QPageSize::A5 << QPageLayout::Portrait << 3 << true << QPrinter::DuplexAuto
        << QStringList()
        << Options {{"media", "A5"},
                    {"copies", "3"},
                    {"Collate", "True"},
                    {"sides", "two-sided-long-edge"}};
    // Turned pages bind on their short edge to turn as a portrait book does.
    QTest::newRow("landscape, copies not collated")
        << QPageSize::Letter << QPageLayout::Landscape << 2 << false << QPrinter::DuplexAuto
        << QStringList()
        << Options {{"media", "Letter"},
                    {"copies", "2"},
                    {"Collate", "False"},
                    {"sides", "two-sided-short-edge"},
                    {"landscape", ""}};
    QTest::newRow("short side asked for, the properties' options after the dialog's")
        << QPageSize::A4 << QPageLayout::Portrait << 1 << true << QPrinter::DuplexShortSide
        << QStringList {"number-up", "2", "job-priority"}
        << Options {{"media", "A4"}, {"sides", "two-sided-short-edge"}, {"number-up", "2"}};
}

void TestPrintDestination::jobOptions()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(QPrinter::DuplexMode, duplex);
    QFETCH(QStringList, properties);
    QFETCH(Options, expected);

    const QPageLayout layout(QPageSize(paper), orientation, QMarginsF());
    QCOMPARE(PrintDestination::jobOptions(layout, copies, collate, duplex, properties), expected);
}

QTEST_MAIN(TestPrintDestination)
#include "tst_printdestination.moc"
