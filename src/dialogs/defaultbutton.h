#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// A default button for a window that is no dialog (Qt's main windows have none): Enter anywhere
// in the window clicks it, unless a push button has the focus and takes the Enter itself. A
// check box with the focus leaves Enter to the default button; a disabled default takes nothing.
class DefaultButton : public QObject
{
    Q_OBJECT

public:
    DefaultButton(QWidget *window, QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QAbstractButton *m_button;
};
