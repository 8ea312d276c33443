#include "namematch.h"

#include <QTest>

class TestNameMatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matching_data();
    void matching();
    void oneNameAtATime();
    void hugeFilter();
};

void TestNameMatch::matching_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("shown");

    QTest::newRow("case") << "DejaVu Sans"
                          << "DEJAVU" << true;
    QTest::newRow("several words, any order") << "DejaVu Sans Mono"
                                              << "mono  sans" << true;
    QTest::newRow("one word missing") << "DejaVu Sans"
                                      << "sans mono" << false;
    QTest::newRow("inside a word") << "Liberation Serif"
                                   << "erat" << true;
    QTest::newRow("accent in the name") << "Ébène Display"
                                        << "ebe" << true;
    QTest::newRow("accent in the filter") << "Ebene"
                                          << "ÉBÈ" << true;
    QTest::newRow("ligature spelt out") << "Oﬃce Sans"
                                        << "offi" << true;
    QTest::newRow("typographic apostrophe typed") << "L'été Script"
                                                  << "l\u2019été" << true;
    QTest::newRow("typographic apostrophe in the name") << "L\u2019Été Script"
                                                        << "l'ete" << true;
    QTest::newRow("modifier letter apostrophe") << "Hawaiʻi Oʼahu"
                                                << "o'ahu" << true;
    QTest::newRow("sharp s spelt out") << "Straße Grotesk"
                                       << "strasse" << true;
    QTest::newRow("sharp s typed") << "Strasse Grotesk"
                                   << "STRAßE" << true;
    QTest::newRow("capital sharp s") << "STRA\u1E9EE"
                                     << "strasse" << true;
    QTest::newRow("final sigma") << "Λόγος Sans"
                                 << "ΛΟΓΟΣ" << true;
    QTest::newRow("line breaks and tabs separate words") << "Noto Sans Mono"
                                                         << "noto\nmono\t" << true;
    QTest::newRow("blanks only") << "Noto"
                                 << " \n " << true;
    QTest::newRow("star is a star") << "Noto Sans"
                                    << "n*o" << false;
    QTest::newRow("literal star") << "Star*Font"
                                  << "r*f" << true;
    QTest::newRow("bracket") << "Brack [Foundry]"
                             << "[foundry]" << true;
    QTest::newRow("unclosed bracket") << "Brack [Foundry]"
                                      << "[f" << true;
    QTest::newRow("backslash is no escape") << "Back Sans"
                                            << "\\s" << false;
    QTest::newRow("dot is a dot") << "Noto Sans"
                                  << "n.t" << false;
    QTest::newRow("outside the BMP") << "Emoji 😀 Font"
                                     << "😀" << true;
    QTest::newRow("outside the BMP, other one") << "Emoji 😀 Font"
                                                << "😁" << false;
    QTest::newRow("Default is a name like others") << "Default"
                                                   << "def" << true;
}

// Each row's rule, for the name alone and for the name among others looked through in one pass.
void TestNameMatch::matching()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(bool, shown);
    const QStringList words = NameMatch::words(filter);
    QCOMPARE(NameMatch::matches(NameMatch::folded(name), words), shown);

    const QStringList names {QStringLiteral("Sans Ébène *[\\. 😀"), name, QStringLiteral("Default")};
    QList<int> expected;
    for (int entry = 0; entry < names.size(); ++entry) {
        if (!words.isEmpty() && NameMatch::matches(NameMatch::folded(names[entry]), words))
            expected.append(entry);
    }
    QCOMPARE(NameMatch::FoldedNames(names).matching(words), expected);
    QCOMPARE(expected.contains(1), shown && !words.isEmpty());
}

// A word is found within one name, never across the end of one and the start of the next.
void TestNameMatch::oneNameAtATime()
{
    const NameMatch::FoldedNames names(
        {QStringLiteral("Noto xa"), QStringLiteral("bx Sans"), QString(), QStringLiteral("AB")});
    QCOMPARE(names.matching(NameMatch::words(QStringLiteral("ab"))), QList<int> {3});
    QCOMPARE(names.matching(NameMatch::words(QStringLiteral("x"))), (QList<int> {0, 1}));
    QCOMPARE(names.matching(NameMatch::words(QStringLiteral("sans x"))), QList<int> {1});
    QCOMPARE(NameMatch::FoldedNames().matching(NameMatch::words(QStringLiteral("a"))),
             QList<int> {});
}

// A pasted page of text is words like any other: matched, not a freeze.
void TestNameMatch::hugeFilter()
{
    QString filter;
    for (int i = 0; filter.size() < 10000; ++i)
        filter += QStringLiteral("mot%1 sans ").arg(i % 700);
    const QStringList words = NameMatch::words(filter);
    QCOMPARE(words.size(), 701); // each word once
    QVERIFY(words.first().size() >= words.last().size());
    QVERIFY(!NameMatch::matches(NameMatch::folded(QStringLiteral("DejaVu Sans")), words));
    const QString long10k(10000, QLatin1Char('x'));
    QVERIFY(NameMatch::matches(NameMatch::folded(long10k), NameMatch::words(long10k)));
}

QTEST_APPLESS_MAIN(TestNameMatch)
#include "tst_namematch.moc"
