#include "displaystate.h"
#include "facemetadata.h"
#include "familytraits.h"
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
    void summary_data();
    void summary();
};

Q_DECLARE_METATYPE(FamilyFilter)

// The line under the list names what the menu keeps on, so a filtered list never looks whole;
// the filter field's words have a field of their own and are not repeated.
void TestFilterMenu::summary_data()
{
    QTest::addColumn<FamilyFilter>("filter");
    QTest::addColumn<QString>("line");

    FamilyFilter filter;
    filter.words = QStringLiteral("sans");
    QTest::newRow("words only: no line") << filter << QString();
    filter = FamilyFilter();
    filter.languages = {QStringLiteral("fr"), QStringLiteral("vi")};
    QTest::newRow("languages") << filter << "français + vietnamien";
    filter.properties = FamilyTraits::Monospaced | FamilyTraits::RealItalic;
    QTest::newRow("and properties")
        << filter << "français + vietnamien + chasse fixe + a un italique";
    filter = FamilyFilter();
    filter.classes = (1u << unsigned(FontClass::Serif)) | (1u << unsigned(FontClass::Script));
    filter.favouritesOnly = true;
    filter.canWriteSample = true;
    QTest::newRow("classes, favourites, can write")
        << filter << "avec empattements ou manuscrite + favoris + peut écrire l'exemple";
}

void TestFilterMenu::summary()
{
    QFETCH(FamilyFilter, filter);
    QFETCH(QString, line);
    QCOMPARE(FilterMenu::summary(filter), line);
}

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
