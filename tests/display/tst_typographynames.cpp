#include "typographynames.h"

#include <QTest>

Q_DECLARE_METATYPE(Typography)

// The names the panel's lists and the line under the list give features and axes.
class TestTypographyNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void featureLabel_data();
    void featureLabel();
    void axisLabel_data();
    void axisLabel();
    void summary_data();
    void summary();
    void lackingTip();
};

void TestTypographyNames::featureLabel_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("families");
    QTest::addColumn<QString>("label");

    QTest::newRow("registered") << QByteArray("smcp") << 412
                                << QStringLiteral("Petites capitales (smcp) — 412");
    QTest::newRow("accented name")
        << QByteArray("onum") << 3 << QStringLiteral("Chiffres elzéviriens (onum) — 3");
    QTest::newRow("French thousands")
        << QByteArray("kern") << 12345 << QStringLiteral("Crénage (kern) — 12\u202f345");
    QTest::newRow("first stylistic set")
        << QByteArray("ss01") << 1 << QStringLiteral("Jeu stylistique 1 (ss01) — 1");
    QTest::newRow("last stylistic set")
        << QByteArray("ss20") << 2 << QStringLiteral("Jeu stylistique 20 (ss20) — 2");
    QTest::newRow("no 21st set") << QByteArray("ss21") << 2 << QStringLiteral("ss21 — 2");
    QTest::newRow("no set 0") << QByteArray("ss00") << 2 << QStringLiteral("ss00 — 2");
    QTest::newRow("character variant")
        << QByteArray("cv99") << 5 << QStringLiteral("Variante 99 (cv99) — 5");
    QTest::newRow("variant with a letter") << QByteArray("cv1a") << 5 << QStringLiteral("cv1a — 5");
    QTest::newRow("unregistered") << QByteArray("xyzw") << 0 << QStringLiteral("xyzw — 0");
    QTest::newRow("case of the tag counts")
        << QByteArray("SMCP") << 1 << QStringLiteral("SMCP — 1");
}

void TestTypographyNames::featureLabel()
{
    QFETCH(QByteArray, tag);
    QFETCH(int, families);
    QFETCH(QString, label);
    QCOMPARE(TypographyNames::featureLabel(tag, families), label);
}

void TestTypographyNames::axisLabel_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QString>("label");

    QTest::newRow("weight") << QByteArray("wght") << QStringLiteral("Graisse (wght)");
    QTest::newRow("width") << QByteArray("wdth") << QStringLiteral("Largeur (wdth)");
    QTest::newRow("slant") << QByteArray("slnt") << QStringLiteral("Inclinaison (slnt)");
    QTest::newRow("italic") << QByteArray("ital") << QStringLiteral("Italique (ital)");
    QTest::newRow("optical size") << QByteArray("opsz") << QStringLiteral("Taille optique (opsz)");
    QTest::newRow("a font's own") << QByteArray("XOPQ") << QStringLiteral("XOPQ");
}

void TestTypographyNames::axisLabel()
{
    QFETCH(QByteArray, tag);
    QFETCH(QString, label);
    QCOMPARE(TypographyNames::axisLabel(tag), label);
}

void TestTypographyNames::summary_data()
{
    QTest::addColumn<Typography>("typography");
    QTest::addColumn<QString>("line");

    QTest::newRow("nothing") << Typography() << QString();
    Typography set;
    set.features = {{"smcp", true}, {"onum", true}, {"liga", false}};
    set.axes = {{"wght", 700}};
    QTest::newRow("on, then off, then axes")
        << set << QStringLiteral("onum, smcp, -liga, wght 700");
    set = Typography();
    set.axes = {{"wdth", 87.5}, {"wght", 1000}};
    QTest::newRow("French decimals, no thousands' space")
        << set << QStringLiteral("wdth 87,5, wght 1000");
    set = Typography();
    set.language = QStringLiteral("tr");
    set.letterSpacing = 50;
    QTest::newRow("language and spacing") << set << QStringLiteral("turc, espacement +50");
    set.language.clear();
    set.letterSpacing = -20;
    QTest::newRow("tighter") << set << QStringLiteral("espacement -20");
}

void TestTypographyNames::summary()
{
    QFETCH(Typography, typography);
    QFETCH(QString, line);
    QCOMPARE(TypographyNames::summary(typography), line);
}

// A line's face lacks a feature set on, one set off and an axis: each named as the panel names it.
void TestTypographyNames::lackingTip()
{
    Typography set;
    set.features = {{"smcp", true}, {"liga", false}, {"xyzw", true}};
    set.axes = {{"wght", 700}};
    QCOMPARE(TypographyNames::lackingTip({"liga", "smcp", "xyzw", "wght"}, set),
             QStringLiteral("Cette police n'a pas : Ligatures standard (liga), Petites capitales "
                            "(smcp), xyzw, Graisse (wght)"));
}

QTEST_GUILESS_MAIN(TestTypographyNames)
#include "tst_typographynames.moc"
