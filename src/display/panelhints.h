#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// The tooltips of a panel's controls, shown while a check box of the panel is checked; the box
// itself keeps its own always.
class PanelHints : public QObject
{
    Q_OBJECT

public:
    PanelHints(QWidget *panel, QAbstractButton *hintSwitch);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_shown = false;
};
