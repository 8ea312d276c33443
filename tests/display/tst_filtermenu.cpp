#include "displaystate.h"
#include "filtermenu.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

// The "Filtres" menu's language panel as a user searches it.
class TestFilterMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchAgainOnReopening();
};

// Reopened, the panel's last search is chosen whole: the letters typed replace it.
void TestFilterMenu::searchAgainOnReopening()
{
    DisplayState state;
    FilterMenu menu;
    menu.setDisplayState(&state);
    auto *languages = menu.findChild<QMenu *>(QStringLiteral("Langues"));
    auto *search = menu.findChild<QLineEdit *>(QStringLiteral("RechercheLangue"));
    auto *list = menu.findChild<QListWidget *>(QStringLiteral("ListeLangues"));
    QVERIFY(languages && search && list);

    Q_EMIT languages->aboutToShow();
    QTest::keyClicks(search, QStringLiteral("fran"));
    Q_EMIT languages->aboutToHide();
    Q_EMIT languages->aboutToShow();
    QTest::keyClicks(search, QStringLiteral("vietn"));
    QCOMPARE(search->text(), QStringLiteral("vietn"));
    QStringList shown;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden())
            shown.append(list->item(row)->data(Qt::UserRole + 1).toString());
    }
    QVERIFY(shown.contains(QStringLiteral("vietnamien")));
}

QTEST_MAIN(TestFilterMenu)
#include "tst_filtermenu.moc"
