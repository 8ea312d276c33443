#pragma once

#include <QAbstractScrollArea>

class LineRenderer;

// Every character of a face, in Unicode order, grouped by Unicode block under a line with the
// block's name and coverage ("Basic Latin : 95 sur 95"), each in a cell drawn by the list's own
// engine. Only the cells on screen are drawn: tens of thousands scroll as fast as a few. A click
// or the arrows choose a character, Home and End the first and last of its row, Ctrl+Home and
// Ctrl+End the first and last of the face; Ctrl+C copies it. The renderer is shared with the
// window's other painters and must outlive the grid.
class CharacterGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CharacterGrid(LineRenderer &renderer, QWidget *parent = nullptr);

    // A face of a family (its place in FontCatalog::faces()) and its characters, sorted.
    void setFace(const QString &family, int face, QList<char32_t> characters);
    void setColours(const QColor &ink, const QColor &paper);

    const QList<char32_t> &characters() const { return m_characters; }
    // The chosen character's place in characters(), or -1.
    qsizetype selected() const { return m_selected; }
    // Chooses a character and scrolls to it; false when the face lacks it.
    bool select(char32_t character);

    static constexpr int CellWidth = 44;
    static constexpr int CellHeight = 48;
    static constexpr int HeaderHeight = 24;

Q_SIGNALS:
    void selectionChanged(char32_t character);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // A line of the grid: a block's header, or a row of cells.
    struct Line
    {
        int top = 0;
        bool header = false;
        int block = 0;
        qsizetype first = 0; // the first character of the row, or of the block for a header
        qsizetype count = 0; // the row's characters, or the block's
    };
    void layOut();
    void selectAt(qsizetype place);
    int columns() const;
    QRect cellRect(qsizetype place) const; // in the grid's coordinates, unscrolled

    QString m_family;
    int m_face = -1;
    QList<char32_t> m_characters;
    QList<Line> m_lines;
    QList<int> m_rowOf; // for each character, the line of its row
    int m_height = 0;
    qsizetype m_selected = -1;
    QColor m_ink = Qt::black;
    QColor m_paper = Qt::white;
    LineRenderer &m_renderer;
};
