#pragma once

#include <QWidget>

class DisplayState;
class FilterMenu;
class QLabel;
class QLineEdit;
class QToolButton;

// Narrows the font list: a field of words the names must contain, the switch that keeps only the
// fonts able to write the sample, and the "Filtres" menu (languages, properties, favourites). All
// edit the display state's filter as the user works them, and show it whoever changed it; the list
// follows the state. A line of its own names the menu's filters and the typography set while any
// is on, for the window to place where the list shows it.
class FilterBar : public QWidget
{
    Q_OBJECT

public:
    explicit FilterBar(QWidget *parent = nullptr);

    void setDisplayState(DisplayState *state);

    QLineEdit *field() const { return m_field; }
    // Another control in the bar, before the field or just before the menu's button (which stays
    // at the end, where the eye finds it).
    enum class Side { Leading, BesideMenu };
    void addControl(QWidget *control, Side side);
    // The bar's controls from left to right, in the Tab order.
    QList<QWidget *> controls() const;
    FilterMenu *menu() const { return m_menu; }
    QLabel *summaryLine() const { return m_summary; }

    // Puts the focus in the field, its text selected to be typed over.
    void focusField();

Q_SIGNALS:
    // Escape in the field: it was cleared, the focus goes back to the list.
    void backToList();
    // Down or Enter in the field: on to the first line shown.
    void toFirstLine();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void edit();
    void followState();

    DisplayState *m_state = nullptr;
    QLineEdit *m_field;
    QToolButton *m_canWrite;
    QToolButton *m_filters;
    FilterMenu *m_menu;
    QLabel *m_summary;
    // The field's room when the bar holds only its own controls; others shown take theirs from
    // it, so that the bar never pushes the page tabs into scrolling.
    int m_fieldRoom = 0;
    QList<QWidget *> m_added;
    void fitField();
};
