#include "profilevalue.h"

#include <QTest>

class TestProfileValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toInt_data();
    void toInt();
    void toBool_data();
    void toBool();
};

void TestProfileValue::toInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // the default is 12

    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("leading blanks") << "  7" << 7;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("0x") << "0x14" << 20;
    QTest::newRow("0X") << "0X1f" << 31;
    QTest::newRow("dollar") << "$14" << 20;
    QTest::newRow("x") << "x14" << 20;
    QTest::newRow("blanks then dollar") << " $14" << 20;
    QTest::newRow("32-bit pattern") << "$FFFFFFFF" << -1;
    QTest::newRow("0x pattern") << "0xFFFFFFFF" << -1;
    QTest::newRow("8 digits with zeros") << "$00000014" << 20;

    QTest::newRow("empty") << "" << 12;
    QTest::newRow("letters") << "abc" << 12;
    QTest::newRow("trailing junk") << "12abc" << 12;
    QTest::newRow("trailing blank") << "12 " << 12;
    QTest::newRow("lone minus") << "-" << 12;
    QTest::newRow("blank after sign") << "- 3" << 12;
    QTest::newRow("sign with hex") << "-$14" << 12;
    QTest::newRow("dollar alone") << "$" << 12;
    QTest::newRow("0x alone") << "0x" << 12;
    QTest::newRow("blanks before 0x") << " 0x14" << 12;
    QTest::newRow("9 hex digits") << "$000000014" << 12;
    QTest::newRow("9 hex digits after 0x") << "0x123456789" << 12;
    QTest::newRow("bad hex digit") << "$1G" << 12;
    QTest::newRow("too large") << "2147483648" << 12;
    QTest::newRow("too small") << "-2147483649" << 12;
    QTest::newRow("far too large") << "99999999999999999999" << 12;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\u0661\u0662") << 12;
}

void TestProfileValue::toInt()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(ProfileValue::toInt(text, 12), expected);
}

void TestProfileValue::toBool_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << "1" << false << true;
    QTest::newRow("0") << "0" << true << false;
    QTest::newRow("2") << "2" << false << true;
    QTest::newRow("-1") << "-1" << false << true;
    QTest::newRow("hex zero") << "$0" << true << false;
    QTest::newRow("yes, default true") << "yes" << true << true;
    QTest::newRow("yes, default false") << "yes" << false << false;
    QTest::newRow("empty, default true") << "" << true << true;
    QTest::newRow("empty, default false") << "" << false << false;
}

void TestProfileValue::toBool()
{
    QFETCH(QString, text);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    QCOMPARE(ProfileValue::toBool(text, defaultValue), expected);
}

QTEST_APPLESS_MAIN(TestProfileValue)
#include "tst_profilevalue.moc"
