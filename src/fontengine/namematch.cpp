#include "namematch.h"

#include <algorithm>

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
    return decomposed.toCaseFolded();
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

} // namespace NameMatch
