#pragma once

#include <QObject>

class QWidget;

// The tooltips of a panel's controls, switched on and off together; the switch itself keeps its
// own always.
class PanelHints : public QObject
{
    Q_OBJECT

public:
    PanelHints(QWidget *panel, QWidget *hintSwitch);

    void setShown(bool shown) { m_shown = shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_shown = false;
};
