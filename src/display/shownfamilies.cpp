#include "shownfamilies.h"

#include "fontfamilies.h"
#include "namematch.h"

#include <QStringListModel>

#include <algorithm>

ShownFamilies::ShownFamilies(QStringListModel *families, const FontCatalog &catalog,
                             QObject *parent)
    : QAbstractListModel(parent)
    , m_families(families)
    , m_coverage(catalog)
{
    connect(families, &QAbstractItemModel::modelAboutToBeReset, this,
            &ShownFamilies::beginResetModel);
    connect(families, &QAbstractItemModel::modelReset, this, &ShownFamilies::sourceReset);
}

ShownFamilies::~ShownFamilies() = default;

void ShownFamilies::sourceReset()
{
    // A new list of families: shown whole until the next filter.
    m_folded.clear();
    m_entries.clear();
    m_filtering = false;
    endResetModel();
}

const QStringList &ShownFamilies::foldedNames()
{
    if (m_folded.isEmpty()) {
        const QStringList names = m_families->stringList();
        m_folded.reserve(names.size());
        for (const QString &name : names)
            m_folded.append(NameMatch::folded(name));
    }
    return m_folded;
}

QList<int> ShownFamilies::matchingEntries(const FamilyFilter &filter, bool bold, bool italic)
{
    const QStringList names = m_families->stringList();
    const QStringList words = NameMatch::words(filter.words);
    const QStringList &folded = words.isEmpty() ? names : foldedNames();
    QList<int> entries;
    for (int entry = 0; entry < names.size(); ++entry) {
        if (!words.isEmpty() && !NameMatch::matches(folded[entry], words))
            continue;
        // The toolkit draws "Default" with whatever fonts it takes to write the sample.
        if (filter.canWriteSample && names[entry] != FontFamilies::DefaultEntry
            && !m_coverage.canWrite(names[entry], bold, italic))
            continue;
        entries.append(entry);
    }
    return entries;
}

bool ShownFamilies::apply(const FamilyFilter &filter, const QString &sample, bool bold, bool italic)
{
    if (!filter.active()) {
        if (!m_filtering)
            return false;
        beginResetModel();
        m_filtering = false;
        m_entries.clear();
        endResetModel();
        return true;
    }
    if (filter.canWriteSample)
        m_coverage.setSample(sample);
    QList<int> entries = matchingEntries(filter, bold, italic);
    if (m_filtering && entries == m_entries)
        return false;
    beginResetModel();
    m_filtering = true;
    m_entries = std::move(entries);
    endResetModel();
    return true;
}

int ShownFamilies::entryOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return m_filtering ? m_entries[row] : row;
}

int ShownFamilies::rowOf(int entry) const
{
    if (!m_filtering)
        return entry >= 0 && entry < rowCount() ? entry : -1;
    const auto found = std::lower_bound(m_entries.cbegin(), m_entries.cend(), entry);
    return found != m_entries.cend() && *found == entry ? int(found - m_entries.cbegin()) : -1;
}

QStringList ShownFamilies::shownFamilies() const
{
    const QStringList names = m_families->stringList();
    if (!m_filtering)
        return names;
    QStringList shown;
    shown.reserve(m_entries.size());
    for (const int entry : m_entries)
        shown.append(names[entry]);
    return shown;
}

int ShownFamilies::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_filtering ? int(m_entries.size()) : m_families->rowCount();
}

QVariant ShownFamilies::data(const QModelIndex &index, int role) const
{
    const int entry = entryOf(index.row());
    if (entry < 0)
        return {};
    return m_families->data(m_families->index(entry, 0), role);
}
