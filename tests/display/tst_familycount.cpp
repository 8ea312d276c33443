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
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole list") << 381 << 381 << false << "381 fontes disponibles";
    QTest::newRow("several") << 12 << 381 << true << "12 fontes affichées sur 381";
    QTest::newRow("one") << 1 << 381 << true << "1 fonte affichée sur 381";
    QTest::newRow("none") << 0 << 381 << true << "aucune fonte affichée sur 381";
    QTest::newRow("all of them, filtered") << 381 << 381 << true << "381 fontes affichées sur 381";
}

void TestFamilyCount::text()
{
    QFETCH(int, shown);
    QFETCH(int, all);
    QFETCH(bool, filtering);
    QFETCH(QString, expected);
    QCOMPARE(FamilyCount::text(shown, all, filtering), expected);
}

QTEST_GUILESS_MAIN(TestFamilyCount)
#include "tst_familycount.moc"
