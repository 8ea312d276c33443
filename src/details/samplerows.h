#pragma once

#include "linestyle.h"

#include <QWidget>

class LineRenderer;

// Lines of a text drawn by the list's own engine, each under a label: the faces of a family, or
// one face at many sizes. Only the rows on screen are drawn, by a renderer shared with the
// window's other painters (it must outlive the rows).
class SampleRows : public QWidget
{
public:
    struct Row
    {
        QString label;
        QString family;
        LineStyle style;
    };

    explicit SampleRows(LineRenderer &renderer, QWidget *parent = nullptr);

    void setRows(QList<Row> rows, const QString &text);
    void setColours(const QColor &ink, const QColor &paper);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int rowHeight(const Row &row) const;
    int labelHeight() const;

    QList<Row> m_rows;
    QString m_text;
    QColor m_ink = Qt::black;
    QColor m_paper = Qt::white;
    LineRenderer &m_renderer;
};
