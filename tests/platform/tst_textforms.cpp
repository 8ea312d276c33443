#include "textforms.h"

#include <QLocale>
#include <QTest>
#include <QTime>

class TestTextForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timeWithSeconds_data();
    void timeWithSeconds();
    void oneLine_data();
    void oneLine();
};

void TestTextForms::timeWithSeconds_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("time");
    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << "07:08:09";
    // The long format's zone goes; the rest of the locale's clock stays (narrow spaces dropped).
    QTest::newRow("American") << QLocale(QLocale::English, QLocale::UnitedStates) << "7:08:09AM";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "07:08:09";
}

void TestTextForms::timeWithSeconds()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, time);
    QString shown = TextForms::timeWithSeconds(locale, QTime(7, 8, 9));
    QCOMPARE(shown.remove(u'\u202f').remove(u' '), time);
}

void TestTextForms::oneLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "a b"
                           << "a b";
    QTest::newRow("LF") << "a\nb"
                        << "a b";
    QTest::newRow("CR") << "a\rb"
                        << "a b";
    QTest::newRow("CR LF: one space, not two") << "a\r\nb"
                                               << "a b";
    QTest::newRow("LF CR: two breaks") << "a\n\rb"
                                       << "a  b";
    QTest::newRow("empty lines") << "\n\n"
                                 << "  ";
}

void TestTextForms::oneLine()
{
    QFETCH(QString, text);
    QFETCH(QString, line);
    QCOMPARE(TextForms::oneLine(text), line);
}

QTEST_MAIN(TestTextForms)
#include "tst_textforms.moc"
