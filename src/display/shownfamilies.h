#pragma once

#include "displaystate.h"
#include "facemetadata.h"
#include "familytraits.h"
#include "linefaces.h"
#include "namematch.h"
#include "samplecoverage.h"

#include <QAbstractListModel>

class FontCatalog;
class FontIndex;
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

    // What the state's filter shows, with its sample, bold and italic (the characters and the
    // face that must have them) and its favourites, for lines drawn at pixelSize (device
    // pixels: the strike a bitmap family draws from). Returns whether the lines shown changed;
    // the model is reset then.
    bool apply(const DisplayState &state, double pixelSize);
    bool filtering() const { return m_filtering; }
    // Where the classification comes from; none: no family has a class yet.
    void setFontIndex(const FontIndex *index) { m_index = index; }

    // For each of fontconfig's languages, how many of the families shown support it.
    QList<int> languageCounts() const;

    // Looks up the faces of up to count more families, in the list's order, for the filters that
    // test them; false once every family has been looked up.
    bool prepareFaces(int count);

    // The entry a line shows, and the line that shows an entry (-1 when hidden).
    int entryOf(int row) const;
    int rowOf(int entry) const;
    QStringList shownFamilies() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<int> matchingEntries(const DisplayState &state);
    // The class the index gives the face on the line; none while it has not been read.
    std::optional<FontClass> classOf(const QString &family, bool bold, bool italic) const;
    // Not known until the font index has read the face's file.
    bool isSymbolFont(const QString &family, bool bold, bool italic) const;
    // Whether the face has every feature and axis typography sets; not known until the font
    // index has read the face's file.
    bool offers(const QString &family, bool bold, bool italic, const Typography &typography) const;
    const NameMatch::FoldedNames &foldedNames();
    void sourceReset();

    QStringListModel *m_families;
    LineFaces m_faces;
    SampleCoverage m_coverage;
    FamilyTraits m_traits;
    const FontIndex *m_index = nullptr;
    bool m_bold = false; // the style last applied
    bool m_italic = false;
    NameMatch::FoldedNames m_folded; // the names as compared, worked out at the first filter
    bool m_filtering = false;
    QList<int> m_entries; // while filtering: the entries shown, in order
    int m_prepared = 0; // the families whose faces have been looked up ahead, from the first
};
