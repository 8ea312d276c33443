#pragma once

#include <QProxyStyle>

// The application's style, with the time the pointer must rest before a tooltip shows.
class TooltipStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit TooltipStyle(QStyle *base = nullptr);

    void setTooltipDelay(int milliseconds) { m_tooltipDelay = milliseconds; }
    int tooltipDelay() const { return m_tooltipDelay; }

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

    // The style of the running application, when it is one of these.
    static TooltipStyle *current();

private:
    int m_tooltipDelay = 700;
};
