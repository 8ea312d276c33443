#pragma once

#include <QWidget>

class DisplayState;
class QLineEdit;
class QToolButton;

// Narrows the font list: a field of words the names must contain, and the switch that keeps only
// the fonts able to write the sample. Both edit the display state's filter as the user works them;
// the list follows the state.
class FilterBar : public QWidget
{
    Q_OBJECT

public:
    explicit FilterBar(QWidget *parent = nullptr);

    void setDisplayState(DisplayState *state);

    QLineEdit *field() const { return m_field; }
    QToolButton *canWriteButton() const { return m_canWrite; }

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

    DisplayState *m_state = nullptr;
    QLineEdit *m_field;
    QToolButton *m_canWrite;
};
