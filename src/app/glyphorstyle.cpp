#include "glyphorstyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionTab>
#include <QTabBar>

GlyphorStyle::GlyphorStyle(QStyle *base)
    : QProxyStyle(base)
{
}

int GlyphorStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return m_tooltipDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void GlyphorStyle::drawControl(ControlElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_TabBarTabShape && option->state.testFlag(State_MouseOver)
        && !option->state.testFlag(State_Selected)) {
        QColor light = option->palette.color(QPalette::Highlight);
        light.setAlpha(60);
        painter->fillRect(option->rect.adjusted(2, 2, -2, -2), light);
    }
}

void GlyphorStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    if (qobject_cast<QTabBar *>(widget))
        widget->setAttribute(Qt::WA_Hover);
}

GlyphorStyle *GlyphorStyle::current()
{
    return qobject_cast<GlyphorStyle *>(QApplication::style());
}
