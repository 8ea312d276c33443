#include "familycount.h"

#include <QTest>

class TestFamilyCount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
};

void TestFamilyCount::text_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("all");
    QTest::addColumn<bool>("filtering");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole list") << 381 << 381 << false << false << "381 fontes disponibles";
    QTest::newRow("several") << 12 << 381 << true << false << "12 fontes affichées sur 381";
    QTest::newRow("one") << 1 << 381 << true << false << "1 fonte affichée sur 381";
    QTest::newRow("none") << 0 << 381 << true << false << "aucune fonte affichée sur 381";
    QTest::newRow("all of them, filtered")
        << 381 << 381 << true << false << "381 fontes affichées sur 381";
    QTest::newRow("opened") << 40 << 40 << false << true << "40 fontes ouvertes";
    QTest::newRow("one opened") << 1 << 1 << false << true << "1 fonte ouverte";
    QTest::newRow("opened, filtered")
        << 3 << 40 << true << true << "3 fontes affichées sur 40 ouvertes";
    QTest::newRow("one opened, filtered")
        << 0 << 1 << true << true << "aucune fonte affichée sur 1 ouverte";
}

void TestFamilyCount::text()
{
    QFETCH(int, shown);
    QFETCH(int, all);
    QFETCH(bool, filtering);
    QFETCH(bool, opened);
    QFETCH(QString, expected);
    const auto source = opened ? FamilyCount::Source::Opened : FamilyCount::Source::Installed;
    QCOMPARE(FamilyCount::text(shown, all, filtering, source), expected);
}

QTEST_GUILESS_MAIN(TestFamilyCount)
#include "tst_familycount.moc"
