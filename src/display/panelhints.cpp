#include "panelhints.h"

#include <QEvent>
#include <QWidget>

PanelHints::PanelHints(QWidget *panel, QWidget *hintSwitch)
    : QObject(panel)
{
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control != hintSwitch)
            control->installEventFilter(this);
    }
}

bool PanelHints::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && !m_shown)
        return true;
    return QObject::eventFilter(watched, event);
}
