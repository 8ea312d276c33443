#include "defaultbutton.h"
#include "displaystate.h"
#include "typographyinventory.h"
#include "typographypanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

FontIndex::LayoutTags face(const QStringList &features, const QList<FaceMetadata::Axis> &axes = {})
{
    return {features, axes};
}

TypographyInventory offered()
{
    TypographyInventory inventory;
    inventory.features = {{"smcp", 412}, {"liga", 3}, {"ss02", 1}, {"ss10", 1}, {"xyzw", 2}};
    inventory.axes = {{"wght", {100, 400, 900}}};
    return inventory;
}

// A window around the panel, whose Enter clicks its "ok" as the main window's does.
struct Window
{
    QWidget window;
    QPushButton *ok = new QPushButton(QStringLiteral("ok"), &window);
    TypographyPanel *panel = new TypographyPanel(&window);
    DisplayState state;
    int counted = 0;

    explicit Window(const TypographyInventory &inventory = offered())
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(ok);
        layout->addWidget(panel);
        new DefaultButton(&window, ok);
        panel->setDisplayState(&state);
        panel->setInventorySource([this, inventory] {
            ++counted;
            return inventory;
        });
        window.resize(300, 700);
        window.show();
        // The keys go where the focus is, as in the program.
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
    }
    template<typename T> T *child(const char *name) const
    {
        auto *found = panel->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    QListWidget *features() const { return child<QListWidget>("ListeFonctionnalites"); }
    QListWidgetItem *feature(const QByteArray &tag) const
    {
        for (int row = 0; row < features()->count(); ++row) {
            if (features()->item(row)->data(Qt::UserRole).toByteArray() == tag)
                return features()->item(row);
        }
        return nullptr;
    }
    QStringList shownLabels() const
    {
        QStringList labels;
        for (int row = 0; row < features()->count(); ++row) {
            if (!features()->item(row)->isHidden())
                labels.append(features()->item(row)->text());
        }
        return labels;
    }
};

} // namespace

// The "Typographie" panel as a user works it: what it lists, what its controls set, and that it
// shows the display state whoever set it.
class TestTypographyPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inventoryCountsEachFamilyOnce();
    void countedOnShowingAndWhenFamiliesChange();
    void featuresListedAndSearched();
    void featureCyclesThroughThreeStates();
    void countedAgainAfterItsOwnLine();
    void typedTag_data();
    void typedTag();
    void axisControlsSetTheState();
    void showsTheStateWhoeverSetIt();
    void filterSwitch();
    void escapeAsksToClose();
};

void TestTypographyPanel::inventoryCountsEachFamilyOnce()
{
    const QHash<QString, QList<FontIndex::LayoutTags>> faces {
        {"A",
         {face({"smcp", "liga"}, {{"wght", 200, 400, 700, {}}}),
          face({"smcp", "onum"}, {{"wght", 100, 400, 900, {}}})}},
        {"B", {face({"liga"}, {{"wght", 300, 300, 700, {}}, {"wdth", 75, 100, 100, {}}})}},
        {"not read yet", {}},
        {"not shown", {face({"dlig"}, {{"opsz", 8, 12, 72, {}}})}},
    };
    const TypographyInventory inventory = TypographyInventory::count(
        {"A", "B", "not read yet"}, [&](const QString &family) { return faces.value(family); });
    const QMap<QByteArray, int> features {{"liga", 2}, {"onum", 1}, {"smcp", 1}};
    QCOMPARE(inventory.features, features);
    QCOMPARE(inventory.axes.keys(), QList<QByteArray>({"wdth", "wght"}));
    // The union of the ranges; the default of the first family met.
    QCOMPARE(inventory.axes["wght"], TypographyInventory::Axis({100, 400, 900}));
    QCOMPARE(inventory.axes["wdth"], TypographyInventory::Axis({75, 100, 100}));
}

// Counted as the panel opens, and soon after the families shown change while it is open (once
// for changes in a row); not while closed.
void TestTypographyPanel::countedOnShowingAndWhenFamiliesChange()
{
    Window w;
    QCOMPARE(w.counted, 1);
    // Twice in a row: counted once.
    w.panel->familiesChanged();
    w.panel->familiesChanged();
    QTRY_COMPARE(w.counted, 2);
    QCoreApplication::processEvents();
    QCOMPARE(w.counted, 2);
    w.panel->hide();
    w.panel->familiesChanged();
    w.panel->familiesChanged();
    QCoreApplication::processEvents();
    QCOMPARE(w.counted, 2);
    w.panel->show();
    QCOMPARE(w.counted, 3);
    w.panel->hide();
    w.panel->show();
    QCOMPARE(w.counted, 3);
}

// Named features first as French words, the stylistic sets in their order, then the others by
// tag; the search finds a name or a tag, accents or not.
void TestTypographyPanel::featuresListedAndSearched()
{
    Window w;
    QCOMPARE(w.shownLabels(),
             QStringList({"Jeu stylistique 2 (ss02) — 1", "Jeu stylistique 10 (ss10) — 1",
                          "Ligatures standard (liga) — 3", "Petites capitales (smcp) — 412",
                          "xyzw — 2"}));
    auto *search = w.child<QLineEdit>("RechercheFonctionnalite");
    search->setText(QStringLiteral("capitales"));
    QCOMPARE(w.shownLabels(), QStringList({"Petites capitales (smcp) — 412"}));
    search->setText(QStringLiteral("LIGA"));
    QCOMPARE(w.shownLabels(), QStringList({"Ligatures standard (liga) — 3"}));
    search->setText(QStringLiteral("stylistique 1"));
    QCOMPARE(w.shownLabels(), QStringList({"Jeu stylistique 10 (ss10) — 1"}));
    search->clear();
    QCOMPARE(w.shownLabels().size(), 5);
}

// A click on the box, or Space, goes from par défaut to activée, désactivée, and back.
void TestTypographyPanel::featureCyclesThroughThreeStates()
{
    Window w;
    QListWidgetItem *smallCaps = w.feature("smcp");
    QVERIFY(smallCaps);
    QCOMPARE(smallCaps->checkState(), Qt::PartiallyChecked);
    w.features()->setFocus();
    w.features()->setCurrentItem(smallCaps);
    QSignalSpy changed(&w.state, &DisplayState::changed);

    QTest::keyClick(w.features(), Qt::Key_Space);
    QCOMPARE(w.state.typography().features, (QMap<QByteArray, bool> {{"smcp", true}}));
    QTest::keyClick(w.features(), Qt::Key_Space);
    QCOMPARE(w.state.typography().features, (QMap<QByteArray, bool> {{"smcp", false}}));
    QCOMPARE(smallCaps->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Petites capitales (smcp) — 412 : désactivée"));
    QTest::keyClick(w.features(), Qt::Key_Space);
    QVERIFY(w.state.typography().isDefault());
    QCOMPARE(changed.size(), 3);
    for (const QList<QVariant> &change : std::as_const(changed))
        QCOMPARE(change.first().value<DisplayState::Aspects>(),
                 DisplayState::Aspects(DisplayState::Typography));
}

// With the list kept to the families that have what is set, a line's own change alters the
// families shown: the panel counts again after the change, its lines made anew, the line's
// state kept.
void TestTypographyPanel::countedAgainAfterItsOwnLine()
{
    Window w;
    w.panel->setInventorySource([&w] {
        TypographyInventory inventory = offered();
        if (w.state.typography().features.contains("smcp"))
            inventory.features = {{"smcp", 5}, {"liga", 1}};
        return inventory;
    });
    connect(&w.state, &DisplayState::changed, w.panel, &TypographyPanel::familiesChanged);
    w.features()->setFocus();
    w.features()->setCurrentItem(w.feature("smcp"));
    QTest::keyClick(w.features(), Qt::Key_Space);
    QTRY_COMPARE(w.shownLabels(),
                 QStringList({"Ligatures standard (liga) — 1", "Petites capitales (smcp) — 5"}));
    QCOMPARE(w.feature("smcp")->checkState(), Qt::Checked);
    QCOMPARE(w.state.typography().features, (QMap<QByteArray, bool> {{"smcp", true}}));
}

void TestTypographyPanel::typedTag_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("switchedOn"); // empty: refused

    QTest::newRow("a stylistic set none of the fonts shown has") << "ss05" << QByteArray("ss05");
    QTest::newRow("one listed already") << "liga" << QByteArray("liga");
    QTest::newRow("a trailing space is part of a tag") << "cv1 " << QByteArray("cv1 ");
    QTest::newRow("too short") << "ss5" << QByteArray();
    QTest::newRow("too long") << "smcpx" << QByteArray();
    QTest::newRow("not ASCII") << QStringLiteral("smçp") << QByteArray();
    QTest::newRow("a tab") << "ab\tc" << QByteArray();
}

// A tag typed by hand switches its feature on; anything else is refused with a message, and
// Enter never reaches the window's "ok".
void TestTypographyPanel::typedTag()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, switchedOn);
    Window w;
    QSignalSpy okClicked(w.ok, &QPushButton::clicked);
    auto *field = w.child<QLineEdit>("EtiquetteFonctionnalite");
    auto *message = w.child<QLabel>("MessageEtiquette");
    field->setFocus();
    field->setText(typed);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(okClicked.size(), 0);
    if (switchedOn.isEmpty()) {
        QVERIFY(w.state.typography().isDefault());
        QVERIFY(message->isVisible());
        QVERIFY2(message->text().startsWith(QStringLiteral("« ") + typed + QStringLiteral(" » "))
                     && message->text().contains(QStringLiteral("étiquette OpenType")),
                 qPrintable(message->text()));
        QCOMPARE(field->text(), typed); // to be corrected, not typed again
        return;
    }
    QCOMPARE(w.state.typography().features, (QMap<QByteArray, bool> {{switchedOn, true}}));
    QVERIFY(!message->isVisible());
    QVERIFY(field->text().isEmpty());
    QListWidgetItem *listed = w.feature(switchedOn);
    QVERIFY(listed);
    QCOMPARE(listed->checkState(), Qt::Checked);
    QCOMPARE(w.features()->currentItem(), listed);

    // Enter on the panel's own button clicks it, not the window's "ok".
    auto *reset = w.child<QPushButton>("ToutParDefaut");
    reset->setFocus();
    QTest::keyClick(reset, Qt::Key_Return);
    QCOMPARE(okClicked.size(), 0);
    QVERIFY(w.state.typography().isDefault());
}

void TestTypographyPanel::axisControlsSetTheState()
{
    Window w;
    auto *slider = w.child<QSlider>("Axe_wght");
    auto *value = w.child<QDoubleSpinBox>("ValeurAxe_wght");
    auto *byDefault = w.child<QCheckBox>("AxeParDefaut_wght");
    // Not set: the font's default shown, over the union of the ranges.
    QVERIFY(byDefault->isChecked());
    QCOMPARE(value->value(), 400.0);
    QCOMPARE(value->minimum(), 100.0);
    QCOMPARE(value->maximum(), 900.0);

    slider->setValue(7005);
    QCOMPARE(w.state.typography().axes, (QMap<QByteArray, double> {{"wght", 700.5}}));
    QCOMPARE(value->value(), 700.5);
    QVERIFY(!byDefault->isChecked());
    value->setValue(550);
    QCOMPARE(w.state.typography().axes, (QMap<QByteArray, double> {{"wght", 550}}));
    QCOMPARE(slider->value(), 5500);
    byDefault->setChecked(true);
    QVERIFY(w.state.typography().axes.isEmpty());
    QCOMPARE(value->value(), 400.0);
    byDefault->setChecked(false);
    QCOMPARE(w.state.typography().axes, (QMap<QByteArray, double> {{"wght", 400}}));
}

// What the settings brought, or "défaut", shows in the controls; a feature or an axis set that no
// family shown has stays listed, to be reset. "Tout par défaut" brings everything back.
void TestTypographyPanel::showsTheStateWhoeverSetIt()
{
    Window w;
    Typography set;
    set.features = {{"dlig", false}, {"smcp", true}};
    set.axes = {{"wght", 650}, {"opsz", 14}};
    set.language = QStringLiteral("tr");
    set.letterSpacing = 40;
    w.state.setTypography(set);

    QCOMPARE(w.feature("dlig")->text(), QStringLiteral("Ligatures facultatives (dlig) — 0"));
    QCOMPARE(w.feature("dlig")->checkState(), Qt::Unchecked);
    QCOMPARE(w.feature("smcp")->checkState(), Qt::Checked);
    QCOMPARE(w.feature("liga")->checkState(), Qt::PartiallyChecked);
    QCOMPARE(w.child<QSlider>("Axe_wght")->value(), 6500);
    QVERIFY(!w.child<QCheckBox>("AxeParDefaut_wght")->isChecked());
    QCOMPARE(w.child<QDoubleSpinBox>("ValeurAxe_opsz")->value(), 14.0);
    auto *language = w.child<QComboBox>("LangueTexte");
    QCOMPARE(language->currentData().toString(), QStringLiteral("tr"));
    QCOMPARE(language->currentText(), QStringLiteral("turc"));
    auto *spacing = w.child<QSpinBox>("EspacementLettres");
    QCOMPARE(spacing->value(), 40);
    QCOMPARE(spacing->minimum(), -100);
    QCOMPARE(spacing->maximum(), 500);

    QSignalSpy changed(&w.state, &DisplayState::changed);
    w.child<QPushButton>("ToutParDefaut")->click();
    QCOMPARE(changed.size(), 1);
    QVERIFY(w.state.typography().isDefault());
    QCOMPARE(w.feature("smcp")->checkState(), Qt::PartiallyChecked);
    QVERIFY(w.child<QCheckBox>("AxeParDefaut_wght")->isChecked());
    QCOMPARE(w.child<QSlider>("Axe_wght")->value(), 4000);
    QCOMPARE(language->currentIndex(), 0);
    QCOMPARE(spacing->value(), 0);

    // The controls set the state back, one change each.
    language->setCurrentIndex(language->findData(QStringLiteral("sr")));
    spacing->setValue(-20);
    QCOMPARE(w.state.typography().language, QStringLiteral("sr"));
    QCOMPARE(w.state.typography().letterSpacing, -20);
    QCOMPARE(changed.size(), 3);
}

// "N'afficher que les polices qui ont ces réglages" is part of the filter, shown whoever set it.
void TestTypographyPanel::filterSwitch()
{
    Window w;
    auto *only = w.child<QCheckBox>("AvecCesReglages");
    QCOMPARE(only->text(), QStringLiteral("N'afficher que les polices qui ont ces réglages"));
    only->click();
    QVERIFY(w.state.filter().hasTypography);
    w.state.setFilter(FamilyFilter()); // "Tout effacer"
    QVERIFY(!only->isChecked());
}

void TestTypographyPanel::escapeAsksToClose()
{
    Window w;
    QSignalSpy closing(w.panel, &TypographyPanel::closeRequested);
    auto *search = w.child<QLineEdit>("RechercheFonctionnalite");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Escape);
    QCOMPARE(closing.size(), 1);
    w.child<QToolButton>("FermerTypographie")->click();
    QCOMPARE(closing.size(), 2);
}

QTEST_MAIN(TestTypographyPanel)
#include "tst_typographypanel.moc"
