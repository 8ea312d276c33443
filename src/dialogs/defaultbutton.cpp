#include "defaultbutton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QWidget>

DefaultButton::DefaultButton(QWidget *window, QAbstractButton *button)
    : QObject(window)
    , m_window(window)
    , m_button(button)
{
    // The window sees the keys its controls leave unused.
    window->installEventFilter(this);
}

bool DefaultButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto *focused = qobject_cast<QAbstractButton *>(m_window->focusWidget());
        focused && !qobject_cast<QCheckBox *>(focused)) {
        focused->click();
    } else if (m_button->isEnabled()) {
        m_button->click();
    }
    event->accept();
    return true;
}
