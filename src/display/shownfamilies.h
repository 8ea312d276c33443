#pragma once

#include "displaystate.h"
#include "samplecoverage.h"

#include <QAbstractListModel>

class FontCatalog;
class QStringListModel;

// The families a filter leaves of a list of families, in the list's order: a model of its own
// over the list's, so that the lines shown change without the list itself. Rows here are lines
// shown; entries are rows of the whole list.
class ShownFamilies : public QAbstractListModel
{
    Q_OBJECT

public:
    ShownFamilies(QStringListModel *families, const FontCatalog &catalog,
                  QObject *parent = nullptr);
    ~ShownFamilies() override;

    // What a filter shows with this sample, bold and italic (the characters it must have and the
    // face that must have them). Returns whether the lines shown changed; the model is reset then.
    bool apply(const FamilyFilter &filter, const QString &sample, bool bold, bool italic);
    bool filtering() const { return m_filtering; }

    // The entry a line shows, and the line that shows an entry (-1 when hidden).
    int entryOf(int row) const;
    int rowOf(int entry) const;
    QStringList shownFamilies() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<int> matchingEntries(const FamilyFilter &filter, bool bold, bool italic);
    const QStringList &foldedNames();
    void sourceReset();

    QStringListModel *m_families;
    SampleCoverage m_coverage;
    QStringList m_folded; // the names as they are compared, worked out at the first filter
    bool m_filtering = false;
    QList<int> m_entries; // while filtering: the entries shown, in order
};
