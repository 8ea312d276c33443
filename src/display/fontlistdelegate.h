#pragma once

#include <QAbstractItemDelegate>
#include <QFont>
#include <QHash>
#include <QStaticText>

// Draws one line of the font list: the family's name in Arial 10 pt bold, then a space and the
// sample string in that family, at the display state's size and attributes. Every line has the
// same height, so the view never measures lines one by one.
class FontListDelegate : public QAbstractItemDelegate
{
    Q_OBJECT

public:
    explicit FontListDelegate(QObject *parent = nullptr);

    void setSampleText(const QString &text) { m_sample = text; }

    void setNamesShown(bool shown) { m_namesShown = shown; }
    bool namesShown() const { return m_namesShown; }

    void setLineHeight(int height) { m_lineHeight = height; }
    int lineHeight() const { return m_lineHeight; }

    // The font of the names column.
    static QFont nameFont();

    // The widest name of the model in nameFont(), over all entries.
    int measureNameColumn(const QAbstractItemModel &model) const;
    // How many times the column has been measured (a column is measured once per reset).
    int nameColumnMeasurements() const { return m_measurements; }

    // The font a line's sample is drawn in, at the current size and attributes.
    QFont sampleFont(const QString &family) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // Sample fonts are realised once per family and reused until the size or attributes change.
    struct FontKey
    {
        qint32 size = 0;
        bool bold = false, italic = false, underline = false;
        bool operator==(const FontKey &) const = default;
    };
    FontKey currentKey() const;

    QString m_sample;
    bool m_namesShown = true;
    int m_lineHeight = 22;
    mutable int m_measurements = 0;
    mutable int m_widestName = -1;
    mutable int m_measuredRows = -1;
    const QStaticText &nameText(const QString &family) const;

    mutable QHash<QString, QStaticText> m_nameTexts;
    mutable QHash<QString, QFont> m_sampleFonts;
    mutable FontKey m_sampleFontsKey;
};
