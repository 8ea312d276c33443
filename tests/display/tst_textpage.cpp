#include "displaystate.h"
#include "textpage.h"

#include <QTest>

// The Text page follows the state's colours, and its attributes once a font is chosen for it.
class TestTextPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheState();
};

void TestTextPage::followsTheState()
{
    DisplayState state;
    TextPage page;
    page.setDisplayState(&state);
    const QFont made = page.font();
    state.setAttrGras(true);
    state.setCouleurFond(0x0000FF);
    QCOMPARE(page.font(), made);
    QCOMPARE(page.palette().color(QPalette::Base), QColor(0xFF, 0, 0));

    page.setFontChoice(QStringLiteral("DejaVu Serif"), 30);
    QCOMPARE(page.font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(page.font().pointSize(), 30);
    QVERIFY(page.font().bold());
    QCOMPARE(page.palette().color(QPalette::Base), QColor(0xFF, 0, 0));

    state.setAttrGras(false);
    state.setAttrItal(true);
    state.setCouleurTexte(0x00FF00);
    QVERIFY(!page.font().bold());
    QVERIFY(page.font().italic());
    QCOMPARE(page.font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(page.palette().color(QPalette::Text), QColor(0, 0xFF, 0));
}

QTEST_MAIN(TestTextPage)
#include "tst_textpage.moc"
