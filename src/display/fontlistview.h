#pragma once

#include <QListView>

class FontListDelegate;
class QStringListModel;

// The font list: one fixed-height, program-drawn line per font family, one selected line at a
// time. It reports a mouse press before the selection that follows it, and a selection made by
// mouse or keyboard (not one made by the program). While the names are hidden it can show the
// last selected name as its tooltip; that tooltip has its own switch.
class FontListView : public QListView
{
    Q_OBJECT

public:
    explicit FontListView(QWidget *parent = nullptr);

    void setFamilies(const QStringList &families);
    QStringList families() const;
    // The model of the families, one row per line, for another view to show them.
    QAbstractItemModel *familyModel() const;
    QString familyAt(int row) const;

    FontListDelegate *lineDelegate() const { return m_delegate; }

    // Every line takes this height, at most MaximumLineHeight; 0 or less leaves it unchanged.
    void setLineHeight(qint64 height);
    static constexpr int MaximumLineHeight = 32767;
    int lineHeight() const;

    // The selected row, or -1.
    int selectedRow() const;
    // Selects a row (or none, with -1) without reporting it as the user's selection.
    void selectRow(int row);

    void setTextColor(const QColor &color);
    void setBackgroundColor(const QColor &color);

    // The tooltip that names the selected font while the names are hidden.
    void setNameTip(const QString &text) { m_nameTip = text; }
    QString nameTip() const { return m_nameTip; }
    void setNameTipEnabled(bool enabled) { m_nameTipEnabled = enabled; }
    bool nameTipEnabled() const { return m_nameTipEnabled; }

    // Repaints every visible line now, not at a later paint.
    void repaintNow();

Q_SIGNALS:
    void mousePressed();
    void selectionMadeByUser();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QStringListModel *m_model;
    FontListDelegate *m_delegate;
    QString m_nameTip;
    bool m_nameTipEnabled = false;
    bool m_selectingFromProgram = false;
    bool m_selectionReported = false; // during a press: the selection change was reported
};
