#include "namematch.h"

#include <QStringMatcher>

#include <algorithm>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace NameMatch {

QString folded(const QString &text)
{
    // Most family names are plain ASCII: lower-cased in place, without the normalisation.
    const bool ascii
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return text.toLower();
    QString decomposed = text.normalized(QString::NormalizationForm_KD);
    decomposed.removeIf([](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
            || category == QChar::Mark_Enclosing;
    });
    // A keyboard gives ' where text has the typographic apostrophe, and the other way round.
    for (QChar &c : decomposed) {
        if (c == u'\u2019' || c == u'\u2018' || c == u'\u201B' || c == u'\u02BC')
            c = u'\'';
    }
    // Full case folding ("ß" as "ss"), which QString::toCaseFolded does not do.
    const auto *source = reinterpret_cast<const UChar *>(decomposed.utf16());
    QString caseFolded(decomposed.size() * 3, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length
        = u_strFoldCase(reinterpret_cast<UChar *>(caseFolded.data()), int32_t(caseFolded.size()),
                        source, int32_t(decomposed.size()), U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status))
        return decomposed.toCaseFolded();
    caseFolded.truncate(length);
    return caseFolded;
}

QStringList words(const QString &filter)
{
    QStringList found = folded(filter).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

bool matches(const QString &foldedName, const QStringList &words)
{
    return std::all_of(words.cbegin(), words.cend(),
                       [&](const QString &word) { return foldedName.contains(word); });
}

FoldedNames::FoldedNames(const QStringList &names)
{
    m_starts.reserve(names.size() + 1);
    for (const QString &name : names) {
        m_starts.append(m_text.size());
        // A word never holds a blank, so no word can be found across the end of one name and
        // the start of the next.
        m_text += folded(name);
        m_text += QLatin1Char('\n');
    }
    m_starts.append(m_text.size());
}

QStringView FoldedNames::name(qsizetype entry) const
{
    const qsizetype start = m_starts[entry];
    return QStringView(m_text).sliced(start, m_starts[entry + 1] - 1 - start);
}

QList<int> FoldedNames::matching(const QStringList &words) const
{
    QList<int> found;
    if (words.isEmpty() || isEmpty())
        return found;
    // The first word (the longest) is looked for through the whole text; the names it is found
    // in are then asked for the other words.
    const QString &first = words.first();
    const QStringMatcher matcher(first);
    const auto next = [&](qsizetype from) {
        return first.size() == 1 ? QStringView(m_text).indexOf(first.front(), from)
                                 : matcher.indexIn(QStringView(m_text), from);
    };
    const auto rest = words.cbegin() + 1;
    const auto names = m_starts.cbegin();
    const auto lastName = m_starts.cend() - 1; // the text's end
    for (qsizetype at = next(0); at >= 0;) {
        const qsizetype entry = std::upper_bound(names, lastName, at) - names - 1;
        const QStringView candidate = name(entry);
        if (std::all_of(rest, words.cend(),
                        [&](const QString &word) { return candidate.contains(word); }))
            found.append(int(entry));
        at = next(m_starts[entry + 1]);
    }
    return found;
}

} // namespace NameMatch
