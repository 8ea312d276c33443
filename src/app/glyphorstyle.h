#pragma once

#include <QProxyStyle>

// The application's style: the time the pointer must rest before a tooltip shows, and page tabs
// that light up under the pointer.
class GlyphorStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit GlyphorStyle(QStyle *base = nullptr);

    void setTooltipDelay(int milliseconds) { m_tooltipDelay = milliseconds; }
    int tooltipDelay() const { return m_tooltipDelay; }

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void polish(QWidget *widget) override;

    // The style of the running application, when it is one of these.
    static GlyphorStyle *current();

private:
    int m_tooltipDelay = 700;
};
