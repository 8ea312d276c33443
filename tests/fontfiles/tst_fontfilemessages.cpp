#include "fontfilemessages.h"

#include <QTest>

// The caption under the list of opened fonts: French puts 0 and 1 in the singular.
class TestFontFileMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void skippedCaption_data();
    void skippedCaption();
};

void TestFontFileMessages::skippedCaption_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << "0 fichier ignoré : ce n'est pas une police";
    QTest::newRow("1") << 1 << "1 fichier ignoré : ce n'est pas une police";
    QTest::newRow("2") << 2 << "2 fichiers ignorés : ce ne sont pas des polices";
    QTest::newRow("12") << 12 << "12 fichiers ignorés : ce ne sont pas des polices";
    QTest::newRow("12000") << 12000 << "12\u202F000 fichiers ignorés : ce ne sont pas des polices";
}

void TestFontFileMessages::skippedCaption()
{
    QFETCH(int, count);
    QFETCH(QString, caption);
    QCOMPARE(FontFileMessages::skippedCaption(count), caption);
}

QTEST_GUILESS_MAIN(TestFontFileMessages)
#include "tst_fontfilemessages.moc"
