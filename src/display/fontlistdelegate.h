#pragma once

#include "linerenderer.h"

#include <QAbstractItemDelegate>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QStaticText>

// What the lines are drawn from, as the list gives it.
struct LineLook
{
    QString sample; // drawn after a space
    qint32 points = 0; // the samples' size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool namesShown = true;
    int nameColumn = 0; // the widest name, in pixels; 0 while the names are hidden
    QSet<QString> favourites; // marked with a star at the left of their line
    Typography typography; // features, axes, language and spacing of the samples

    // The room the stars take at the left of every line, once any family is marked.
    int starGutter() const { return favourites.isEmpty() ? 0 : StarWidth; }
    static constexpr int StarWidth = 12;

    bool operator==(const LineLook &) const = default;
};

// Draws one line of the font list: the family's name in Arial 10 pt bold, then a space and the
// sample string in that family, at the look's size and attributes. Every line has the same height,
// so the view never measures lines one by one. Samples are drawn by the list's own font engine,
// straight from the font files: a line costs the same however many fonts are installed. It draws
// from what it is given and changes nothing.
class FontListDelegate : public QAbstractItemDelegate
{
    Q_OBJECT

public:
    // catalog: where the families' faces are found; kept for the delegate's life.
    explicit FontListDelegate(const FontCatalog &catalog, QObject *parent = nullptr);

    void setLook(const LineLook &look);
    const LineLook &look() const { return m_look; }

    void setLineHeight(int height) { m_lineHeight = height; }
    int lineHeight() const { return m_lineHeight; }

    // The font of the names column.
    static QFont nameFont();

    // The name column of a line this wide: the widest name, at most NameColumnShare of the line,
    // so that one very long name cannot push every sample out of sight. 0 with the names hidden.
    int nameColumnWidth(int lineWidth) const;
    static constexpr double NameColumnShare = 0.4;
    // Where the names end in a line this wide, the favourites' stars before them included.
    int namesEnd(int lineWidth) const;
    // Whether a line this wide shows the family's name cut short ("…").
    bool nameElided(const QString &family, int lineWidth) const;

    // The widest name of the model in nameFont(), over all entries.
    int measureNameColumn(const QAbstractItemModel &model) const;
    // How many times the column has been measured (a column is measured once per reset).
    int nameColumnMeasurements() const { return m_measurements; }

    // The size and attributes of the samples, for a device of that resolution.
    LineStyle sampleStyle(int logicalDpi) const;
    // Where a sample's baseline goes in a line of that top and height (device pixels): the font's
    // ascent below the line's top plus one, unless that pushes the sample's ink out of the line
    // (a very tall ascent: mathematics, Nastaliq; ink above a short one: accents, Kacst fonts);
    // the ink is then moved to fit, or centred when taller than the line.
    static int sampleBaseline(const RenderedLine &sample, int top, int height);

    LineRenderer &renderer() const { return m_renderer; }

    // What the face of a family's line lacks of the typography set, as last drawn: such a line
    // carries a mark at its right end.
    QList<QByteArray> lacking(const QString &family) const { return m_lacking.value(family); }
    // The mark's place at the right end of a line.
    static QRect lackingMark(const QRect &line);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    LineLook m_look;
    int m_lineHeight = 22;
    mutable int m_measurements = 0;
    mutable int m_widestName = -1;
    mutable int m_measuredRows = -1;
    const QStaticText &nameText(const QString &family) const;

    mutable QHash<QString, QStaticText> m_nameTexts;
    mutable QHash<QString, QList<QByteArray>> m_lacking; // for the look's typography
    mutable LineRenderer m_renderer;
};
