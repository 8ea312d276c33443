#include "shownfamilies.h"

#include "fontfamilies.h"
#include "fontindex.h"
#include "namematch.h"

#include <QStringListModel>

#include <algorithm>

ShownFamilies::ShownFamilies(QStringListModel *families, const FontCatalog &catalog,
                             QObject *parent)
    : QAbstractListModel(parent)
    , m_families(families)
    , m_faces(catalog)
    , m_coverage(m_faces)
    , m_traits(m_faces)
{
    connect(families, &QAbstractItemModel::modelAboutToBeReset, this,
            &ShownFamilies::beginResetModel);
    connect(families, &QAbstractItemModel::modelReset, this, &ShownFamilies::sourceReset);
}

ShownFamilies::~ShownFamilies() = default;

void ShownFamilies::sourceReset()
{
    // A new list of families: shown whole until the next filter.
    m_folded = {};
    m_entries.clear();
    m_prepared = 0;
    m_filtering = false;
    endResetModel();
}

const NameMatch::FoldedNames &ShownFamilies::foldedNames()
{
    if (m_folded.isEmpty())
        m_folded = NameMatch::FoldedNames(m_families->stringList());
    return m_folded;
}

QList<int> ShownFamilies::matchingEntries(const DisplayState &state)
{
    const FamilyFilter &filter = state.filter();
    const bool bold = state.AttrGras();
    const bool italic = state.AttrItal();
    const QStringList names = m_families->stringList();
    const QStringList words = NameMatch::words(filter.words);
    FontLanguages::Set languages;
    for (const QString &code : filter.languages) {
        const int index = FontLanguages::indexOf(code);
        if (index < 0)
            return {}; // a language fontconfig does not know: no font supports it
        languages.set(size_t(index));
    }
    const Typography &typography = state.typography();
    // Language and spacing apply to every font: only features and axes make a difference.
    const bool offering
        = filter.hasTypography && (!typography.features.isEmpty() || !typography.axes.isEmpty());
    const auto shown = [&](const QString &name) {
        if (filter.favouritesOnly && !state.isFavourite(name))
            return false;
        // "Default" has no languages or properties of its own to test; its line is drawn in the
        // desktop's font, glyphs of that font only, so that font must have the sample.
        if (name == FontFamilies::DefaultEntry)
            return languages.none() && filter.properties == 0 && filter.classes == 0 && !offering
                && (!filter.canWriteSample
                    || m_coverage.canWrite(FontFamilies::entryFamily(name), bold, italic));
        if (filter.canWriteSample && !m_coverage.canWrite(name, bold, italic))
            return false;
        const unsigned properties = filter.properties & ~unsigned(FamilyTraits::Symbol);
        if (properties != 0 && (m_traits.properties(name, bold, italic) & properties) != properties)
            return false;
        if ((filter.properties & FamilyTraits::Symbol) && !isSymbolFont(name, bold, italic))
            return false;
        if (languages.any() && (m_traits.languages(name, bold, italic) & languages) != languages)
            return false;
        if (filter.classes != 0) {
            const std::optional<FontClass> fontClass = classOf(name, bold, italic);
            if (!fontClass || !(filter.classes & (1u << unsigned(*fontClass))))
                return false;
        }
        return !offering || offers(name, bold, italic, typography);
    };
    QList<int> entries;
    if (!words.isEmpty()) {
        // The name's words rule out most families, in one pass over all the names.
        entries = foldedNames().matching(words);
        entries.removeIf([&](int entry) { return !shown(names[entry]); });
    } else {
        for (int entry = 0; entry < names.size(); ++entry) {
            if (shown(names[entry]))
                entries.append(entry);
        }
    }
    return entries;
}

bool ShownFamilies::apply(const DisplayState &state, double pixelSize)
{
    const FamilyFilter &filter = state.filter();
    m_faces.setPixelSize(pixelSize);
    m_bold = state.AttrGras();
    m_italic = state.AttrItal();
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
        m_coverage.setSample(state.Chaine());
    QList<int> entries = matchingEntries(state);
    if (m_filtering && entries == m_entries)
        return false;
    beginResetModel();
    m_filtering = true;
    m_entries = std::move(entries);
    endResetModel();
    return true;
}

QList<int> ShownFamilies::languageCounts() const
{
    QList<int> counts(FontLanguages::codes().size(), 0);
    const QStringList names = m_families->stringList();
    for (int row = 0; row < rowCount(); ++row) {
        const QString &name = names[entryOf(row)];
        if (name == FontFamilies::DefaultEntry)
            continue;
        const FontLanguages::Set &languages = m_traits.languages(name, m_bold, m_italic);
        for (qsizetype i = 0; i < counts.size(); ++i) {
            if (languages.test(size_t(i)))
                ++counts[i];
        }
    }
    return counts;
}

std::optional<FontClass> ShownFamilies::classOf(const QString &family, bool bold, bool italic) const
{
    if (!m_index)
        return std::nullopt;
    const auto [file, index] = m_faces.faceFile(family, bold, italic);
    return m_index->fontClass(file, index);
}

bool ShownFamilies::isSymbolFont(const QString &family, bool bold, bool italic) const
{
    if (!m_index)
        return false;
    const auto [file, index] = m_faces.faceFile(family, bold, italic);
    return m_index->isSymbolFont(file, index).value_or(false);
}

bool ShownFamilies::offers(const QString &family, bool bold, bool italic,
                           const Typography &typography) const
{
    if (!m_index)
        return false;
    const auto [file, index] = m_faces.faceFile(family, bold, italic);
    const std::optional<FontIndex::LayoutTags> tags = m_index->layoutTags(file, index);
    if (!tags)
        return false;
    for (auto feature = typography.features.cbegin(); feature != typography.features.cend();
         ++feature) {
        if (!tags->features.contains(QLatin1String(feature.key())))
            return false;
    }
    for (auto axis = typography.axes.cbegin(); axis != typography.axes.cend(); ++axis) {
        if (std::none_of(tags->axes.cbegin(), tags->axes.cend(),
                         [&](const FaceMetadata::Axis &has) { return has.tag == axis.key(); }))
            return false;
    }
    return true;
}

bool ShownFamilies::prepareFaces(int count)
{
    const QStringList names = m_families->stringList();
    const int end = int(std::min<qsizetype>(names.size(), qsizetype(m_prepared) + count));
    for (; m_prepared < end; ++m_prepared)
        m_faces.prepare(names[m_prepared]);
    return m_prepared < names.size();
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
