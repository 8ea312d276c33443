#include "colorgrid.h"
#include "displaypanel.h"
#include "displaystate.h"
#include "sizefield.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using StateChange = std::function<void(DisplayState &)>;
Q_DECLARE_METATYPE(StateChange)

namespace {

Typography smallCaps()
{
    Typography typography;
    typography.features.insert("smcp", true);
    return typography;
}

} // namespace

// The display state as the user sets it, and the bottom panel that shows it, whoever set it.
class TestDisplayPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changesSayWhatChanged_data();
    void changesSayWhatChanged();
    void resetBringsTypographyBack();
    void panelShowsTheState_data();
    void panelShowsTheState();
};

void TestDisplayPanel::changesSayWhatChanged_data()
{
    QTest::addColumn<StateChange>("change");
    QTest::addColumn<DisplayState::Aspects>("what");
    // 0: no signal at all.
    QTest::newRow("the default sample again")
        << StateChange([](DisplayState &state) { state.setChaine(DisplayState::defaultSample()); })
        << DisplayState::Aspects();
    QTest::newRow("the default size again")
        << StateChange([](DisplayState &state) { state.setTaille(DisplayState::DefaultSize); })
        << DisplayState::Aspects();
    QTest::newRow("reset at the defaults")
        << StateChange(&DisplayState::resetStyle) << DisplayState::Aspects();
    QTest::newRow("sample and size, the size alone new") << StateChange([](DisplayState &state) {
        state.setChaineTaille(DisplayState::defaultSample(), 30);
    }) << DisplayState::Aspects(DisplayState::Size);
    QTest::newRow("sample and size") << StateChange([](DisplayState &state) {
        state.setChaineTaille(QStringLiteral("abc"), 30);
    }) << (DisplayState::Sample | DisplayState::Size);
    QTest::newRow("underline") << StateChange([](DisplayState &state) { state.setAttrSoul(true); })
                               << DisplayState::Aspects(DisplayState::Style);
    QTest::newRow("text colour") << StateChange([](DisplayState &state) {
        state.setCouleurTexte(0x0000FF);
    }) << DisplayState::Aspects(DisplayState::Colours);
    QTest::newRow("filter") << StateChange([](DisplayState &state) {
        FamilyFilter filter;
        filter.words = QStringLiteral("sans");
        state.setFilter(filter);
    }) << DisplayState::Aspects(DisplayState::Filter);
    QTest::newRow("favourite") << StateChange([](DisplayState &state) {
        state.setFavourite(QStringLiteral("DejaVu Sans"), true);
    }) << DisplayState::Aspects(DisplayState::Favourites);
    QTest::newRow("typography") << StateChange([](DisplayState &state) {
        state.setTypography(smallCaps());
    }) << DisplayState::Aspects(DisplayState::Typography);
    QTest::newRow("the default typography again")
        << StateChange([](DisplayState &state) { state.setTypography(Typography()); })
        << DisplayState::Aspects();
}

void TestDisplayPanel::changesSayWhatChanged()
{
    QFETCH(StateChange, change);
    QFETCH(DisplayState::Aspects, what);
    DisplayState state;
    QSignalSpy changed(&state, &DisplayState::changed);
    change(state);
    QCOMPARE(changed.size(), what ? 1 : 0);
    if (what)
        QCOMPARE(changed.first().first().value<DisplayState::Aspects>(), what);
}

// "défaut" brings the typography back with the attributes, in one change.
void TestDisplayPanel::resetBringsTypographyBack()
{
    DisplayState state;
    state.setAttrGras(true);
    state.setTypography(smallCaps());
    QSignalSpy changed(&state, &DisplayState::changed);
    state.resetStyle();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().value<DisplayState::Aspects>(),
             DisplayState::Style | DisplayState::Typography);
    QVERIFY(state.typography().isDefault());
}

void TestDisplayPanel::panelShowsTheState_data()
{
    QTest::addColumn<QString>("typed"); // the size field's text before the change
    QTest::addColumn<StateChange>("change");
    QTest::addColumn<QStringList>("attributes");
    QTest::addColumn<int>("textMarker");
    QTest::addColumn<int>("backgroundMarker");
    QTest::addColumn<QString>("size");

    const QStringList clear {"G", "I", "S"};
    QTest::newRow("at start") << "12" << StateChange([](DisplayState &) {}) << clear << 0 << 15
                              << "12";
    QTest::newRow("bold and underline") << "12" << StateChange([](DisplayState &state) {
        state.setAttrGras(true);
        state.setAttrSoul(true);
    }) << QStringList {"G!", "I", "S!"} << 0
                                        << 15 << "12";
    QTest::newRow("reset") << "12" << StateChange([](DisplayState &state) {
        state.setAttrItal(true);
        state.setCouleurTexte(0x0000FF);
        state.setCouleurFond(0x000000);
        state.resetStyle();
    }) << clear << 0 << 15 << "12";
    QTest::newRow("colours of cells") << "12" << StateChange([](DisplayState &state) {
        state.setCouleurTexte(0x0000FF);
        state.setCouleurFond(0x808080);
    }) << clear << 9 << 8 << "12";
    QTest::newRow("a colour of no cell")
        << "12" << StateChange([](DisplayState &state) { state.setCouleurFond(0x123456); }) << clear
        << 0 << -1 << "12";
    QTest::newRow("size") << "12" << StateChange([](DisplayState &state) { state.setTaille(30); })
                          << clear << 0 << 15 << "30";
    QTest::newRow("size beyond the field")
        << "12" << StateChange([](DisplayState &state) { state.setTaille(100); }) << clear << 0
        << 15 << "72";
    QTest::newRow("an empty field reads as the size")
        << "" << StateChange([](DisplayState &state) { state.setTaille(SizeField::Minimum); })
        << clear << 0 << 15 << "";
}

void TestDisplayPanel::panelShowsTheState()
{
    QFETCH(QString, typed);
    QFETCH(StateChange, change);
    QFETCH(QStringList, attributes);
    QFETCH(int, textMarker);
    QFETCH(int, backgroundMarker);
    QFETCH(QString, size);
    DisplayState state;
    QPushButton bold, italic, underline;
    for (QPushButton *button : {&bold, &italic, &underline})
        button->setCheckable(true);
    ColorGrid grid;
    grid.setBackgroundIndex(15);
    SizeField field;
    QWidget window;
    QPushButton textPlus, backgroundPlus;
    DisplayPanel panel(
        state, {&bold, &italic, &underline, &grid, &field, &textPlus, &backgroundPlus}, &window);
    field.setText(typed);
    // Shown, not echoed: the grid's changes are the user's, and set the state.
    QSignalSpy gridChanges(&grid, &ColorGrid::changed);

    change(state);
    QCOMPARE(gridChanges.size(), 0);
    QCOMPARE((QStringList {bold.text(), italic.text(), underline.text()}), attributes);
    QCOMPARE((QList<bool> {bold.isChecked(), italic.isChecked(), underline.isChecked()}),
             (QList<bool> {attributes[0].endsWith('!'), attributes[1].endsWith('!'),
                           attributes[2].endsWith('!')}));
    QCOMPARE(grid.ForegroundIndex(), textMarker);
    QCOMPARE(grid.BackgroundIndex(), backgroundMarker);
    QCOMPARE(field.text(), size);
}

QTEST_MAIN(TestDisplayPanel)
#include "tst_displaypanel.moc"
