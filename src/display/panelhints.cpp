#include "panelhints.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

PanelHints::PanelHints(QWidget *panel, QAbstractButton *hintSwitch)
    : QObject(panel)
    , m_shown(hintSwitch->isChecked())
{
    connect(hintSwitch, &QAbstractButton::toggled, this, [this](bool on) { m_shown = on; });
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
