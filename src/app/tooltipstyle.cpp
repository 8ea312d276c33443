#include "tooltipstyle.h"

#include <QApplication>

TooltipStyle::TooltipStyle(QStyle *base)
    : QProxyStyle(base)
{
}

int TooltipStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return m_tooltipDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

TooltipStyle *TooltipStyle::current()
{
    return qobject_cast<TooltipStyle *>(QApplication::style());
}
